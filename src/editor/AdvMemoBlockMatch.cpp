// The block match: whole-word search, the downward search for the closing word and the upward
// search for the opening word, and keeping the painted rows up to date.
#include "editor/AdvMemoBlockMatch.h"

#include <algorithm>

#include "editor/AdvCustomMemo.h"
#include "editor/AdvCustomMemoStyler.h"
#include "editor/AnsiCase.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {

namespace {

// text without its first count characters.
std::string DropChars(const std::string& text, int count) {
    const size_t from = std::min(utf8::ByteOffsetOfColumn(text, count), text.size());
    return text.substr(from);
}

int Chars(std::string_view text) {
    return utf8::CharCount(text);
}

}  // namespace

int FindWholeWord(const TAdvCustomMemo& memo, std::string_view word, std::string_view text) {
    if (word.empty()) {
        return 0;
    }
    const size_t pos = text.find(word);
    if (pos == std::string_view::npos) {
        return 0;
    }
    const size_t after = pos + word.size();
    if (pos > 0 && !memo.IsDelimiterChar(text[pos - 1])) {
        return 0;
    }
    if (after < text.size() && !memo.IsDelimiterChar(text[after])) {
        return 0;
    }
    return utf8::ColumnOfByteOffset(text, pos) + 1;
}

int FindBlockWord(const TAdvCustomMemo& memo, std::string& list, std::string_view text) {
    if (list.find(',') == std::string::npos) {
        return FindWholeWord(memo, list, text);
    }
    size_t from = 0;
    while (from <= list.size()) {
        size_t comma = list.find(',', from);
        if (comma == std::string::npos) {
            comma = list.size();
        }
        const std::string item = list.substr(from, comma - from);
        if (const int pos = FindWholeWord(memo, item, text); pos > 0) {
            list = item;
            return pos;
        }
        from = comma + 1;
    }
    return 0;
}

const TBlockMatch* TAdvMemoBlockMatch::MatchAt(int line, int column) const {
    for (const TBlockMatch* match : {&fClosing, &fOpening}) {
        if (match->Line >= 0 && match->Line == line && match->Column == column) {
            return match;
        }
    }
    return nullptr;
}

void TAdvMemoBlockMatch::Update(TAdvCustomMemo& memo) {
    const TAdvCustomMemoStyler* styler = memo.SyntaxStyles();
    if (styler == nullptr || memo.Lines().Count() == 0 || styler->BlockStart.empty() ||
        styler->BlockEnd.empty()) {
        return;
    }
    const std::string start = AnsiUpperCase(styler->BlockStart);
    // A closing list narrowed to the word found stays narrowed for the upward search too.
    std::string end = AnsiUpperCase(styler->BlockEnd);
    TBlockMatch closing = SearchClosing(memo, start, end);
    TBlockMatch opening = SearchOpening(memo, start, end);
    if (closing.Line < 0 || opening.Line < 0) {
        closing = {};
        opening = {};
    }
    Store(memo, fClosing, closing);
    Store(memo, fOpening, opening);
}

// Downwards from the caret line to the last visible line. Each opening word deepens, each
// closing word lifts the depth; the closing word at the caret's own depth ends the search.
// Columns are positions in what is left of the line after the words passed over.
TBlockMatch TAdvMemoBlockMatch::SearchClosing(const TAdvCustomMemo& memo, const std::string& start,
                                              std::string& end) const {
    const int count = memo.Lines().Count();
    const int caret = memo.CurY();
    int target = 0;
    if (caret >= 0 && caret < count) {
        std::string s = start;
        if (FindBlockWord(memo, s, AnsiUpperCase(memo.Lines().View(caret))) <= 0) {
            target = -1;
        }
    }
    int depth = 0;
    const int last = std::min(memo.FirstVisibleLine() + memo.VisibleRows(), count - 1);
    for (int line = std::max(caret, 0); line <= last; ++line) {
        std::string t = AnsiUpperCase(memo.Lines().View(line));
        std::string s = start;
        for (;;) {
            const int a = FindBlockWord(memo, s, t);
            const int b = FindBlockWord(memo, end, t);
            if (a == 0 && b == 0) {
                break;
            }
            if (a > 0 && (a < b || b == 0)) {
                ++depth;
            }
            if (b > 0 && (b < a || a == 0)) {
                --depth;
            }
            if (b > 0 && depth == target) {
                return {line, b - 1, Chars(end)};
            }
            t = a > 0 ? DropChars(t, Chars(end) + a) : std::string();
            s = start;
        }
    }
    return {};
}

// The mirror image: upwards from the caret line to the first visible line.
TBlockMatch TAdvMemoBlockMatch::SearchOpening(const TAdvCustomMemo& memo, const std::string& start,
                                              std::string& end) const {
    const int count = memo.Lines().Count();
    const int caret = memo.CurY();
    int target = -1;
    if (caret >= 0 && caret < count &&
        FindBlockWord(memo, end, AnsiUpperCase(memo.Lines().View(caret))) > 0) {
        target = 0;
    }
    int depth = 0;
    const int first = memo.FirstVisibleLine();
    for (int line = std::min(caret, count - 1); line >= first && line >= 0; --line) {
        std::string t = AnsiUpperCase(memo.Lines().View(line));
        std::string s = start;
        for (;;) {
            const int b = FindBlockWord(memo, end, t);
            const int a = FindBlockWord(memo, s, t);
            if (a == 0 && b == 0) {
                break;
            }
            if (b > 0 && (b < a || a == 0)) {
                ++depth;
            }
            if (a > 0 && (a < b || b == 0)) {
                --depth;
            }
            if (a > 0 && depth == target) {
                return {line, a - 1, Chars(s)};
            }
            t = b > 0 ? DropChars(t, Chars(s) + b) : std::string();
            s = start;
        }
    }
    return {};
}

void TAdvMemoBlockMatch::Store(TAdvCustomMemo& memo, TBlockMatch& slot, const TBlockMatch& value) {
    if (slot == value) {
        return;
    }
    const int previous = slot.Line;
    slot = value;
    if (previous >= 0 && previous < memo.Lines().Count()) {
        memo.InvalidateLine(previous);
    }
    if (value.Line >= 0 && value.Line != previous) {
        memo.InvalidateLine(value.Line);
    }
}

}  // namespace tarnwick::editor
