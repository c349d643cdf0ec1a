// Dragging the selected text within the editor: the drop marker while the pointer moves, and
// the drop that moves the text (or copies it with Ctrl). Places are compared as character
// offsets, line breaks counting 2.
#include "editor/control/AdvCustomMemo.h"
#include "editor/editing/EditColumns.h"

namespace tarnwick::editor {

namespace {
constexpr int64_t kLineBreak = 2;
}

int64_t TAdvCustomMemo::CharOffset(TTextPos pos) const {
    const int count = fLines->Count();
    const std::vector<int32_t>& lengths = fLines->LineLengths();
    const bool known = static_cast<int>(lengths.size()) == count;
    int64_t offset = 0;
    for (int y = 0; y < pos.Y && y < count; ++y) {
        offset += (known ? lengths[static_cast<size_t>(y)] : LineLength(y)) + kLineBreak;
    }
    return offset + pos.X;
}

TTextPos TAdvCustomMemo::PosOfCharOffset(int64_t offset) const {
    const int count = fLines->Count();
    int y = 0;
    while (y < count - 1) {
        const int64_t next = LineLength(y) + kLineBreak;
        if (offset < next) {
            break;
        }
        offset -= next;
        ++y;
    }
    return {static_cast<int>(offset), y};
}

void TAdvCustomMemo::DragOver(int x, int y) {
    const bool wasShown = fDrag.MarkerShown;
    fDrag.MarkerShown = InTextArea(x, y);
    if (fDrag.MarkerShown) {
        const TCellPoint cell = fView.PointToCell(x, y);
        fDrag.MarkerColumn = cell.Column;
        fDrag.MarkerRow = cell.Row;
    }
    fPointerShape = TCursorShape::crArrow;
    if (wasShown || fDrag.MarkerShown) {
        Invalidate();
    }
}

void TAdvCustomMemo::DragLeave() {
    if (fDrag.MarkerShown) {
        fDrag.MarkerShown = false;
        Invalidate();
    }
}

void TAdvCustomMemo::DragDrop(int x, int y, TShiftState shift) {
    fDrag.Running = false;
    DragLeave();
    fPointerShape = TCursorShape::crIBeam;
    if (fEditSettings.ReadOnly || !HasSelection() || !InTextArea(x, y)) {
        return;
    }
    const std::string text = SelectedText();
    const int64_t textLength = SelectionLength();
    const TCellPoint cell = fView.PointToCell(x, y);
    const TTextPos drop{cell.Column + FirstVisibleColumn(), cell.Row + FirstVisibleLine()};
    const int64_t dropOffset = CharOffset(drop);
    const int64_t caretOffset = CharOffset({fCurX, fCurY});
    // A drop onto the selection itself would insert the text into the range that is removed
    // afterwards; it leaves everything as it is.
    const int64_t start = CharOffset(SelectionStart());
    if (dropOffset >= start && dropOffset <= start + textLength) {
        return;
    }
    const bool copy = (shift & ssCtrl) != 0;
    const bool earlier = dropOffset < caretOffset;
    if (!copy && earlier) {
        DeleteSelectedText(false);
    }
    const TTextPos anchor = fAnchor;
    const TTextPos active = fActiveEnd;
    PositionFromMouse(x, y, shift, false);
    fAnchor = fActiveEnd = fFollowPoint = {fCurX, fCurY};
    InsertAtCaret(text);
    const int64_t newOffset = CharOffset(drop);
    fAnchor = anchor;
    fActiveEnd = active;
    if (copy || earlier) {
        fAnchor = PosOfCharOffset(newOffset);
        fActiveEnd = PosOfCharOffset(newOffset + textLength);
    } else {
        DeleteSelectedText(false);
        fAnchor = PosOfCharOffset(newOffset - textLength);
        fActiveEnd = PosOfCharOffset(newOffset);
    }
    SetCaretColumn(drop.X);
    SetCaretLine(drop.Y);
    Invalidate();
    if (OnDragDrop) {
        OnDragDrop(*this);
    }
}

}  // namespace tarnwick::editor
