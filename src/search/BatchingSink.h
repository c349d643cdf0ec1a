// Collects a walk's events on the worker thread and hands them to the UI thread in batches, in
// the order they were produced. A batch goes out when it is full or when the previous one left
// long enough ago, so a fast walk can't flood the UI thread and a slow one still shows each row
// promptly.
#pragma once

#include <chrono>
#include <functional>

#include "platform/UiDispatcher.h"
#include "search/SearchEvents.h"

namespace tarnwick::search {

// Longest time an event waits for its batch while the walk is working.
inline constexpr std::chrono::milliseconds kBatchInterval{30};
// Most events in one batch.
inline constexpr std::size_t kBatchLimit = 2048;

class BatchingSink final : public SearchSink {
  public:
    // `deliver` runs on the UI thread with each batch.
    BatchingSink(platform::UiDispatcher& dispatcher, std::function<void(SearchEventBatch)> deliver);

    void Folder(const std::string& folderPath) override;
    void Row(ResultRow row, std::string foundCountText) override;
    void Tick() override;
    // Sends whatever is pending. Called when the walk has ended.
    void Flush();

  private:
    void Add(SearchEvent event);

    platform::UiDispatcher& fDispatcher;
    std::function<void(SearchEventBatch)> fDeliver;
    SearchEventBatch fPending;
    std::chrono::steady_clock::time_point fLastSent;
};

}  // namespace tarnwick::search
