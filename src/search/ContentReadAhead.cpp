// Content tests on helper threads, taken in the walk's order.
#include "search/ContentReadAhead.h"

#include <algorithm>
#include <chrono>
#include <system_error>

namespace tarnwick::search {
namespace {

// What End sets the walk's position to, so that no helper waits for it any more.
constexpr std::size_t kFarAhead = ~std::size_t{0};
// How long a helper that ran out of files looks out for the next folder before it sleeps.
constexpr std::chrono::microseconds kHelperSpin{200};

}  // namespace

std::size_t DefaultContentHelpers() {
    // The walk tests files too, so one core is left to it.
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp<std::size_t>(cores > 0 ? cores - 1 : 1, 1, 4);
}

ContentReadAhead::ContentReadAhead(std::size_t helpers, std::size_t chunkSize, TestFn test)
    : fTest(std::move(test)), fChunkSize(chunkSize) {
    fThreads.reserve(helpers);
    for (std::size_t i = 0; i < helpers; ++i) {
        try {
            fThreads.emplace_back([this] { HelperLoop(); });
        } catch (const std::system_error&) {
            break;  // the walk goes on with the helpers it has, or alone
        }
    }
}

ContentReadAhead::~ContentReadAhead() {
    End();
    {
        const std::lock_guard lock(fMutex);
        fQuit = true;
        fPublished.store(~std::uint64_t{0}, std::memory_order_release);
    }
    fWork.notify_all();
    for (std::thread& thread : fThreads) {
        thread.join();
    }
}

void ContentReadAhead::WaitIdle(std::unique_lock<std::mutex>& lock) {
    fIdle.wait(lock, [this] { return fBusy == 0; });
}

void ContentReadAhead::Begin(int dirFd, std::vector<const std::string*> names) {
    End();
    std::unique_lock lock(fMutex);
    fDirFd = dirFd;
    fNames = std::move(names);
    fCount = fNames.size();
    fSlots = std::make_unique<Slot[]>(fCount);
    fCursor.store(0, std::memory_order_relaxed);
    fWalkAt.store(0, std::memory_order_relaxed);
    fWanted.store(true, std::memory_order_release);
    if (fCount == 0 || fThreads.empty()) {
        return;
    }
    ++fGeneration;
    fPublished.store(fGeneration, std::memory_order_release);
    lock.unlock();
    fWork.notify_all();
}

void ContentReadAhead::End() {
    fWanted.store(false, std::memory_order_release);
    fWanted.notify_all();  // a test function may wait on it rather than poll it
    fWalkAt.store(kFarAhead, std::memory_order_release);
    fWalkAt.notify_all();  // helpers waiting for the walk to catch up
    std::unique_lock lock(fMutex);
    WaitIdle(lock);
    // A helper that wakes for this folder only now finds nothing left to take.
    fCount = 0;
    fNames.clear();
    fDirFd = -1;
}

ContentFinding ContentReadAhead::Take(std::size_t index, ContentScanner& own) {
    fWalkAt.store(index, std::memory_order_release);
    fWalkAt.notify_all();
    Slot& slot = fSlots[index];
    std::uint32_t state = kQueued;
    if (slot.state.compare_exchange_strong(state, kClaimed, std::memory_order_acq_rel)) {
        Run(index, own);
        state = kDone;
    }
    // While a helper tests it, the walk tests the next files nobody has started, rather than
    // sleep and be woken for every file; it waits only when none is left.
    while (state != kDone) {
        if (ClaimNext(own, fCount, false)) {
            state = slot.state.load(std::memory_order_acquire);
            continue;
        }
        slot.state.wait(state, std::memory_order_acquire);
        state = slot.state.load(std::memory_order_acquire);
    }
    if (slot.error) {
        std::rethrow_exception(slot.error);
    }
    return slot.finding;
}

void ContentReadAhead::Run(std::size_t index, ContentScanner& scanner) {
    Slot& slot = fSlots[index];
    try {
        slot.finding = fTest(scanner, fDirFd, *fNames[index], fWanted);
    } catch (...) {
        slot.error = std::current_exception();
    }
    slot.state.store(kDone, std::memory_order_release);
    slot.state.notify_all();
}

bool ContentReadAhead::ClaimNext(ContentScanner& scanner, std::size_t count, bool helper) {
    // Indexes are claimed in order, so the one the walk needs next is always among the first
    // started; an index the walk took itself meanwhile is passed over.
    for (;;) {
        const std::size_t index = fCursor.fetch_add(1, std::memory_order_relaxed);
        if (index >= count) {
            return false;
        }
        if (!helper) {
            // The walk, waiting for its own entry, keeps within the window too; an index it
            // passes up stays queued and is tested by the walk itself when it gets there.
            const std::size_t at = fWalkAt.load(std::memory_order_acquire);
            if (index >= at && index - at >= kReadAheadWindow) {
                return false;
            }
        }
        // A helper keeps within the window ahead of the walk; End moves fWalkAt far on.
        for (std::size_t at = fWalkAt.load(std::memory_order_acquire);
             helper && index >= at && index - at >= kReadAheadWindow &&
             fWanted.load(std::memory_order_acquire);
             at = fWalkAt.load(std::memory_order_acquire)) {
            fWalkAt.wait(at, std::memory_order_acquire);
        }
        if (!fWanted.load(std::memory_order_acquire)) {
            return false;
        }
        std::uint32_t expected = kQueued;
        if (fSlots[index].state.compare_exchange_strong(expected, kClaimed,
                                                        std::memory_order_acq_rel)) {
            Run(index, scanner);
            return true;
        }
    }
}

void ContentReadAhead::HelperLoop() {
    ContentScanner scanner(fChunkSize);
    std::uint64_t seen = 0;
    std::unique_lock lock(fMutex);
    for (;;) {
        fWork.wait(lock, [&] { return fQuit || fGeneration != seen; });
        if (fQuit) {
            return;
        }
        seen = fGeneration;
        ++fBusy;
        const std::size_t count = fCount;
        lock.unlock();
        while (ClaimNext(scanner, count, true)) {
        }
        lock.lock();
        if (--fBusy == 0) {
            fIdle.notify_all();
        }
        // The walk lists its next folder in far less time than a sleeping thread takes to be
        // woken and scheduled again, so a helper looks out for it a moment before it sleeps.
        lock.unlock();
        const auto until = std::chrono::steady_clock::now() + kHelperSpin;
        while (fPublished.load(std::memory_order_acquire) == seen &&
               std::chrono::steady_clock::now() < until) {
            std::this_thread::yield();
        }
        lock.lock();
    }
}

}  // namespace tarnwick::search
