// The search worker thread.
#include "search/FindFiles.h"

namespace tarnwick::search {

TFindFiles::TFindFiles(SearchRequest request, WalkContext walkContext,
                       platform::UiDispatcher& dispatcher,
                       std::function<void(SearchEventBatch)> deliver,
                       std::function<void()> onTerminate)
    : fRequest(std::move(request)),
      fContext(walkContext),
      fDispatcher(dispatcher),
      fSink(dispatcher, std::move(deliver)),
      fOnTerminate(std::move(onTerminate)) {}

TFindFiles::~TFindFiles() {
    Join();
}

void TFindFiles::Start() {
    fThread = std::thread([this] { Execute(); });
}

void TFindFiles::Join() {
    if (fThread.joinable()) {
        fThread.join();
    }
}

void TFindFiles::Execute() {
    WalkContext context = fContext;
    context.sink = &fSink;
    try {
        TFolderWalk walk(context);
        walk.WalkFolder(fRequest.Root, fRequest.NameText, fRequest.Recurse);
    } catch (...) {
        // A walk that fails ends like any other: its rows stay, the run goes on.
    }
    fSink.Flush();
    fDispatcher.Post(fOnTerminate);
}

}  // namespace tarnwick::search
