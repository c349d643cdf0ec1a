// The search worker: one thread that walks one root and then reports its end on the UI thread.
// Its events and its end notification travel through the same dispatcher, so the end always
// arrives after the last batch. The owner joins the thread when the end notification has run.
#pragma once

#include <functional>
#include <memory>
#include <thread>

#include "search/BatchingSink.h"
#include "search/FolderWalk.h"
#include "search/SearchRequest.h"

namespace tarnwick::search {

class TFindFiles {
  public:
    // The walk reports to the worker's own batching sink, whose batches go to `deliver`;
    // `onTerminate` runs on the UI thread after the walk has ended, also when it ended by an error.
    TFindFiles(SearchRequest request, WalkContext walkContext, platform::UiDispatcher& dispatcher,
               std::function<void(SearchEventBatch)> deliver, std::function<void()> onTerminate);
    TFindFiles(const TFindFiles&) = delete;  // owns a thread
    TFindFiles& operator=(const TFindFiles&) = delete;
    ~TFindFiles();

    void Start();
    // Waits for the thread; quick once the end notification has been delivered.
    void Join();
    const SearchRequest& Request() const { return fRequest; }

  private:
    void Execute();

    SearchRequest fRequest;
    WalkContext fContext;
    platform::UiDispatcher& fDispatcher;
    BatchingSink fSink;
    std::function<void()> fOnTerminate;
    std::thread fThread;
};

}  // namespace tarnwick::search
