// Search control.
#include "search/SearchControl.h"

#include <system_error>

namespace tarnwick {

SearchControl::SearchControl(const SearchOptions& options, UiDispatcher& dispatcher,
                             const TypeNames& typeNames, const LocaleFormats& locale,
                             SearchNotifications& window, std::chrono::microseconds pause)
    : options_(options),
      dispatcher_(dispatcher),
      typeNames_(typeNames),
      locale_(locale),
      window_(window),
      pause_(pause) {}

SearchControl::~SearchControl() {
    *alive_ = false;
    state_.Running.store(false);
    worker_.reset();  // joins the thread
}

void SearchControl::StartSearch() {
    if (worker_) {
        // One walk at a time: a start while a walk runs, or while the end notification of a
        // stopped walk is still on its way, is refused.
        return;
    }
    if (!state_.AllDrives) {
        state_.ContentText = options_.ContainingText();
        state_.CurrentRoot = options_.LookIn();
        if (state_.CurrentRoot == kAllDrivesText) {
            state_.AllDrives = true;
            state_.DriveCursor = static_cast<std::int32_t>(state_.DriveRoots.size()) - 1;
            if (state_.DriveRoots.empty()) {
                // No drive to walk: the run ends at once, after it has been announced.
                state_.AllDrives = false;
                state_.DriveCursor = -1;
                state_.RowsFound.store(0);
                window_.SearchStarted();
                window_.RunEnded();
                return;
            }
            state_.CurrentRoot = state_.DriveRoots.back();
        } else {
            state_.DriveCursor = -1;
            state_.AllDrives = false;
        }
        state_.Running.store(true);
        state_.RowsFound.store(0);
        window_.SearchStarted();
    }

    SearchRequest request{state_.CurrentRoot, options_.NameText(), options_.Recurse()};
    WalkContext context{state_,  options_,           typeNames_, locale_,
                        nullptr, state_.ContentText, pause_,     contentChunkSize_};
    auto alive = alive_;
    // Each end notification belongs to its own worker: one that arrives for another run (a
    // worker already gone) is ignored.
    const std::uint64_t run = ++runSerial_;
    worker_ = std::make_unique<TFindFiles>(
        std::move(request), context, dispatcher_,
        [this, alive](SearchEventBatch batch) {
            if (*alive) {
                window_.ShowSearchEvents(batch);
            }
        },
        [this, alive, run] {
            if (*alive && worker_ && run == runSerial_) {
                SearchFinished();
            }
        });
    try {
        worker_->Start();
    } catch (const std::system_error&) {
        // No thread for the walk (the system is out of threads): the run ends the way a walk
        // that failed ends, and the window returns to idle instead of staying busy.
        worker_.reset();
        state_.Running.store(false);
        state_.AllDrives = false;
        state_.DriveCursor = -1;
        window_.RunEnded();
    }
}

void SearchControl::StopSearch() {
    state_.Running.store(false);
}

void SearchControl::SearchFinished() {
    if (worker_) {
        worker_->Join();
        worker_.reset();
    }
    if (state_.AllDrives && state_.DriveCursor > 0) {
        --state_.DriveCursor;
        state_.CurrentRoot = state_.DriveRoots[static_cast<std::size_t>(state_.DriveCursor)];
        StartSearch();
        return;
    }
    state_.AllDrives = false;
    state_.DriveCursor = -1;
    window_.RunEnded();
}

}  // namespace tarnwick
