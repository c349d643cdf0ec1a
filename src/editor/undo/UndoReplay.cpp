// The caret moves and notifications of undo and redo replays.
#include "editor/undo/UndoReplay.h"

#include "platform/Utf8Chars.h"

namespace tarnwick::editor {

void ReplayDeletes(TUndoTarget& target, const std::vector<TEditStep>& steps, bool forward,
                   int count, bool backward) {
    for (int i = 0; i < count; ++i) {
        if (backward) {
            target.SetCaretColumn(target.CurX() - 1);  // the Left movement: a line start goes up
        }
        target.CollapseSelection();
        if (i == count - 1) {
            target.ReplaySteps(steps, forward);
        }
        target.LinesChanged();
    }
    if (count == 0) {
        target.ReplaySteps(steps, forward);
        target.Invalidate();
    }
}

void ReplayTyping(TUndoTarget& target, std::string_view text, const TTextPos* returnTo,
                  bool markBreaks) {
    for (size_t at = 0; at < text.size(); at += platform::utf8::CharLength(text, at)) {
        if (returnTo != nullptr) {
            target.SetCaretLine(returnTo->Y);
            target.SetCaretColumn(returnTo->X);
        }
        if (text[at] == '\r') {
            // Enter: down one line keeping the column, then to the indent, which is empty
            // while replaying (the indent's spaces follow as typed characters).
            target.SetCaretLine(target.CurY() + 1);
            target.CollapseSelection();
            target.SetCaretColumn(0);
            target.CollapseSelection();
            target.LinesChanged();
            if (markBreaks) {
                target.MarkCaretLine();
            }
        } else {
            target.SetCaretColumn(target.CurX() + 1);
            target.CollapseSelection();
            target.Invalidate();
        }
    }
}

void ReplayInsertion(TUndoTarget& target, const std::vector<TEditStep>& steps, bool forward,
                     std::string_view text, TTextPos end) {
    target.ReplaySteps(steps, forward);
    target.LinesChanged();  // the write of the caret line
    if (InsertBreaksLines(text)) {
        target.LinesChanged();  // the insertion of the line's rest
        target.SetCaretLine(end.Y);
        target.SetCaretColumn(end.X);
        target.KeepCaretVisible();
    } else if (!text.empty()) {
        target.SetCaretColumn(end.X);
    }
    target.LinesChanged();
    target.CollapseSelection();
    target.Invalidate();
}

bool InsertBreaksLines(std::string_view text) {
    return text.find('\n') != std::string_view::npos;
}

}  // namespace tarnwick::editor
