#include "editor/UndoRecords.h"

#include <iterator>
#include <typeinfo>

#include "editor/AdvCustomMemo.h"

namespace tarnwick::editor {

namespace {
void AppendSteps(TUndo& into, TUndo& from) {
    into.Steps.insert(into.Steps.end(), std::make_move_iterator(from.Steps.begin()),
                      std::make_move_iterator(from.Steps.end()));
}
}  // namespace

bool TInsertCharUndo::Merge(TUndo& next) {
    if (typeid(next) != typeid(*this) || next.CaretBefore != CaretAfter) {
        return false;
    }
    Text += next.Text;
    CaretAfter = next.CaretAfter;
    AppendSteps(*this, next);
    return true;
}

bool TDeleteCharUndo::Merge(TUndo& next) {
    auto* other = dynamic_cast<TDeleteCharUndo*>(&next);
    if (other == nullptr || typeid(next) != typeid(*this) || other->Backspace != Backspace ||
        next.CaretBefore != CaretAfter) {
        return false;
    }
    Text.insert(0, next.Text);
    CaretAfter = next.CaretAfter;
    AppendSteps(*this, next);
    return true;
}

void TDeleteBufUndo::UndoAction() {
    Editor->CollapseSelection();
    Editor->ReplaySteps(Steps, false);
    Editor->LinesChanged();
    Editor->SetSelectionEnds(RangeStart, RangeEnd);
    Editor->RaiseSelectionChange();
}

void TDeleteBufUndo::RedoAction() {
    Editor->SetSelectionEnds(RangeStart, RangeEnd);
    Editor->ReplayDeletion(Steps, true, RangeStart);
}

void TPasteUndo::UndoAction() {
    Editor->SetSelectionEnds(CaretBefore, CaretAfter);
    Editor->ReplayDeletion(Steps, false, CaretBefore);
}

void TPasteUndo::RedoAction() {
    Editor->CollapseSelection();
    Editor->ReplaySteps(Steps, true);
    Editor->LinesChanged();
}

void TInsertOverwriteUndo::UndoAction() {
    Editor->SetOverwrite(ModeBefore);
}

void TInsertOverwriteUndo::RedoAction() {
    Editor->SetOverwrite(!ModeBefore);
}

void TIndentUndo::UndoAction() {
    Editor->ReplaySteps(Steps, false);
    Editor->Invalidate();
}

void TIndentUndo::RedoAction() {
    Editor->ReplaySteps(Steps, true);
    Editor->Invalidate();
}

}  // namespace tarnwick::editor
