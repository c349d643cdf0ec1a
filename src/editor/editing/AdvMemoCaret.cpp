// Caret and selection of the editor: the caret moves, the selection ends, following the caret.
#include "editor/control/AdvCustomMemo.h"

namespace tarnwick::editor {

void TAdvCustomMemo::SetCaretColumn(int column) {
    if (column == fCurX && fAutoExpand) {
        return;
    }
    if (fLines->Count() == 0 && !fAutoExpand) {
        return;
    }
    if (column < 0) {
        if (fCurY > 0) {
            SetCaretLine(fCurY - 1);
            column = fLines->LineCharCount(fCurY);
        } else {
            column = 0;
        }
    }
    fCurX = column;
    if (fCurY >= 0 && fCurY < fLines->Count()) {
        // Appended spaces are no change of the document: no OnChange, no undo record.
        const auto quiet = SuspendNotify();
        if (column > fLongestLineLength) {
            SetFirstVisibleColumn(std::max(0, column - VisibleColumns()));
            fLongestLineLength = column;
        } else if (static_cast<int>(fLines->LineLengths().size()) == fLines->Count()) {
            fLongestLineLength = fLines->LongestOfLineLengths();
        }
        // Columns count characters; the padding spaces are one byte each.
        const int length = fLines->LineCharCount(fCurY);
        if (column > length) {
            if (fAutoExpand) {
                std::string padded(fLines->View(fCurY));
                padded.append(static_cast<size_t>(column - length), ' ');
                fLines->Put(fCurY, padded);
            } else {
                column = length;
            }
        }
        Invalidate();
    }
    fCurX = column;
    KeepCaretVisible();
    if (OnStatusChange) {
        OnStatusChange(*this);
    }
    RefreshParameterHint();
    UpdateBlockMatch();
    if (OnColumnChange) {
        OnColumnChange(*this, fCurX);
    }
}

void TAdvCustomMemo::SetCaretLine(int line) {
    if (fLines->Count() == 0) {
        fLines->Add("");
    }
    line = std::clamp(line, 0, fLines->Count() - 1);
    if (line == fCurY) {
        return;
    }
    const int left = fCurY;
    fCurY = line;
    if (fTrimTrailingSpaces && left >= 0 && left < fLines->Count()) {
        const auto quiet = SuspendNotify();
        const std::string_view text = fLines->View(left);
        const size_t end = text.find_last_not_of(' ');
        const size_t keep = end == std::string_view::npos ? 0 : end + 1;
        if (keep != text.size()) {
            fLines->Put(left, std::string(text.substr(0, keep)));
        }
    }
    SetCaretColumn(fCurX);
    KeepCaretVisible();
    if (OnStatusChange) {
        OnStatusChange(*this);
    }
    RefreshParameterHint();
    UpdateBlockMatch();
}

void TAdvCustomMemo::SetSelectionEnds(TTextPos anchor, TTextPos activeEnd) {
    fAnchor = anchor;
    fActiveEnd = activeEnd;
}

void TAdvCustomMemo::CollapseSelection() {
    const bool hadSelection = HasSelection();
    fAnchor = {fCurX, fCurY};
    fActiveEnd = fAnchor;
    fFollowPoint = fAnchor;
    if (hadSelection) {
        if (OnSelectionChange) {
            OnSelectionChange(*this);
        }
        Invalidate();
    }
}

void TAdvCustomMemo::KeepCaretVisible() {
    if (VisibleColumns() <= 0 || VisibleRows() <= 0) {
        return;  // no text area yet: nothing to keep the caret in
    }
    const int column = FirstVisibleColumn();
    const int line = FirstVisibleLine();
    if (fCurX < FirstVisibleColumn()) {
        SetFirstVisibleColumn(std::max(0, fCurX - 2));
    }
    if (fCurX > LastVisibleColumn()) {
        SetFirstVisibleColumn(FirstVisibleColumn() + fCurX - LastVisibleColumn() + 2);
    }
    if (fCurY < FirstVisibleLine()) {
        SetFirstVisibleLine(fCurY);
    }
    if (fCurY > LastVisibleLine()) {
        SetFirstVisibleLine(FirstVisibleLine() + fCurY - LastVisibleLine());
    }
    if (column != FirstVisibleColumn() || line != FirstVisibleLine()) {
        Invalidate();
    }
}

}  // namespace tarnwick::editor
