// The control's input entry points: what a host's keyboard, mouse, wheel, focus and
// context-menu events become. Keys, typing, the mouse and the context menu are not used yet
// (the pane only shows text): they report the input as not handled.
#include "editor/AdvCustomMemo.h"

namespace tarnwick::editor {

bool TAdvCustomMemo::KeyDown(TKey, TShiftState) {
    return false;
}

bool TAdvCustomMemo::KeyPress(std::string_view) {
    return false;
}

bool TAdvCustomMemo::KeyUp(TKey, TShiftState) {
    return false;
}

bool TAdvCustomMemo::MouseDown(TMouseButton, TShiftState, int, int) {
    return false;
}

bool TAdvCustomMemo::MouseMove(TShiftState, int, int) {
    return false;
}

bool TAdvCustomMemo::MouseUp(TMouseButton, TShiftState, int, int) {
    return false;
}

bool TAdvCustomMemo::DoubleClick(TShiftState, int, int) {
    return false;
}

bool TAdvCustomMemo::ContextMenuRequested(int, int) {
    return false;
}

void TAdvCustomMemo::FocusGained() {
    fFocused = true;
    Invalidate();
}

void TAdvCustomMemo::FocusLost() {
    fFocused = false;
    Invalidate();
}

bool TAdvCustomMemo::MouseWheel(int delta, TShiftState) {
    // Touchpads send small parts of a notch; they add up to whole steps.
    fWheelRemainder += delta;
    while (fWheelRemainder >= kWheelDelta || fWheelRemainder <= -kWheelDelta) {
        const bool down = fWheelRemainder < 0;
        fWheelRemainder += down ? kWheelDelta : -kWheelDelta;
        const int first = FirstVisibleLine();
        const int count = fLines->Count();
        if (down) {
            if (first < count) {
                SetTopLine(first + kWheelLines);
            }
        } else if (first > kWheelLines) {
            SetTopLine(first - kWheelLines);
        } else if (count > VisibleRows()) {
            SetTopLine(0);
        }
    }
    return true;
}

void TAdvCustomMemo::SetTopLine(int line) {
    if (line == FirstVisibleLine()) {
        return;
    }
    const int count = fLines->Count();
    if (count < VisibleRows()) {
        // Everything fits: the caret goes home. The column first, so that arriving on line 0
        // never pads it with spaces up to the old column.
        if (count > 0 && (fCurX != 0 || fCurY != 0)) {
            SetCaretColumn(0);
            SetCaretLine(0);
            Invalidate();
        }
        return;
    }
    if (line < 0) {
        return;
    }
    fView.ScrollVerticalTo(std::min(line, count - 1));
}

}  // namespace tarnwick::editor
