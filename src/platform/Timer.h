// ITimer: a one-shot UI-thread timer. Start (re)arms it for the given milliseconds; the handler
// runs once on the UI thread between input events unless Stop comes first. Stopping an idle
// timer does nothing. Implementations: a QTimer one in the Qt layer, a fake in tests.
#pragma once

#include <functional>

#include "platform/Interface.h"

namespace tarnwick::platform {

class ITimer : public Interface {
  public:
    virtual void Start(int milliseconds, std::function<void()> handler) = 0;
    virtual void Stop() = 0;
    virtual bool Active() const = 0;
};

}  // namespace tarnwick::platform
