// Searching the editor's lines and replacing matches.
#include "editor/find/FindReplaceEngine.h"

#include <algorithm>

#include "editor/document/AdvMemoStrings.h"
#include "editor/editing/EditColumns.h"
#include "editor/find/FindPattern.h"
#include "editor/find/FindTarget.h"

namespace tarnwick::editor {

namespace {

constexpr int64_t kNotFound = -1;
constexpr int64_t kLineBreakLength = 2;  // CR LF

// Character offsets of line starts, walked forward from the last line asked for. Valid as long
// as the lines before that line keep their text, which holds inside a replace all: every
// replacement changes only the match line and what follows it.
class TLineStartOffsets {
  public:
    int64_t Of(const TAdvMemoStrings& lines, int line) {
        if (line < fLine) {
            fLine = 0;
            fOffset = 0;
        }
        const auto& lengths = lines.LineLengths();
        const bool counted = static_cast<int>(lengths.size()) == lines.Count();
        for (; fLine < line; ++fLine) {
            const int64_t length =
                counted ? lengths[static_cast<size_t>(fLine)] : columns::Length(lines.View(fLine));
            fOffset += length + kLineBreakLength;
        }
        return fOffset;
    }

  private:
    int fLine = 0;
    int64_t fOffset = 0;
};

// One search as FindNext and FindForReplaceAll run it; firstLineRule: on the scan's first line
// a selection anchor on another line still limits the search to the part from its column.
int64_t Search(TFindTarget& target, const TFindPattern& pattern, TFindOptions options,
               bool firstLineRule, TLineStartOffsets& offsets) {
    if (pattern.Empty()) {
        return kNotFound;
    }
    const TAdvMemoStrings& lines = target.Lines();
    const int count = lines.Count();
    const bool down = (options & frDown) != 0;
    const TTextPos anchor = target.SelectionAnchor();
    const TTextPos active = target.SelectionActiveEnd();
    const int startLine = target.CurY();
    for (int i = startLine; down ? i < count : i >= 0; i += down ? 1 : -1) {
        const std::string_view line = lines.View(i);
        size_t from = 0;
        size_t to = line.size();
        int column = 0;  // column where the searched part starts
        if (anchor.Y == i && active.Y == i) {
            if (down) {
                if (active.X >= columns::Length(line)) {
                    continue;
                }
                column = active.X;
                from = columns::Byte(line, column);
            } else {
                to = columns::Byte(line, target.HasSelection() ? anchor.X : target.CurX());
            }
        } else if (firstLineRule && i == startLine && anchor.X > 0) {
            column = anchor.X;
            from = columns::Byte(line, column);
        }
        const std::string_view part = line.substr(from, to - std::min(from, to));
        const size_t at = pattern.Match(part, down);
        if (at == TFindPattern::npos) {
            continue;
        }
        column += columns::Length(part.substr(0, at));
        target.SetCaretLine(i);
        target.SetCaretColumn(column);
        target.SetSelectionEnds({target.CurX(), i}, {target.CurX() + pattern.Characters(), i});
        target.Invalidate();
        return offsets.Of(lines, i) + column;
    }
    target.SetSelectionEnds({0, 0}, {0, 0});
    target.Invalidate();
    return kNotFound;
}

// The caret stands at the match start, which the view keeps in sight; in a long line the rest of
// the match may still lie right of the view. The view then scrolls on until the match's last
// character shows (with the caret's margin of two columns), but never so far that its start
// leaves the view: a match wider than the view shows from its start.
void ShowWholeMatch(TFindTarget& target) {
    constexpr int kMargin = 2;
    if (target.VisibleColumns() <= 0) {
        return;
    }
    const int start = target.SelectionStart().X;
    const int last = target.SelectionEnd().X - 1;
    if (last <= target.LastVisibleColumn()) {
        return;
    }
    const int first =
        std::min(start, target.FirstVisibleColumn() + last - target.LastVisibleColumn() + kMargin);
    if (first > target.FirstVisibleColumn()) {
        target.SetFirstVisibleColumn(first);
        target.Invalidate();
    }
}

}  // namespace

int64_t FindNext(TFindTarget& target, std::string_view text, TFindOptions options) {
    const TFindPattern pattern(text, (options & frMatchCase) != 0, (options & frWholeWord) != 0);
    TLineStartOffsets offsets;
    const int64_t found = Search(target, pattern, options, true, offsets);
    if (found != kNotFound) {
        ShowWholeMatch(target);
    }
    return found;
}

int64_t FindForReplaceAll(TFindTarget& target, std::string_view text, TFindOptions options) {
    const TFindPattern pattern(text, (options & frMatchCase) != 0, (options & frWholeWord) != 0);
    TLineStartOffsets offsets;
    return Search(target, pattern, options, false, offsets);
}

int ReplaceAllMatches(TFindTarget& target, std::string_view text, const std::string& replacement,
                      TFindOptions options) {
    // Read-only, the selection would stay and every insertion would push the match ahead of
    // the next search: the loop would never end.
    if (target.ReadOnly()) {
        return 0;
    }
    const TFindPattern pattern(text, (options & frMatchCase) != 0, (options & frWholeWord) != 0);
    TLineStartOffsets offsets;
    int count = 0;
    // Each search starts behind the last inserted text, and each replacement either inserts
    // something (the caret moves forward) or removes the non-empty match (the text shrinks),
    // so the loop ends. An empty replacement may find the next match at the same offset (two
    // adjacent matches); that one is replaced as well.
    while (Search(target, pattern, options, false, offsets) != kNotFound) {
        target.InsertAtCaret(replacement);
        ++count;
    }
    return count;
}

}  // namespace tarnwick::editor
