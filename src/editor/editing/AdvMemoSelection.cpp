// The editor's selection: extending it, reading it, deleting it, and inserting text at the
// caret. Large deletions and insertions move the lines after them once (range edits).
#include <algorithm>

#include "editor/control/AdvCustomMemo.h"
#include "editor/control/ScopedValue.h"
#include "editor/editing/EditColumns.h"
#include "editor/undo/UndoRecords.h"

namespace tarnwick::editor {

namespace {
constexpr std::string_view kCrLf = "\r\n";

// Hands the selection to `piece` in order, one part per line: piece(text, breakBefore), where
// breakBefore says that a CR LF stands before the part. A selection ending at column 0 ends
// with an empty part after a break; lines missing from the list give nothing.
template <typename Piece>
void ForEachSelectedPiece(const TAdvCustomMemo& memo, Piece&& piece) {
    const TAdvMemoStrings& lines = memo.Lines();
    const int count = lines.Count();
    if (count == 0 || !memo.HasSelection()) {
        return;
    }
    const TTextPos start = memo.SelectionStart();
    const TTextPos end = memo.SelectionEnd();
    const std::string_view first =
        start.Y >= 0 && start.Y < count ? lines.View(start.Y) : std::string_view();
    const size_t from = columns::Byte(first, start.X);
    if (start.Y == end.Y) {
        const size_t to = std::max(from, columns::Byte(first, end.X));
        piece(first.substr(from, to - from), false);
        return;
    }
    piece(first.substr(from), false);
    for (int y = start.Y + 1; y < end.Y && y < count; ++y) {
        piece(lines.View(y), true);
    }
    if (end.Y < count) {
        const std::string_view last = lines.View(end.Y);
        piece(last.substr(0, columns::Byte(last, end.X)), true);
    }
}

// Every LF becomes CR LF when the text holds LFs but no CR LF pair; tabs become spaces, as
// the lines hold none.
std::string NormaliseLineFeeds(const std::string& text, int tabSize) {
    if (text.find('\t') != std::string::npos) {
        return NormaliseLineFeeds(ExpandTabs(text, tabSize), tabSize);
    }
    if (text.find('\n') == std::string::npos || text.find(kCrLf) != std::string::npos) {
        return text;
    }
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            result.push_back('\r');
        }
        result.push_back(c);
    }
    return result;
}
}  // namespace

void TAdvCustomMemo::ExtendSelection() {
    fActiveEnd = {fCurX, fCurY};
    fFollowPoint = fActiveEnd;
    RaiseSelectionChange();
    Invalidate();
}

void TAdvCustomMemo::SelectAllText() {
    const int last = std::max(fLines->Count() - 1, 0);
    fAnchor = {0, 0};
    fActiveEnd = {fLines->Count() == 0 ? 0 : columns::Length(fLines->View(last)), last};
    Invalidate();
    RaiseSelectionChange();
}

std::string TAdvCustomMemo::SelectedText() const {
    std::string text;
    ForEachSelectedPiece(*this, [&](std::string_view piece, bool breakBefore) {
        if (breakBefore) {
            text.append(kCrLf);
        }
        text.append(piece);
    });
    return text;
}

int TAdvCustomMemo::SelectionLength() const {
    // Counted without building the text: a Select All of a large file stays cheap.
    int64_t length = 0;
    ForEachSelectedPiece(*this, [&](std::string_view piece, bool breakBefore) {
        length += (breakBefore ? static_cast<int64_t>(kCrLf.size()) : 0) + columns::Length(piece);
    });
    return static_cast<int>(std::min<int64_t>(length, INT32_MAX));
}

bool TAdvCustomMemo::DeleteSelectedText(bool repaint) {
    if (fEditSettings.ReadOnly || !HasSelection()) {
        return false;
    }
    const TTextPos start = SelectionStart();
    const TTextPos end = SelectionEnd();
    if (end.Y >= fLines->Count() || start.Y < 0 || fLines->Count() == 0) {
        SetSelectionEnds({0, 0}, {0, 0});
        return false;
    }
    const TTextPos before{fCurX, fCurY};
    std::vector<TEditStep> steps;
    TTextSpan removed;
    std::string prefix;
    std::string suffix;
    {
        TScopedValue<bool> quiet(fNotify, false);
        const std::string_view first = fLines->View(start.Y);
        const std::string_view last = fLines->View(end.Y);
        const size_t from = columns::Byte(first, start.X);
        const size_t to = std::max(columns::Byte(last, end.X), start.Y == end.Y ? from : 0);
        prefix = first.substr(0, from);
        suffix = last.substr(to);
        removed = RemoveText(*fLines, start.Y, from, end.Y, to);
        if (fTrimTrailingSpaces) {
            const std::string_view line = fLines->View(start.Y);
            const size_t keep = line.find_last_not_of(' ') + 1;  // npos + 1 == 0
            if (keep < line.size()) {
                TEditStep trim = StepBefore(*fLines, start.Y, 1);
                RemoveText(*fLines, start.Y, keep, start.Y, line.size());
                StepAfter(trim, *fLines, 1);
                steps.push_back(std::move(trim));
            }
        }
        SetCaretLine(start.Y);
        SetCaretColumn(start.X);
        CollapseSelection();
        RaiseSelectionChange();
        if (repaint) {
            Invalidate();
        }
    }
    auto record = std::make_unique<TDeleteBufUndo>(before, TTextPos{fCurX, fCurY},
                                                   std::move(removed.Bytes), start, end);
    record->Cut = {start.Y, std::move(prefix), std::move(suffix)};
    record->TextBreaks = std::move(removed.Breaks);
    record->Steps = std::move(steps);
    fUndoList.Add(std::move(record));
    LinesChanged();
    CollapseSelection();
    return true;
}

void TAdvCustomMemo::InsertAtCaret(const std::string& text) {
    const bool replaced = DeleteSelectedText(false);
    if (fLines->Count() == 0) {
        TScopedValue<bool> quiet(fNotify, false);
        fLines->Add("");
    }
    if (fCurY < 0 || fCurY >= fLines->Count()) {
        SetCaretLine(fCurY);  // back onto an existing line
    }
    const TTextPos at{fCurX, fCurY};
    // The text goes in with its tabs expanded, and the caret moves by what was really inserted.
    auto record = std::make_unique<TPasteUndo>(at, at, text);
    record->Inserted = TTextSpan::FromText(NormaliseLineFeeds(text, fTabSize));
    const TTextSpan& inserted = record->Inserted;
    const int pieces = inserted.LineCount();
    {
        TScopedValue<bool> quiet(fNotify, false);
        const std::string_view line = fLines->View(at.Y);
        const size_t byte = columns::Byte(line, at.X);
        record->Cut = {at.Y, std::string(line.substr(0, byte)), std::string(line.substr(byte))};
        InsertSpan(*fLines, at.Y, byte, inserted);
    }
    if (pieces == 1) {
        LinesChanged();  // the line write
        SetCaretColumn(at.X);
        if (!inserted.IsEmpty()) {
            SetCaretColumn(at.X + columns::Length(inserted.Bytes));
        }
    } else {
        LinesChanged();  // the first line's write
        LinesChanged();  // the insertion of the line's rest
        SetCaretLine(at.Y + pieces - 1);
        SetCaretColumn(columns::Length(inserted.Line(pieces - 1)));
        KeepCaretVisible();
    }
    LinesChanged();
    record->CaretAfter = {fCurX, fCurY};
    record->Linked = replaced;
    fUndoList.Add(std::move(record));
    CollapseSelection();
    Invalidate();
}

}  // namespace tarnwick::editor
