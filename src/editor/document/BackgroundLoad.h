// TBackgroundLoad: reads a file for the editor's line list on a worker thread, so that a large
// or slow file never stalls the UI thread. At most one load counts: starting another, Cancel or
// destruction cancels the running one at once (its result is dropped; its thread stops at its
// next check and is joined later). The outcome of the newest load reaches the caller on the UI
// thread through the dispatcher; a cancelled load reports nothing. A large regular file also
// reports a preview first: its first lines, read apart from the load, for the window to show
// while the rest is read (the preview never replaces the load's result).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "editor/document/AdvMemoStrings.h"

namespace tarnwick::platform {
class UiDispatcher;
}

namespace tarnwick::editor {

class TBackgroundLoad {
  public:
    using TDone = std::function<void(std::unique_ptr<TAdvMemoStrings::TPreparedText>)>;
    using TFailed = std::function<void(const std::string& message)>;
    using TPreview = TDone;

    // Regular files of at least this size get a preview of their first kPreviewBytes.
    static constexpr uint64_t kPreviewFrom = uint64_t{32} << 20;
    static constexpr std::size_t kPreviewBytes = std::size_t{64} << 10;

    // The dispatcher must outlive this object.
    explicit TBackgroundLoad(platform::UiDispatcher& ui);
    ~TBackgroundLoad();
    TBackgroundLoad(const TBackgroundLoad&) = delete;
    TBackgroundLoad& operator=(const TBackgroundLoad&) = delete;

    // Cancels a running load and starts reading path; done or failed runs on the UI thread,
    // and before them preview (when given and the file is large enough).
    void Start(const std::string& path, TAdvMemoStrings::TLoadSettings settings, TDone done,
               TFailed failed, TPreview preview = nullptr);
    void Cancel();
    // A load was started and has neither reported nor been cancelled.
    bool Running() const { return fCurrent != nullptr; }
    // The running load's progress: bytes read so far, and the size its file reported.
    uint64_t BytesRead() const;
    uint64_t BytesExpected() const;

    // The first lines of a regular file of at least minSize bytes: its first kPreviewBytes,
    // cut after the last line break in them (or, in a longer line, before a character that
    // would be cut), split as a load splits them. Null for a smaller or irregular file and
    // for any failure: the load itself reports those.
    static std::unique_ptr<TAdvMemoStrings::TPreparedText> PrepareHead(
        const std::string& path, const TAdvMemoStrings::TLoadSettings& settings,
        uint64_t minSize = kPreviewFrom);

  private:
    struct TJob;
    void Finish(const std::shared_ptr<TJob>& job);
    // Whether a report of job may still reach its caller.
    static bool Current(const std::weak_ptr<TBackgroundLoad*>& self,
                        const std::shared_ptr<TJob>& job);
    void JoinFinished(bool all);

    platform::UiDispatcher& fUi;
    std::shared_ptr<TJob> fCurrent;
    // Threads of loads that were started here; joined once they ended.
    std::vector<std::pair<std::shared_ptr<TJob>, std::thread>> fThreads;
    // Cleared on destruction: a report still queued for the UI thread then finds nobody.
    std::shared_ptr<TBackgroundLoad*> fSelf;
};

}  // namespace tarnwick::editor
