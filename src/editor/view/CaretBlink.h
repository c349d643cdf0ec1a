// TCaretBlink: the on/off phase of the caret a host draws. Restart puts the phase on and, when
// running, arms the timer for half a flash period; each time it fires the timer is armed again
// and the phase flips, except that a caret that may not blink at that moment (a key is held)
// stays on. OnToggle then asks the host to repaint the caret. A half period of 0 or less never
// arms the timer, so the caret stays on. The timer is one-shot: the repetition is ours.
#pragma once

#include <functional>

#include "platform/Timer.h"

namespace tarnwick::editor {

class TCaretBlink {
  public:
    // timer: outlives this object. halfPeriod: milliseconds between two flips. caretBlinks:
    // whether the caret may blink now (asked at every flip; empty means always).
    TCaretBlink(platform::ITimer& timer, int halfPeriod, std::function<bool()> caretBlinks);
    ~TCaretBlink();
    TCaretBlink(const TCaretBlink&) = delete;
    TCaretBlink& operator=(const TCaretBlink&) = delete;

    int HalfPeriod() const { return fHalfPeriod; }
    // Whether the caret is in its on phase.
    bool On() const { return fOn; }
    // The phase goes on; with running (the pane has the focus) the blinking starts anew.
    void Restart(bool running);
    // No more flips until the next running Restart; the phase stays as it is.
    void Stop();
    bool Running() const { return fTimer.Active(); }

    // Raised after each flip (also when a held key kept the phase on).
    std::function<void()> OnToggle;

  private:
    void Arm();
    void Flip();

    platform::ITimer& fTimer;
    int fHalfPeriod;
    std::function<bool()> fCaretBlinks;
    bool fOn = true;
};

}  // namespace tarnwick::editor
