// The editor's deleting operations: Delete, Backspace, Ctrl+Backspace and removing a line.
#include <algorithm>

#include "editor/control/AdvCustomMemo.h"
#include "editor/control/ScopedValue.h"
#include "editor/editing/EditColumns.h"
#include "editor/undo/UndoRecords.h"

namespace tarnwick::editor {

void TAdvCustomMemo::MoveCaretLeft() {
    // The Left key's movement: a selection left from earlier goes, so the next typed
    // character does not replace it.
    SetCaretColumn(fCurX - 1);
    CollapseSelection();
}

void TAdvCustomMemo::DeleteForward() {
    DeleteForwardFrom({fCurX, fCurY}, false);
}

void TAdvCustomMemo::DeleteForward(TTextPos before) {
    DeleteForwardFrom(before, true);
}

bool TAdvCustomMemo::DeleteForwardFrom(TTextPos before, bool backspace) {
    bool removed = false;
    {
        TScopedValue<bool> quiet(fNotify, false);
        CollapseSelection();
        const int count = fLines->Count();
        if (fCurY >= 0 && fCurY < count) {
            const std::string_view line = fLines->View(fCurY);
            const size_t at = columns::Byte(line, fCurX);
            TEditStep step;
            std::string text;
            if (at < line.size()) {
                const size_t end = columns::Byte(line, fCurX + 1);
                text.assign(line.substr(at, end - at));
                step = SpliceLine(*fLines, fCurY, at, end - at, {});
                removed = true;
            } else if (fCurY < count - 1) {
                // The next line joins at the real end of this one, whatever the caret column.
                step = StepBefore(*fLines, fCurY, 2);
                const auto replaying = fUndoList.ReplayScope();
                RemoveText(*fLines, fCurY, line.size(), fCurY + 1, 0);
                StepAfter(step, *fLines, 1);
                text = "\r";
                removed = true;
            }
            if (removed) {
                AddRecord(std::make_unique<TDeleteCharUndo>(before, TTextPos{fCurX, fCurY}, text,
                                                            backspace),
                          std::move(step));
            }
        }
        fAnchor = fActiveEnd = fFollowPoint = {fCurX, fCurY};
    }
    LinesChanged();
    return removed;
}

bool TAdvCustomMemo::BackspaceStep() {
    const TTextPos before{fCurX, fCurY};
    const bool beyondEnd =
        fCurY >= 0 && fCurY < fLines->Count() && fCurX > columns::Length(fLines->View(fCurY));
    MoveCaretLeft();
    if (beyondEnd || TTextPos{fCurX, fCurY} == before) {
        return false;
    }
    DeleteForward(before);
    return true;
}

void TAdvCustomMemo::DeleteBackward() {
    if (!BackspaceStep()) {
        return;
    }
    if (fCurY > fLines->Count() - 1) {
        SetCaretLine(fLines->Count() - 1);
        SetCaretColumn(columns::Length(fLines->View(fCurY)));
    }
    fAnchor = fActiveEnd = fFollowPoint = {fCurX, fCurY};
}

void TAdvCustomMemo::DeleteWordBackward() {
    if (fCurY < 0 || fCurY >= fLines->Count()) {
        return;
    }
    const std::string t(fLines->View(fCurY));
    const int length = columns::Length(t);
    for (;;) {
        const int line = fCurY;
        if (!BackspaceStep()) {
            return;
        }
        const bool space = fCurX == 0 || fCurX > length || t[columns::Byte(t, fCurX - 1)] == ' ';
        if (space || fCurY != line) {
            return;
        }
    }
}

void TAdvCustomMemo::DeleteCaretLine() {
    if (fLines->Count() == 0) {
        return;
    }
    TLineRemoval removal = BeginCaretLineRemoval();
    // The removal itself takes the list's plain path, not this operation again.
    if (fLines->Count() == 1) {
        fLines->Put(0, "");
    } else {
        fLines->RemoveLine(removal.Line);
    }
    EndCaretLineRemoval(std::move(removal));
}

TAdvCustomMemo::TLineRemoval TAdvCustomMemo::BeginCaretLineRemoval() {
    const int count = fLines->Count();
    TLineRemoval removal;
    removal.Before = {fCurX, fCurY};
    const int y = std::clamp(fCurY, 0, count - 1);
    removal.Removed = std::string(fLines->View(y));
    // For undo: the line with its neighbour that stays (the only line is emptied instead).
    removal.Step = count == 1       ? StepBefore(*fLines, 0, 1)
                   : y == count - 1 ? StepBefore(*fLines, y - 1, 2)
                                    : StepBefore(*fLines, y, 2);
    SetCaretColumn(0);
    if (count > 1 && fCurY >= count - 1) {
        SetCaretLine(count - 2);
        removal.Line = count - 1;
    } else {
        removal.Line = fCurY;
    }
    return removal;
}

void TAdvCustomMemo::EndCaretLineRemoval(TLineRemoval removal) {
    StepAfter(removal.Step, *fLines, 1);
    CollapseSelection();
    Invalidate();
    AddRecord(std::make_unique<TDeleteLineUndo>(removal.Before, TTextPos{fCurX, fCurY},
                                                std::move(removal.Removed)),
              std::move(removal.Step));
}

}  // namespace tarnwick::editor
