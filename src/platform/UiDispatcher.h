// Hands work from any thread to the UI thread. Tasks run on the UI thread in the order they were
// posted; posting never blocks and never runs the task on the caller's thread.
#pragma once

#include <functional>

namespace tarnwick::platform {

class UiDispatcher {
  public:
    UiDispatcher() = default;
    // A dispatcher is shared by reference between threads; copying it would split its queue.
    UiDispatcher(const UiDispatcher&) = delete;
    UiDispatcher& operator=(const UiDispatcher&) = delete;
    virtual ~UiDispatcher() = default;

    // Queues `task` for the UI thread. Safe to call from any thread.
    virtual void Post(std::function<void()> task) = 0;
};

}  // namespace tarnwick::platform
