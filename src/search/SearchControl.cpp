// Search control.
#include "search/SearchControl.h"

#include <system_error>

namespace tarnwick::search {

SearchControl::SearchControl(const SearchOptions& options, platform::UiDispatcher& dispatcher,
                             const platform::TypeNames& typeNames,
                             const platform::LocaleFormats& locale, SearchNotifications& window,
                             std::chrono::microseconds pause)
    : fOptions(options),
      fDispatcher(dispatcher),
      fTypeNames(typeNames),
      fLocale(locale),
      fWindow(window),
      fPause(pause) {}

SearchControl::~SearchControl() {
    *fAlive = false;
    fState.Running.store(false);
    fWorker.reset();  // joins the thread
}

void SearchControl::StartSearch() {
    if (fWorker) {
        // One walk at a time: a start while a walk runs, or while the end notification of a
        // stopped walk is still on its way, is refused.
        return;
    }
    if (!fState.AllDrives) {
        fState.ContentText = fOptions.ContainingText();
        fState.CurrentRoot = fOptions.LookIn();
        if (fState.CurrentRoot == kAllDrivesText) {
            fState.AllDrives = true;
            fState.DriveCursor = static_cast<std::int32_t>(fState.DriveRoots.size()) - 1;
            if (fState.DriveRoots.empty()) {
                // No drive to walk: the run ends at once, after it has been announced.
                fState.AllDrives = false;
                fState.DriveCursor = -1;
                fState.RowsFound.store(0);
                fWindow.SearchStarted();
                fWindow.RunEnded();
                return;
            }
            fState.CurrentRoot = fState.DriveRoots.back();
        } else {
            fState.DriveCursor = -1;
            fState.AllDrives = false;
        }
        fState.Running.store(true);
        fState.RowsFound.store(0);
        fWindow.SearchStarted();
    }

    SearchRequest request{fState.CurrentRoot, fOptions.NameText(), fOptions.Recurse()};
    WalkContext context{fState,  fOptions,           fTypeNames, fLocale,
                        nullptr, fState.ContentText, fPause,     fContentChunkSize};
    auto alive = fAlive;
    // Each end notification belongs to its own worker: one that arrives for another run (a
    // worker already gone) is ignored.
    const std::uint64_t run = ++fRunSerial;
    fWorker = std::make_unique<TFindFiles>(
        std::move(request), context, fDispatcher,
        [this, alive](SearchEventBatch batch) {
            if (*alive) {
                fWindow.ShowSearchEvents(batch);
            }
        },
        [this, alive, run] {
            if (*alive && fWorker && run == fRunSerial) {
                SearchFinished();
            }
        });
    try {
        fWorker->Start();
    } catch (const std::system_error&) {
        // No thread for the walk (the system is out of threads): the run ends the way a walk
        // that failed ends, and the window returns to idle instead of staying busy.
        fWorker.reset();
        fState.Running.store(false);
        fState.AllDrives = false;
        fState.DriveCursor = -1;
        fWindow.RunEnded();
    }
}

void SearchControl::StopSearch() {
    fState.Running.store(false);
}

void SearchControl::SearchFinished() {
    if (fWorker) {
        fWorker->Join();
        fWorker.reset();
    }
    if (fState.AllDrives && fState.DriveCursor > 0) {
        --fState.DriveCursor;
        fState.CurrentRoot = fState.DriveRoots[static_cast<std::size_t>(fState.DriveCursor)];
        StartSearch();
        return;
    }
    fState.AllDrives = false;
    fState.DriveCursor = -1;
    fWindow.RunEnded();
}

}  // namespace tarnwick::search
