// A UiDispatcher for tests: posted tasks wait in a queue until the test runs them on its own
// thread, which plays the UI thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/UiDispatcher.h"

namespace tarnwick::testing {

class QueueDispatcher final : public platform::UiDispatcher {
  public:
    void Post(std::function<void()> task) override {
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        ready_.notify_all();
    }

    // Runs queued tasks, waiting for new ones, until `done()` is true after a task or the
    // timeout passes. Returns done().
    template <typename Predicate>
    bool RunUntil(Predicate done,
                  std::chrono::milliseconds timeout = std::chrono::milliseconds(20000)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            std::function<void()> task;
            {
                std::unique_lock lock(mutex_);
                if (!ready_.wait_until(lock, deadline, [&] { return !tasks_.empty(); })) {
                    return done();
                }
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
        return true;
    }

    // Runs what is queued now, without waiting.
    void RunPending() {
        for (;;) {
            std::function<void()> task;
            {
                std::lock_guard lock(mutex_);
                if (tasks_.empty()) {
                    return;
                }
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
    }

    std::size_t Pending() const {
        std::lock_guard lock(mutex_);
        return tasks_.size();
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace tarnwick::testing
