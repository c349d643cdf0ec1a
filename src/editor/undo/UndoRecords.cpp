#include "editor/undo/UndoRecords.h"

#include <iterator>
#include <typeinfo>

#include "editor/control/AdvCustomMemo.h"
#include "editor/editing/EditColumns.h"
#include "editor/undo/UndoReplay.h"

namespace tarnwick::editor {

namespace {
void AppendSteps(TUndo& into, TUndo& from) {
    AppendSteps(into.Steps, std::move(from.Steps));
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

TTextSpan TLineCut::Joined() const {
    return TTextSpan::OfLine(Prefix + Suffix);
}

TTextSpan TLineCut::Around(const std::string& text, const std::vector<size_t>& breaks) const {
    TTextSpan span;
    span.Bytes.reserve(Prefix.size() + text.size() + Suffix.size());
    span.Bytes.append(Prefix).append(text).append(Suffix);
    span.Breaks.reserve(breaks.size());
    for (size_t at : breaks) {
        span.Breaks.push_back(at + Prefix.size());
    }
    return span;
}

std::vector<TEditStep> TDeleteBufUndo::AllSteps() const {
    std::vector<TEditStep> steps(1);
    steps[0] = {Cut.Line, Cut.Around(Text, TextBreaks), Cut.Joined()};
    steps.insert(steps.end(), Steps.begin(), Steps.end());
    return steps;
}

std::vector<TEditStep> TPasteUndo::AllSteps() const {
    std::vector<TEditStep> steps(1);
    steps[0] = {Cut.Line, Cut.Joined(), Cut.Around(Inserted.Bytes, Inserted.Breaks)};
    return steps;
}

void TInsertCharUndo::UndoAction() {
    ReplayDeletes(*Editor, Steps, false, columns::Length(Text), true);
}

void TInsertCharUndo::RedoAction() {
    Editor->ReplaySteps(Steps, true);
    // Enter marks its line when it is recorded as typing, not when it has a record of its own.
    ReplayTyping(*Editor, Text, nullptr, typeid(*this) == typeid(TInsertCharUndo));
}

void TDeleteCharUndo::UndoAction() {
    Editor->ReplaySteps(Steps, false);
    ReplayTyping(*Editor, Text, Backspace ? nullptr : &CaretBefore, false);
}

void TDeleteCharUndo::RedoAction() {
    ReplayDeletes(*Editor, Steps, true, columns::Length(Text), Backspace);
}

void TDeleteLineUndo::RedoAction() {
    // As DeleteCaretLine: the caret to the line start, and up a line when the last one goes.
    Editor->SetCaretColumn(0);
    const int count = Editor->Lines().Count();
    if (count > 1 && Editor->CurY() == count - 1) {
        Editor->SetCaretLine(count - 2);
    }
    Editor->ReplaySteps(Steps, true);
    Editor->LinesChanged();
    Editor->CollapseSelection();
    Editor->Invalidate();
}

void TDeleteBufUndo::UndoAction() {
    Editor->CollapseSelection();
    ReplayInsertion(*Editor, AllSteps(), false, Text, RangeEnd);
    Editor->SetSelectionEnds(RangeStart, RangeEnd);
    // The replay frame puts the caret back where it was before the deletion; the selected
    // text stays attached to it there, so Shift with a movement key extends it.
    Editor->SetFollowPoint(CaretBefore);
    Editor->RaiseSelectionChange();
}

void TDeleteBufUndo::RedoAction() {
    Editor->SetSelectionEnds(RangeStart, RangeEnd);
    Editor->ReplayDeletion(AllSteps(), true, RangeStart);
}

void TPasteUndo::UndoAction() {
    if (CaretBefore == CaretAfter) {
        // Nothing was inserted: the selection still becomes the empty one at the caret, which
        // deletes nothing and raises nothing, so a selection made since then does not stay
        // for the next typed character to replace.
        Editor->ReplaySteps(AllSteps(), false);
        Editor->SetSelectionEnds(CaretBefore, CaretAfter);
        Editor->SetFollowPoint(CaretBefore);
        Editor->Invalidate();
        return;
    }
    Editor->SetSelectionEnds(CaretBefore, CaretAfter);
    Editor->ReplayDeletion(AllSteps(), false, CaretBefore);
}

void TPasteUndo::RedoAction() {
    Editor->CollapseSelection();
    ReplayInsertion(*Editor, AllSteps(), true, Text, CaretAfter);
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
