// Search control: turns the window's inputs into one walk or a chain of walks, one per drive
// root for All Drives (from the last root to the first), lets the user stop it and reports the
// start and the end of a run. Runs on the UI thread; at most one worker exists at a time.
// Destroying the control stops a running walk, waits for it and drops its pending deliveries.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include "platform/LocaleFormats.h"
#include "platform/TypeNames.h"
#include "platform/UiDispatcher.h"
#include "search/FindFiles.h"
#include "search/SearchEvents.h"
#include "search/SearchOptions.h"
#include "search/SearchState.h"

namespace tarnwick::search {

// What the main window does at the start and end of a run and with a walk's events.
class SearchNotifications {
  public:
    SearchNotifications() = default;
    SearchNotifications(const SearchNotifications&) = delete;
    SearchNotifications& operator=(const SearchNotifications&) = delete;
    virtual ~SearchNotifications() = default;

    // A search the user started is about to walk its first root.
    virtual void SearchStarted() = 0;
    // The last walk of a run has ended.
    virtual void RunEnded() = 0;
    // Folder texts, rows and found-count texts, in the order produced.
    virtual void ShowSearchEvents(const SearchEventBatch& batch) = 0;
};

class SearchControl {
  public:
    SearchControl(const SearchOptions& options, platform::UiDispatcher& dispatcher,
                  const platform::TypeNames& typeNames, const platform::LocaleFormats& locale,
                  SearchNotifications& window, std::chrono::microseconds pause = kEntryPause);
    SearchControl(const SearchControl&) = delete;
    SearchControl& operator=(const SearchControl&) = delete;
    ~SearchControl();

    SearchState& State() { return fState; }
    const SearchState& State() const { return fState; }

    // Refused (does nothing) while a walk runs or its end notification is pending. When no
    // thread can be created for the walk, the run ends at once (RunEnded).
    void StartSearch();
    void StopSearch();
    // The end notification of each worker.
    void SearchFinished();
    // True from the start of a walk until its end notification has run.
    bool IsWalking() const { return fWorker != nullptr; }

    // Tests and benchmarks may read files in smaller chunks.
    void SetContentChunkSize(std::size_t bytes) { fContentChunkSize = bytes; }

  private:
    const SearchOptions& fOptions;
    platform::UiDispatcher& fDispatcher;
    const platform::TypeNames& fTypeNames;
    const platform::LocaleFormats& fLocale;
    SearchNotifications& fWindow;
    std::chrono::microseconds fPause;
    std::size_t fContentChunkSize = 0;
    SearchState fState;
    std::unique_ptr<TFindFiles> fWorker;
    std::uint64_t fRunSerial = 0;  // numbers the workers, to match end notifications to them
    // Posted deliveries check this on the UI thread; cleared when the control goes away.
    std::shared_ptr<bool> fAlive = std::make_shared<bool>(true);
};

}  // namespace tarnwick::search
