// FakeTimer: a one-shot timer driven by the test. Elapse(ms) moves its clock on and runs the
// handler once when the armed time is reached, so tests never sleep.
#pragma once

#include <functional>

#include "platform/Timer.h"

namespace tarnwick::testing {

class FakeTimer final : public platform::ITimer {
  public:
    void Start(int milliseconds, std::function<void()> handler) override {
        fRemaining = milliseconds;
        fHandler = std::move(handler);
        fActive = true;
        ++Starts;
    }
    void Stop() override { fActive = false; }
    bool Active() const override { return fActive; }
    int Remaining() const { return fRemaining; }

    // Lets ms pass; fires (once) when the armed time runs out.
    void Elapse(int ms) {
        if (!fActive) {
            return;
        }
        fRemaining -= ms;
        if (fRemaining <= 0) {
            fActive = false;
            const std::function<void()> handler = fHandler;
            if (handler) {
                handler();
            }
        }
    }

    int Starts = 0;

  private:
    std::function<void()> fHandler;
    int fRemaining = 0;
    bool fActive = false;
};

}  // namespace tarnwick::testing
