// The control's focus, the caret as the host draws it, the mouse wheel and setting the top
// line from the keyboard or the wheel.
#include "editor/control/AdvCustomMemo.h"

namespace tarnwick::editor {

void TAdvCustomMemo::FocusGained() {
    fFocused = true;
    Invalidate();
}

void TAdvCustomMemo::FocusLost() {
    fFocused = false;
    fInput.BlinkSaved = false;
    HintFocusLost();
    Invalidate();
}

bool TAdvCustomMemo::CaretShown() const {
    return fFocused && !fEditSettings.HiddenCaret && !fInput.CaretHiddenByPress;
}

platform::SurfaceRect TAdvCustomMemo::CaretRect() const {
    const TTextPos cell = CaretCell();
    const platform::SurfaceRect r = fView.CellRect(cell.X, cell.Y);
    return {r.Left, r.Top + 1, r.Left + kCaretWidth, r.Top + 1 + CaretHeight(fView.LineHeight())};
}

bool TAdvCustomMemo::MouseWheel(int delta, TShiftState) {
    // Touchpads send small parts of a notch; they add up to whole steps. A moved top line
    // hides the parameter hint (the aids listen to the view).
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
    const int old = FirstVisibleLine();
    fView.ScrollVerticalTo(std::min(line, count - 1));
    Invalidate();
    if (old != FirstVisibleLine() && OnTopLeftChanged) {
        OnTopLeftChanged(*this);
    }
}

}  // namespace tarnwick::editor
