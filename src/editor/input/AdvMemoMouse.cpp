// The editor's mouse: a press positions the caret (or arms a drag of the selection), moving
// with the button down selects, a release ends both, and a double-click selects a word.
#include <cstdlib>

#include "editor/control/AdvCustomMemo.h"
#include "editor/editing/EditColumns.h"

namespace tarnwick::editor {

bool TAdvCustomMemo::InTextArea(int x, int y) const {
    const platform::SurfaceRect area = fView.TextAreaRect();
    return x >= area.Left && x < area.Right && y >= area.Top && y < area.Bottom;
}

bool TAdvCustomMemo::InGutter(int x, int y) const {
    if (!fView.GutterShown()) {
        return false;
    }
    const platform::SurfaceRect gutter = fView.GutterRect();
    return x >= gutter.Left && x < gutter.Right && y >= gutter.Top && y < gutter.Bottom;
}

bool TAdvCustomMemo::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) {
        OnMouseDown(*this, button, shift, x, y);
    }
    fInput.PressedInside = false;
    fInput.JustPositioned = false;
    fDrag.Pending = false;
    // Right and middle presses neither move the caret nor change the selection.
    if (button != TMouseButton::mbLeft) {
        return true;
    }
    if (InGutter(x, y)) {
        const int line = fView.PointToTextPos(x, y).Y;
        if (line >= 0 && line < fLines->Count()) {
            if (OnGutterClick) {
                OnGutterClick(*this, line);
            } else {
                // Caret to the line, column kept; the selection collapses without an event.
                SetCaretLine(line);
                fAnchor = fActiveEnd = fFollowPoint = {fCurX, fCurY};
                Invalidate();
            }
        }
    }
    PositionFromMouse(x, y, shift, true);
    if (fInput.PressedInside) {
        fDrag.StartX = x;
        fDrag.StartY = y;
    }
    return true;
}

bool TAdvCustomMemo::PositionFromMouse(int x, int y, TShiftState shift, bool press) {
    if (!InTextArea(x, y)) {
        return false;
    }
    const TCellPoint cell = fView.PointToCell(x, y);
    const TTextPos target{cell.Column + FirstVisibleColumn(), cell.Row + FirstVisibleLine()};
    if (press && HasSelection()) {
        const int64_t start = CharOffset(SelectionStart());
        const int64_t at = CharOffset(target);
        if (at > start && at < start + SelectionLength()) {
            fInput.PressedInside = true;
            return false;
        }
    }
    fInput.CaretHiddenByPress = true;
    const int oldLine = fCurY;
    if (fLines->Count() == 0) {
        SetCaretLine(0);  // an empty list gets its line first
    }
    fCurY = std::clamp(target.Y, 0, fLines->Count() - 1);
    SetCaretColumn(target.X);
    SetCaretLine(fCurY);
    fInput.JustPositioned = true;
    if (fCurY != oldLine) {
        UpdateBlockMatch();
        Invalidate();  // the gutter shows the caret line's number
    }
    KeepCaretVisible();
    if (!press) {
        fInput.CaretHiddenByPress = false;
        Invalidate();
        return true;
    }
    if ((shift & ssShift) != 0) {
        ExtendSelection();
    } else {
        CollapseSelection();
    }
    fInput.MouseSelectionArmed = true;
    return true;
}

