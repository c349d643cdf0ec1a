#include "editor/undo/UndoRecords.h"

#include <iterator>
#include <typeinfo>

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

void TInsertCharUndo::UndoAction(TUndoTarget& target) {
    ReplayDeletes(target, Steps, false, columns::Length(Text), true);
}

void TInsertCharUndo::RedoAction(TUndoTarget& target) {
    target.ReplaySteps(Steps, true);
    // Enter marks its line when it is recorded as typing, not when it has a record of its own.
    ReplayTyping(target, Text, nullptr, typeid(*this) == typeid(TInsertCharUndo));
}

void TDeleteCharUndo::UndoAction(TUndoTarget& target) {
    target.ReplaySteps(Steps, false);
    ReplayTyping(target, Text, Backspace ? nullptr : &CaretBefore, false);
}

void TDeleteCharUndo::RedoAction(TUndoTarget& target) {
    ReplayDeletes(target, Steps, true, columns::Length(Text), Backspace);
}

void TDeleteLineUndo::RedoAction(TUndoTarget& target) {
    // As DeleteCaretLine: the caret to the line start, and up a line when the last one goes.
    target.SetCaretColumn(0);
    const int count = target.LineCount();
    if (count > 1 && target.CurY() == count - 1) {
        target.SetCaretLine(count - 2);
    }
    target.ReplaySteps(Steps, true);
    target.LinesChanged();
    target.CollapseSelection();
    target.Invalidate();
}

void TDeleteBufUndo::UndoAction(TUndoTarget& target) {
    target.CollapseSelection();
    ReplayInsertion(target, AllSteps(), false, Text, RangeEnd);
    target.SetSelectionEnds(RangeStart, RangeEnd);
    // The replay frame puts the caret back where it was before the deletion; the selected
    // text stays attached to it there, so Shift with a movement key extends it.
    target.SetFollowPoint(CaretBefore);
    target.RaiseSelectionChange();
}

void TDeleteBufUndo::RedoAction(TUndoTarget& target) {
    target.SetSelectionEnds(RangeStart, RangeEnd);
    target.ReplayDeletion(AllSteps(), true, RangeStart);
}

void TPasteUndo::UndoAction(TUndoTarget& target) {
    if (CaretBefore == CaretAfter) {
        // Nothing was inserted: the selection still becomes the empty one at the caret, which
        // deletes nothing and raises nothing, so a selection made since then does not stay
        // for the next typed character to replace.
        target.ReplaySteps(AllSteps(), false);
        target.SetSelectionEnds(CaretBefore, CaretAfter);
        target.SetFollowPoint(CaretBefore);
        target.Invalidate();
        return;
    }
    target.SetSelectionEnds(CaretBefore, CaretAfter);
    target.ReplayDeletion(AllSteps(), false, CaretBefore);
}

void TPasteUndo::RedoAction(TUndoTarget& target) {
    target.CollapseSelection();
    ReplayInsertion(target, AllSteps(), true, Text, CaretAfter);
}

void TInsertOverwriteUndo::UndoAction(TUndoTarget& target) {
    target.SetOverwrite(ModeBefore);
}

void TInsertOverwriteUndo::RedoAction(TUndoTarget& target) {
    target.SetOverwrite(!ModeBefore);
}

void TIndentUndo::UndoAction(TUndoTarget& target) {
    target.ReplaySteps(Steps, false);
    target.Invalidate();
}

void TIndentUndo::RedoAction(TUndoTarget& target) {
    target.ReplaySteps(Steps, true);
    target.Invalidate();
}

}  // namespace tarnwick::editor
