// The caret moves and notifications of undo and redo replays.
#include "editor/undo/UndoReplay.h"

#include "editor/control/AdvCustomMemo.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {

void ReplayDeletes(TAdvCustomMemo& memo, const std::vector<TEditStep>& steps, bool forward,
                   int count, bool backward) {
    for (int i = 0; i < count; ++i) {
        if (backward) {
            memo.SetCaretColumn(memo.CurX() - 1);  // the Left movement: a line start goes up
        }
        memo.CollapseSelection();
        if (i == count - 1) {
            memo.ReplaySteps(steps, forward);
        }
        memo.LinesChanged();
    }
    if (count == 0) {
        memo.ReplaySteps(steps, forward);
        memo.Invalidate();
    }
}

void ReplayTyping(TAdvCustomMemo& memo, std::string_view text, const TTextPos* returnTo,
                  bool markBreaks) {
    for (size_t at = 0; at < text.size(); at += utf8::CharLength(text, at)) {
        if (returnTo != nullptr) {
            memo.SetCaretLine(returnTo->Y);
            memo.SetCaretColumn(returnTo->X);
        }
        if (text[at] == '\r') {
            // Enter: down one line keeping the column, then to the indent, which is empty
            // while replaying (the indent's spaces follow as typed characters).
            memo.SetCaretLine(memo.CurY() + 1);
            memo.CollapseSelection();
            memo.SetCaretColumn(0);
            memo.CollapseSelection();
            memo.LinesChanged();
            if (markBreaks) {
                memo.MarkCaretLine();
            }
        } else {
            memo.SetCaretColumn(memo.CurX() + 1);
            memo.CollapseSelection();
            memo.Invalidate();
        }
    }
}

void ReplayInsertion(TAdvCustomMemo& memo, const std::vector<TEditStep>& steps, bool forward,
                     std::string_view text, TTextPos end) {
    memo.ReplaySteps(steps, forward);
    memo.LinesChanged();  // the write of the caret line
    if (InsertBreaksLines(text)) {
        memo.LinesChanged();  // the insertion of the line's rest
        memo.SetCaretLine(end.Y);
        memo.SetCaretColumn(end.X);
        memo.KeepCaretVisible();
    } else if (!text.empty()) {
        memo.SetCaretColumn(end.X);
    }
    memo.LinesChanged();
    memo.CollapseSelection();
    memo.Invalidate();
}

bool InsertBreaksLines(std::string_view text) {
    return text.find('\n') != std::string_view::npos;
}

}  // namespace tarnwick::editor
