#include "editor/control/MemoFindTarget.h"

#include "editor/control/AdvCustomMemo.h"

namespace tarnwick::editor {

const TAdvMemoStrings& TMemoFindTarget::Lines() const {
    return fMemo.Lines();
}

bool TMemoFindTarget::ReadOnly() const {
    return fMemo.ReadOnly();
}

int TMemoFindTarget::CurX() const {
    return fMemo.CurX();
}

int TMemoFindTarget::CurY() const {
    return fMemo.CurY();
}

void TMemoFindTarget::SetCaretLine(int line) {
    fMemo.SetCaretLine(line);
}

void TMemoFindTarget::SetCaretColumn(int column) {
    fMemo.SetCaretColumn(column);
}

TTextPos TMemoFindTarget::SelectionAnchor() const {
    return fMemo.SelectionAnchor();
}

TTextPos TMemoFindTarget::SelectionActiveEnd() const {
    return fMemo.SelectionActiveEnd();
}

TTextPos TMemoFindTarget::SelectionStart() const {
    return fMemo.SelectionStart();
}

TTextPos TMemoFindTarget::SelectionEnd() const {
    return fMemo.SelectionEnd();
}

bool TMemoFindTarget::HasSelection() const {
    return fMemo.HasSelection();
}

void TMemoFindTarget::SetSelectionEnds(TTextPos anchor, TTextPos activeEnd) {
    fMemo.SetSelectionEnds(anchor, activeEnd);
}

int TMemoFindTarget::FirstVisibleColumn() const {
    return fMemo.FirstVisibleColumn();
}

int TMemoFindTarget::LastVisibleColumn() const {
    return fMemo.LastVisibleColumn();
}

int TMemoFindTarget::VisibleColumns() const {
    return fMemo.VisibleColumns();
}

void TMemoFindTarget::SetFirstVisibleColumn(int column) {
    fMemo.SetFirstVisibleColumn(column);
}

void TMemoFindTarget::Invalidate() {
    fMemo.Invalidate();
}

void TMemoFindTarget::InsertAtCaret(const std::string& text) {
    fMemo.InsertAtCaret(text);
}

}  // namespace tarnwick::editor
