// The editor's deleting operations: Delete, Backspace, Ctrl+Backspace and removing a line.
#include <algorithm>

#include "editor/AdvCustomMemo.h"
#include "editor/EditColumns.h"
#include "editor/ScopedValue.h"
#include "editor/UndoRecords.h"

namespace tarnwick::editor {

void TAdvCustomMemo::MoveCaretLeft() {
    SetCaretColumn(fCurX - 1);
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
            step.Line = fCurY;
            std::string text;
            if (at < line.size()) {
                step.Byte = at;
                step.Removed =
                    RemoveText(*fLines, fCurY, at, fCurY, columns::Byte(line, fCurX + 1));
                text = step.Removed.Bytes;
                removed = true;
            } else if (fCurY < count - 1) {
                // The next line joins at the real end of this one, whatever the caret column.
                step.Byte = line.size();
                TScopedValue<bool> replaying(fUndoList.ReplayingSwitch(), true);
                step.Removed = RemoveText(*fLines, fCurY, line.size(), fCurY + 1, 0);
                text = "\r";
                removed = true;
            }
            if (removed) {
                AddRecord(std::make_unique<TDeleteCharUndo>(this, before, TTextPos{fCurX, fCurY},
                                                            text, backspace),
                          std::move(step));
            }
        }
        fAnchor = fActiveEnd = fFollowPoint = {fCurX, fCurY};
    }
    LinesChanged();
    return removed;
}

void TAdvCustomMemo::DeleteBackward() {
    const TTextPos before{fCurX, fCurY};
    if (fCurY >= 0 && fCurY < fLines->Count() && fCurX > columns::Length(fLines->View(fCurY))) {
        MoveCaretLeft();
        return;
    }
    MoveCaretLeft();
    if (TTextPos{fCurX, fCurY} == before) {
        return;
    }
    DeleteForward(before);
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
        const TTextPos before{fCurX, fCurY};
        if (fCurX > columns::Length(fLines->View(fCurY))) {
            MoveCaretLeft();
            return;
        }
        MoveCaretLeft();
        if (TTextPos{fCurX, fCurY} == before) {
            return;
        }
        DeleteForward(before);
        const bool space = fCurX == 0 || fCurX > length || t[columns::Byte(t, fCurX - 1)] == ' ';
        if (space || fCurY != before.Y) {
            return;
        }
    }
}

void TAdvCustomMemo::DeleteCaretLine() {
    const int count = fLines->Count();
    if (count == 0) {
        return;
    }
    const TTextPos before{fCurX, fCurY};
    const int y = std::clamp(fCurY, 0, count - 1);
    const std::string removed(fLines->View(y));
    // What the removal takes out of the text, for undo: the line and one line break.
    TEditStep step;
    if (count == 1) {
        step.Removed = TTextSpan::OfLine(removed);
    } else if (y == count - 1) {
        step.Line = y - 1;
        step.Byte = fLines->View(y - 1).size();
        step.Removed.Bytes = "\r\n" + removed;
        step.Removed.Breaks.push_back(0);
    } else {
        step.Line = y;
        step.Removed.Bytes = removed + "\r\n";
        step.Removed.Breaks.push_back(removed.size());
    }
    SetCaretColumn(0);
    {
        // The removal itself takes the list's plain path, not this operation again.
        TScopedValue<bool> deleting(fLines->fDeleting, true);
        if (count == 1) {
            fLines->Put(0, "");
        } else if (fCurY >= count - 1) {
            SetCaretLine(count - 2);
            fLines->Delete(count - 1);
        } else {
            fLines->Delete(fCurY);
        }
    }
    CollapseSelection();
    Invalidate();
    AddRecord(std::make_unique<TDeleteLineUndo>(this, before, TTextPos{fCurX, fCurY}, removed),
              std::move(step));
}

}  // namespace tarnwick::editor
