// Tests the files of one folder for the containing text on a few helper threads, ahead of the
// walk, which takes the findings one by one in its own order.
//
// The walk hands over the names it will examine (Begin), then asks for each finding when it
// reaches that entry (Take): a test no helper has started yet runs on the walk's own thread;
// while a helper runs the one it needs, the walk tests the next ones nobody has started, and
// waits only when none is left. A test that threw rethrows from Take, so an error surfaces
// at the entry where a walk without helpers would have met it, and not before. End drops the
// tests not started and waits for the running ones, which give up between chunks: afterwards no
// helper touches the folder's descriptor or its names. Helpers idle between folders; the
// destructor ends them. Without helpers (none asked for, or no thread could be created) every
// test runs in Take, as a plain walk would run it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "search/ContentTest.h"

namespace tarnwick::search {

// Helper threads a walk uses when nothing else is said: one per core but the walk's, at least
// one, at most four.
std::size_t DefaultContentHelpers();
// How far the helpers may test ahead of the entry the walk examines: a walk slowed by its pause
// doesn't read a large folder long before it gets there.
inline constexpr std::size_t kReadAheadWindow = 64;

class ContentReadAhead {
  public:
    // Tests `name` in the folder open as `dirFd` with `scanner`; should give up soon once
    // `wanted` is false. Runs on the helpers and on the thread that calls Take.
    using TestFn =
        std::function<ContentFinding(ContentScanner& scanner, int dirFd, const std::string& name,
                                     const std::atomic<bool>& wanted)>;

    ContentReadAhead(std::size_t helpers, std::size_t chunkSize, TestFn test);
    ContentReadAhead(const ContentReadAhead&) = delete;  // owns threads
    ContentReadAhead& operator=(const ContentReadAhead&) = delete;
    ~ContentReadAhead();

    // Starts testing `names` in the folder open as `dirFd`; the names and the descriptor must
    // stay valid until End. Ends the previous folder's tests first.
    void Begin(int dirFd, std::vector<const std::string*> names);
    // The finding for names[index] of the current folder, testing it with `own` when no helper
    // has started it. Each index is taken at most once.
    ContentFinding Take(std::size_t index, ContentScanner& own);
    // Drops the tests not started yet and waits for the running ones to give up.
    void End();

    std::size_t Helpers() const { return fThreads.size(); }

  private:
    enum SlotState : std::uint32_t { kQueued, kClaimed, kDone };
    struct Slot {
        std::atomic<std::uint32_t> state{kQueued};
        ContentFinding finding = ContentFinding::Absent;
        std::exception_ptr error;
    };

    void HelperLoop();
    // Tests the next index nobody has started among the first `count`; false when none is
    // left. A helper first waits until the index is within the window ahead of the walk.
    bool ClaimNext(ContentScanner& scanner, std::size_t count, bool helper);
    void Run(std::size_t index, ContentScanner& scanner);
    // Waits, holding `lock`, until no helper works on the current folder.
    void WaitIdle(std::unique_lock<std::mutex>& lock);

    TestFn fTest;
    std::size_t fChunkSize;

    // The current folder. Written by Begin while no helper works on it (fBusy == 0, under
    // fMutex); read by helpers that joined it under fMutex.
    int fDirFd = -1;
    std::vector<const std::string*> fNames;
    std::unique_ptr<Slot[]> fSlots;
    std::size_t fCount = 0;
    std::atomic<std::size_t> fCursor{0};  // the next index a helper claims
    std::atomic<bool> fWanted{false};     // the folder's findings are still wanted
    std::atomic<std::size_t> fWalkAt{0};  // the index the walk takes now

    std::mutex fMutex;
    std::condition_variable fWork;             // a new folder, or the end
    std::condition_variable fIdle;             // fBusy fell to 0
    std::uint64_t fGeneration = 0;             // counts folders begun
    std::atomic<std::uint64_t> fPublished{0};  // fGeneration, for helpers looking out for work
    std::size_t fBusy = 0;                     // helpers working on the current folder
    bool fQuit = false;
    std::vector<std::thread> fThreads;
};

}  // namespace tarnwick::search
