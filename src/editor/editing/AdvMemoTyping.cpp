// Typing into the editor: characters in insert and overwrite mode, Tab and block indenting,
// Enter with the automatic indent, and the insert/overwrite switch.
#include <algorithm>

#include "editor/control/AdvCustomMemo.h"
#include "editor/control/ScopedValue.h"
#include "editor/editing/EditColumns.h"
#include "editor/undo/UndoRecords.h"

namespace tarnwick::editor {

namespace {
// Letter case for CharCase: ASCII and the Latin-1 letters.
char32_t UpperCase(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return c - 0x20;
    }
    return c;
}

char32_t LowerCase(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    return c;
}

// A span holding a line break followed by text.
TTextSpan BreakFollowedBy(std::string_view text) {
    TTextSpan span;
    span.Bytes = "\r\n";
    span.Bytes.append(text);
    span.Breaks.push_back(0);
    return span;
}
}  // namespace

void TAdvCustomMemo::AcceptTypedCharacter(char32_t ch) {
    if (fEditSettings.ReadOnly) {
        return;
    }
    if (fEditSettings.DelErase && HasSelection()) {
        DeleteSelectedText(true);
    }
    if (fEditSettings.CharCase == ecUpperCase) {
        ch = UpperCase(ch);
    } else if (fEditSettings.CharCase == ecLowerCase) {
        ch = LowerCase(ch);
    }
    TypeCharacter(ch);
    MarkCaretLine();
    Invalidate();
    if (OnChange) {
        OnChange(*this);
    }
}

void TAdvCustomMemo::TypeCharacter(char32_t ch) {
    if (fLines->Count() == 0) {
        TScopedValue<bool> quiet(fNotify, false);
        fLines->Add("");
    }
    if (fCurY >= fLines->Count()) {
        SetCaretLine(fCurY);
    }
    const TTextPos before{fCurX, fCurY};
    const std::string_view stored = fLines->View(fCurY);
    // The line list keeps every line's character count: no walk through a long line here.
    const int length = fLines->LineCharCount(fCurY);
    std::string ins;
    bool isChar = ch != kTab;
    size_t at = 0;
    if (isChar) {
        ins = columns::Encode(ch);
        // A character typed beyond the end pads the line with spaces up to the caret.
        at = length < fCurX ? stored.size() + static_cast<size_t>(fCurX - length)
                            : columns::Byte(stored, fCurX);
    } else {
        if (fOverwrite) {
            if (fCurX + fTabSize < length) {
                SetCaretColumn(fCurX + fTabSize);
            } else {
                ins.assign(static_cast<size_t>(fTabSize + fCurX - length), ' ');
                SetCaretColumn(length);
            }
        } else {
            ins.assign(static_cast<size_t>(std::max(fTabSize, 0)), ' ');
        }
        at = columns::Byte(stored, fCurX);
    }
    const int newX = fCurX + columns::Length(ins);
    const bool overwritten = fOverwrite && isChar && at < stored.size();
    // Overwriting replaces the character at the caret; inserting replaces nothing.
    const size_t replaced = overwritten ? columns::Byte(stored, fCurX + 1) - at : 0;
    std::unique_ptr<TOverwriteCharUndo> overwrite;
    if (overwritten) {
        overwrite = std::make_unique<TOverwriteCharUndo>(before, before,
                                                         std::string(stored.substr(at, replaced)));
    }
    TEditStep step;
    {
        TScopedValue<bool> quiet(fNotify, false);
        step = SpliceLine(*fLines, fCurY, at, replaced, ins);
    }
    if (overwritten) {
        AddRecord(std::move(overwrite), std::move(step));
    }
    SetCaretColumn(newX);
    CollapseSelection();
    if (!overwritten) {
        auto record = std::make_unique<TInsertCharUndo>(before, TTextPos{fCurX, fCurY}, ins);
        if (!ins.empty()) {
            record->Steps.push_back(std::move(step));
        }
        fUndoList.Add(std::move(record));
    }
}

void TAdvCustomMemo::TypeTab(TShiftState shift) {
    if ((shift & ssCtrl) != 0) {
        return;
    }
    if ((shift & ssShift) != 0) {
        SetCaretColumn(std::max(fCurX - fTabSize, 0));
        return;
    }
    TypeCharacter(kTab);
    Invalidate();
}

