#include "editor/control/MemoUndoTarget.h"

#include "editor/control/AdvCustomMemo.h"

namespace tarnwick::editor {

int TMemoUndoTarget::LineCount() const {
    return fMemo.Lines().Count();
}

void TMemoUndoTarget::ReplaySteps(const std::vector<TEditStep>& steps, bool forward) {
    fMemo.ReplaySteps(steps, forward);
}

void TMemoUndoTarget::ReplayDeletion(const std::vector<TEditStep>& steps, bool forward,
                                     TTextPos caret) {
    fMemo.ReplayDeletion(steps, forward, caret);
}

int TMemoUndoTarget::CurX() const {
    return fMemo.CurX();
}

int TMemoUndoTarget::CurY() const {
    return fMemo.CurY();
}

void TMemoUndoTarget::SetCaretColumn(int column) {
    fMemo.SetCaretColumn(column);
}

void TMemoUndoTarget::SetCaretLine(int line) {
    fMemo.SetCaretLine(line);
}

void TMemoUndoTarget::SetSelectionEnds(TTextPos anchor, TTextPos activeEnd) {
    fMemo.SetSelectionEnds(anchor, activeEnd);
}

void TMemoUndoTarget::SetFollowPoint(TTextPos point) {
    fMemo.SetFollowPoint(point);
}

void TMemoUndoTarget::CollapseSelection() {
    fMemo.CollapseSelection();
}

void TMemoUndoTarget::KeepCaretVisible() {
    fMemo.KeepCaretVisible();
}

void TMemoUndoTarget::MarkCaretLine() {
    fMemo.MarkCaretLine();
}

void TMemoUndoTarget::SetOverwrite(bool on) {
    fMemo.SetOverwrite(on);
}

bool TMemoUndoTarget::AutoIndent() const {
    return fMemo.EditSettings().AutoIndent;
}

void TMemoUndoTarget::SetAutoIndent(bool on) {
    fMemo.EditSettings().AutoIndent = on;
}

void TMemoUndoTarget::LinesChanged() {
    fMemo.LinesChanged();
}

void TMemoUndoTarget::RaiseSelectionChange() {
    fMemo.RaiseSelectionChange();
}

void TMemoUndoTarget::Invalidate() {
    fMemo.Invalidate();
}

}  // namespace tarnwick::editor
