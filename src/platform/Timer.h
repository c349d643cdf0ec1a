// ITimer: a one-shot UI-thread timer. Start (re)arms it for the given milliseconds; the handler
// runs once on the UI thread between input events unless Stop comes first. Stopping an idle
// timer does nothing. Implementations: a QTimer one in the Qt layer, a fake in tests.
#pragma once

#include <functional>

namespace tarnwick::platform {

class ITimer {
  public:
    ITimer() = default;
    virtual ~ITimer() = default;
    ITimer(const ITimer&) = delete;
    ITimer& operator=(const ITimer&) = delete;

    virtual void Start(int milliseconds, std::function<void()> handler) = 0;
    virtual void Stop() = 0;
    virtual bool Active() const = 0;
};

}  // namespace tarnwick::platform
