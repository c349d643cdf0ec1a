// Batched hand-over of walk events to the UI thread.
#include "search/BatchingSink.h"

namespace tarnwick {

BatchingSink::BatchingSink(UiDispatcher& dispatcher, std::function<void(SearchEventBatch)> deliver)
    : dispatcher_(dispatcher),
      deliver_(std::move(deliver)),
      lastSent_(std::chrono::steady_clock::now() - kBatchInterval) {}

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
    pending_.push_back(std::move(rowEvent));
    SearchEvent count;
    count.kind = SearchEvent::Kind::FoundCount;
    count.text = std::move(foundCountText);
    Add(std::move(count));
}

void BatchingSink::Add(SearchEvent event) {
    pending_.push_back(std::move(event));
    if (pending_.size() >= kBatchLimit) {
        Flush();
    } else {
        Tick();
    }
}

void BatchingSink::Tick() {
    if (!pending_.empty() && std::chrono::steady_clock::now() - lastSent_ >= kBatchInterval) {
        Flush();
    }
}

void BatchingSink::Flush() {
    if (pending_.empty()) {
        return;
    }
    lastSent_ = std::chrono::steady_clock::now();
    dispatcher_.Post(
        [deliver = deliver_, batch = std::move(pending_)]() mutable { deliver(std::move(batch)); });
    pending_ = SearchEventBatch{};
}

}  // namespace tarnwick
