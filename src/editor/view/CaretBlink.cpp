#include "editor/view/CaretBlink.h"

#include <utility>

namespace tarnwick::editor {

TCaretBlink::TCaretBlink(platform::ITimer& timer, int halfPeriod, std::function<bool()> caretBlinks)
    : fTimer(timer), fHalfPeriod(halfPeriod), fCaretBlinks(std::move(caretBlinks)) {}

TCaretBlink::~TCaretBlink() {
    // The timer may outlive us: its handler must not run into a destroyed object.
    fTimer.Stop();
}

void TCaretBlink::Restart(bool running) {
    fOn = true;
    if (running && fHalfPeriod > 0) {
        Arm();
    }
}

void TCaretBlink::Stop() {
    fTimer.Stop();
}

void TCaretBlink::Arm() {
    fTimer.Start(fHalfPeriod, [this] { Flip(); });
}

void TCaretBlink::Flip() {
    // Armed again first, so a failing repaint does not end the blinking.
    Arm();
    const bool blinks = !fCaretBlinks || fCaretBlinks();
    fOn = !fOn || !blinks;
    if (OnToggle) {
        OnToggle();
    }
}

}  // namespace tarnwick::editor
