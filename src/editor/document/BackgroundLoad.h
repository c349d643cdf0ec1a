// TBackgroundLoad: reads a file for the editor's line list on a worker thread, so that a large
// or slow file never stalls the UI thread. At most one load counts: starting another, Cancel or
// destruction cancels the running one at once (its result is dropped; its thread stops at its
// next check and is joined later). The outcome of the newest load reaches the caller on the UI
// thread through the dispatcher; a cancelled load reports nothing.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "editor/document/AdvMemoStrings.h"

namespace tarnwick {
class UiDispatcher;
}

namespace tarnwick::editor {

class TBackgroundLoad {
  public:
    using TDone = std::function<void(std::unique_ptr<TAdvMemoStrings::TPreparedText>)>;
    using TFailed = std::function<void(const std::string& message)>;

    // The dispatcher must outlive this object.
    explicit TBackgroundLoad(UiDispatcher& ui);
    ~TBackgroundLoad();
    TBackgroundLoad(const TBackgroundLoad&) = delete;
    TBackgroundLoad& operator=(const TBackgroundLoad&) = delete;

    // Cancels a running load and starts reading path; done or failed runs on the UI thread.
    void Start(const std::string& path, TAdvMemoStrings::TLoadSettings settings, TDone done,
               TFailed failed);
    void Cancel();
    // A load was started and has neither reported nor been cancelled.
    bool Running() const { return fCurrent != nullptr; }
    // The running load's progress: bytes read so far, and the size its file reported.
    uint64_t BytesRead() const;
    uint64_t BytesExpected() const;

  private:
    struct TJob;
    void Finish(const std::shared_ptr<TJob>& job);
    void JoinFinished(bool all);

    UiDispatcher& fUi;
    std::shared_ptr<TJob> fCurrent;
    // Threads of loads that were started here; joined once they ended.
    std::vector<std::pair<std::shared_ptr<TJob>, std::thread>> fThreads;
    // Cleared on destruction: a report still queued for the UI thread then finds nobody.
    std::shared_ptr<TBackgroundLoad*> fSelf;
};

}  // namespace tarnwick::editor
