// Batched hand-over of walk events to the UI thread.
#include "search/BatchingSink.h"

namespace tarnwick::search {

BatchingSink::BatchingSink(platform::UiDispatcher& dispatcher,
                           std::function<void(SearchEventBatch)> deliver)
    : fDispatcher(dispatcher),
      fDeliver(std::move(deliver)),
      fLastSent(std::chrono::steady_clock::now() - kBatchInterval) {}

void BatchingSink::Folder(const std::string& folderPath) {
    SearchEvent event;
    event.kind = SearchEvent::Kind::Folder;
    event.text = folderPath;
    Add(std::move(event));
}

void BatchingSink::Row(ResultRow row, std::string foundCountText) {
    SearchEvent rowEvent;
    rowEvent.kind = SearchEvent::Kind::Row;
    rowEvent.row = std::move(row);
    fPending.push_back(std::move(rowEvent));
    SearchEvent count;
    count.kind = SearchEvent::Kind::FoundCount;
    count.text = std::move(foundCountText);
    Add(std::move(count));
}

void BatchingSink::Add(SearchEvent event) {
    fPending.push_back(std::move(event));
    if (fPending.size() >= kBatchLimit) {
        Flush();
    } else {
        Tick();
    }
}

void BatchingSink::Tick() {
    if (!fPending.empty() && std::chrono::steady_clock::now() - fLastSent >= kBatchInterval) {
        Flush();
    }
}

void BatchingSink::Flush() {
    if (fPending.empty()) {
        return;
    }
    fLastSent = std::chrono::steady_clock::now();
    fDispatcher.Post(
        [deliver = fDeliver, batch = std::move(fPending)]() mutable { deliver(std::move(batch)); });
    fPending = SearchEventBatch{};
}

}  // namespace tarnwick::search