void TAdvCustomMemo::TabKey(TShiftState shift) {
    const TTextPos start = SelectionStart();
    const TTextPos end = SelectionEnd();
    const int last = end.X == 0 ? end.Y - 1 : end.Y;
    if (start.Y < last) {
        IndentLines(start.Y, last, true, (shift & ssShift) != 0 ? -fTabSize : fTabSize);
        return;
    }
    TypeTab(shift);
    MarkCaretLine();
}

void TAdvCustomMemo::IndentLines(int first, int last, bool record, int delta) {
    if (first > last) {
        std::swap(first, last);
    }
    std::vector<TEditStep> steps;
    {
        TScopedValue<bool> quiet(fNotify, false);
        for (int y = std::max(first, 0); y <= last && y < fLines->Count(); ++y) {
            TEditStep step = StepBefore(*fLines, y, 1);
            if (delta >= 1) {
                InsertSpan(*fLines, y, 0,
                           TTextSpan::OfLine(std::string(static_cast<size_t>(delta), ' ')));
            } else {
                const std::string_view line = fLines->View(y);
                const size_t spaces = std::min(line.find_first_not_of(' '), line.size());
                const size_t count = std::min(spaces, static_cast<size_t>(-delta));
                if (count == 0) {
                    continue;
                }
                RemoveText(*fLines, y, 0, y, count);
            }
            StepAfter(step, *fLines, 1);
            steps.push_back(std::move(step));
        }
    }
    if (record) {
        auto undo = std::make_unique<TIndentUndo>(first, last, delta);
        undo->Steps = std::move(steps);
        fUndoList.Add(std::move(undo));
    }
    Invalidate();
}

void TAdvCustomMemo::BreakLine() {
    TEditStep step;
    TTextPos before;
    std::string indent;
    {
        TScopedValue<bool> quiet(fNotify, false);
        if (fLines->Count() == 0) {
            fLines->Add("");
        }
        if (fCurY >= fLines->Count()) {
            SetCaretLine(fCurY);
        }
        before = {fCurX, fCurY};
        const std::string text(fLines->View(fCurY));
        if (fEditSettings.AutoIndent) {
            // Leading spaces, never the last character of a longer line in the first pass;
            // then on while still left of the caret.
            const size_t length = text.size();
            const size_t limit = length > 1 ? length - 1 : length;
            size_t n = 0;
            while (n < limit && text[n] == ' ') {
                ++n;
            }
            while (static_cast<int>(n) < fCurX && n < length && text[n] == ' ') {
                ++n;
            }
            indent.assign(n, ' ');
        }
        const size_t at = columns::Byte(text, fCurX);
        std::string_view tail = std::string_view(text).substr(at);
        tail = tail.substr(0, tail.find_last_not_of(' ') + 1);  // npos + 1 == 0
        if (fEditSettings.AutoIndent) {
            tail.remove_prefix(std::min(tail.find_first_not_of(' '), tail.size()));
        }
        step = StepBefore(*fLines, fCurY, 1);
        RemoveText(*fLines, fCurY, at, fCurY, text.size());
        InsertSpan(*fLines, fCurY, at, BreakFollowedBy(indent + std::string(tail)));
        StepAfter(step, *fLines, 2);
        SetCaretLine(fCurY + 1);
        CollapseSelection();
        SetCaretColumn(columns::Length(indent));
        CollapseSelection();
        std::unique_ptr<TUndo> record;
        if (fEditSettings.UndoLineByLine) {
            record = std::make_unique<TNewLineUndo>(before, TTextPos{fCurX, fCurY}, "\r" + indent);
        } else {
            record =
                std::make_unique<TInsertCharUndo>(before, TTextPos{fCurX, fCurY}, "\r" + indent);
        }
        AddRecord(std::move(record), std::move(step));
    }
    LinesChanged();
}

void TAdvCustomMemo::ToggleOverwrite() {
    bool allow = true;
    if (OnOverwriteToggle) {
        OnOverwriteToggle(*this, allow);
    }
    if (!allow) {
        return;
    }
    const int count = fUndoList.Count();
    const bool bothToggles = count >= 2 &&
                             dynamic_cast<TInsertOverwriteUndo*>(&fUndoList.Item(0)) != nullptr &&
                             dynamic_cast<TInsertOverwriteUndo*>(&fUndoList.Item(1)) != nullptr;
    if (count > 0 && !bothToggles) {
        fUndoList.Add(std::make_unique<TInsertOverwriteUndo>(fOverwrite));
    }
    fOverwrite = !fOverwrite;
}

}  // namespace tarnwick::editor
