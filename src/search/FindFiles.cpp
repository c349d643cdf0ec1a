// The search worker thread.
#include "search/FindFiles.h"

namespace tarnwick {

TFindFiles::TFindFiles(SearchRequest request, WalkContext walkContext, UiDispatcher& dispatcher,
                       std::function<void(SearchEventBatch)> deliver,
                       std::function<void()> onTerminate)
    : request_(std::move(request)),
      context_(walkContext),
      dispatcher_(dispatcher),
      sink_(dispatcher, std::move(deliver)),
      onTerminate_(std::move(onTerminate)) {}

TFindFiles::~TFindFiles() {
    Join();
}

void TFindFiles::Start() {
    thread_ = std::thread([this] { Execute(); });
}

void TFindFiles::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TFindFiles::Execute() {
    WalkContext context = context_;
    context.sink = &sink_;
    try {
        TFolderWalk walk(context);
        walk.WalkFolder(request_.Root, request_.NameText, request_.Recurse);
    } catch (...) {
        // A walk that fails ends like any other: its rows stay, the run goes on.
    }
    sink_.Flush();
    dispatcher_.Post(onTerminate_);
}

}  // namespace tarnwick
