// QtTimer: the one-shot UI-thread timer on a single-shot QTimer of the calling thread.
#pragma once

#include <QTimer>
#include <functional>

#include "platform/Timer.h"

namespace tarnwick::platform {

class QtTimer final : public ITimer {
  public:
    QtTimer();
    void Start(int milliseconds, std::function<void()> handler) override;
    void Stop() override;
    bool Active() const override;

  private:
    QTimer fTimer;
    std::function<void()> fHandler;
};

}  // namespace tarnwick::platform