bool TAdvCustomMemo::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) {
        OnMouseMove(*this, shift, x, y);
    }
    if (fDrag.Running) {
        DragOver(x, y);
        return true;
    }
    if (fInput.JustPositioned) {
        fInput.JustPositioned = false;
        return true;
    }
    if (fInput.PressedInside && DragMode == dmAutomatic && !fEditSettings.ReadOnly &&
        !OleDropSource) {
        fInput.PressedInside = false;
        fDrag.Pending = true;
    }
    if (fDrag.Pending) {
        // The drag begins once the pointer has moved far enough with the button held.
        if ((shift & ssLeft) == 0) {
            fDrag.Pending = false;
        } else if (std::abs(x - fDrag.StartX) >= TMemoDragState::kThreshold ||
                   std::abs(y - fDrag.StartY) >= TMemoDragState::kThreshold) {
            fDrag.Pending = false;
            fDrag.Running = true;
            DragOver(x, y);
        }
        return true;
    }
    fPointerShape = TCursorShape::crIBeam;
    if (HasSelection() && DragMode == dmAutomatic && InTextArea(x, y)) {
        const TTextPos at = fView.PointToTextPos(x, y);
        const int64_t offset = CharOffset(at);
        const int64_t start = CharOffset(SelectionStart());
        if (offset >= start && offset <= start + SelectionLength()) {
            fPointerShape = TCursorShape::crArrow;
        }
    }
    if ((shift & ssLeft) != 0 && fInput.MouseSelectionArmed && !fInput.PressedInside) {
        MouseDrag(x, y);
    }
    return true;
}

void TAdvCustomMemo::MouseDrag(int x, int y) {
    const TTextPos anchor = fAnchor;
    const TTextPos active = fActiveEnd;
    const TCellPoint cell = fView.PointToCell(x, y);
    const platform::SurfaceRect area = fView.TextAreaRect();
    const int row = (y - area.Top) / std::max(1, fView.LineHeight()) - (y < area.Top ? 1 : 0);
    SetCaretLine(row + FirstVisibleLine());
    // No spaces are appended while dragging: the column stops at the line's end.
    int column = 0;
    if (x < area.Left) {
        SetFirstVisibleColumn(0);
    } else {
        column = std::min(cell.Column + FirstVisibleColumn(), LineLength(fCurY));
    }
    {
        const auto noPadding = TScopedValue<bool>(fAutoExpand, false);
        SetCaretColumn(column);
    }
    ExtendSelection();
    if (anchor != fAnchor || active != fActiveEnd) {
        Invalidate();
    }
}

bool TAdvCustomMemo::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) {
        OnMouseUp(*this, button, shift, x, y);
    }
    if (button == TMouseButton::mbLeft) {
        fInput.CaretHiddenByPress = false;
        Invalidate();
    }
    fInput.MouseSelectionArmed = false;
    fDrag.Pending = false;
    if (fDrag.Running) {
        DragDrop(x, y, shift);
        return true;
    }
    if (fInput.PressedInside) {
        // A click inside the selection: the selection ends, the caret goes to the click.
        CollapseSelection();
        fInput.PressedInside = false;
        PositionFromMouse(x, y, shift, false);
    }
    return true;
}

bool TAdvCustomMemo::DoubleClick(TShiftState, int x, int y) {
    if (InGutter(x, y)) {
        if (OnGutterDblClick) {
            OnGutterDblClick(*this, fView.PointToTextPos(x, y).Y);
        }
        return true;
    }
    if (!InTextArea(x, y)) {
        return true;
    }
    if (OnDblClick) {
        OnDblClick(*this);
    }
    if (fLines->Count() == 0 || fCurY < 0 || fCurY >= fLines->Count()) {
        return true;
    }
    // The press that began the double-click put the caret; the word around it is selected.
    const std::string_view s = fLines->View(fCurY);
    const int p = fCurX;
    const int length = columns::Length(s);
    auto delimiterAt = [&](int column) { return IsDelimiterChar(s[columns::Byte(s, column)]); };
    if (p >= length || delimiterAt(p)) {
        return true;
    }
    const int from = p > 0 ? p - 1 : 0;
    int start = 0;
    int end = 0;
    for (int c = from; c < length && !delimiterAt(c); ++c) {
        end = c + 1;
    }
    for (int c = from; c >= 0 && !delimiterAt(c); --c) {
        start = c;
    }
    CollapseSelection();
    if (start < end) {
        fAnchor = {start, fCurY};
        fActiveEnd = {end, fCurY};
    }
    RaiseSelectionChange();
    Invalidate();
    return true;
}

}  // namespace tarnwick::editor
