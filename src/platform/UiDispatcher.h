// Hands work from any thread to the UI thread. Tasks run on the UI thread in the order they were
// posted; posting never blocks and never runs the task on the caller's thread. A dispatcher is
// shared by reference between threads (a copy would split its queue).
#pragma once

#include <functional>

#include "platform/Interface.h"

namespace tarnwick::platform {

class UiDispatcher : public Interface {
  public:
    // Queues `task` for the UI thread. Safe to call from any thread.
    virtual void Post(std::function<void()> task) = 0;
};

}  // namespace tarnwick::platform
