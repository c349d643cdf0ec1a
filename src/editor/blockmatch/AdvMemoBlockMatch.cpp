// The block match: whole-word search, the downward search for the closing word and the upward
// search for the opening word, and keeping the painted rows up to date.
#include "editor/blockmatch/AdvMemoBlockMatch.h"

#include <algorithm>

#include "editor/document/AdvMemoStrings.h"
#include "editor/document/AnsiCase.h"
#include "editor/highlight/AdvCustomMemoStyler.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {

namespace {

// text without its first count characters.
std::string DropChars(const std::string& text, int count) {
    const size_t from = std::min(platform::utf8::ByteOffsetOfColumn(text, count), text.size());
    return text.substr(from);
}

int Chars(std::string_view text) {
    return platform::utf8::CharCount(text);
}

}  // namespace

int FindWholeWord(const TBlockMatchSource& source, std::string_view word, std::string_view text) {
    if (word.empty()) {
        return 0;
    }
    const size_t pos = text.find(word);
    if (pos == std::string_view::npos) {
        return 0;
    }
    const size_t after = pos + word.size();
    if (pos > 0 && !source.IsDelimiterChar(text[pos - 1])) {
        return 0;
    }
    if (after < text.size() && !source.IsDelimiterChar(text[after])) {
        return 0;
    }
    return platform::utf8::ColumnOfByteOffset(text, pos) + 1;
}

int FindBlockWord(const TBlockMatchSource& source, std::string& list, std::string_view text) {
    if (list.find(',') == std::string::npos) {
        return FindWholeWord(source, list, text);
    }
    size_t from = 0;
    while (from <= list.size()) {
        size_t comma = list.find(',', from);
        if (comma == std::string::npos) {
            comma = list.size();
        }
        const std::string item = list.substr(from, comma - from);
        if (const int pos = FindWholeWord(source, item, text); pos > 0) {
            list = item;
            return pos;
        }
        from = comma + 1;
    }
    return 0;
}

namespace {

constexpr size_t kNone = std::string_view::npos;
constexpr size_t kCachedLines = 8;

std::vector<std::string> ListItems(const std::string& list) {
    std::vector<std::string> items;
    if (list.find(',') == std::string::npos) {
        items.push_back(list);
        return items;
    }
    size_t from = 0;
    while (from <= list.size()) {
        size_t comma = list.find(',', from);
        if (comma == std::string::npos) {
            comma = list.size();
        }
        items.push_back(list.substr(from, comma - from));
        from = comma + 1;
    }
    return items;
}

// Column (in characters of the upper-cased text) of byte pos of T = upper(line)[dropped..].
int ColumnInRest(std::string_view line, size_t dropped, size_t pos) {
    const std::string_view rest = line.substr(dropped);
    const size_t offset = pos - dropped;
    if (platform::utf8::IsAscii(rest.substr(0, offset))) {
        return static_cast<int>(offset);
    }
    // Upper-casing can join or split multi-byte sequences: count in the upper-cased bytes; a
    // character holding byte offset ends within the next four bytes.
    const std::string upper = AnsiUpperCase(rest.substr(0, std::min(rest.size(), offset + 4)));
    return platform::utf8::ColumnOfByteOffset(upper, offset);
}

}  // namespace

void TAdvMemoBlockMatch::PrepareWords(const std::string& start, const std::string& end) {
    std::vector<std::string> words = ListItems(start);
    for (std::string& w : ListItems(end)) {
        words.push_back(std::move(w));
    }
    fFast = std::all_of(words.begin(), words.end(), TBlockWordScan::IsAsciiWord);
    if (fFast && words != fScan.Words()) {
        fScan.SetWords(words);
        fLines.clear();
    }
}

const std::vector<size_t>& TAdvMemoBlockMatch::FirstOccurrences(const TBlockMatchSource& source,
                                                                int line) const {
    const TAdvMemoStrings& lines = source.Lines();
    const std::string_view text = lines.View(line);
    for (LineWords& entry : fLines) {
        if (entry.Line == line) {
            const size_t same = lines.UnchangedPrefix(line, entry.Version);
            if (same != TLineStore::kWholeLine) {
                entry.First =
                    fScan.FirstOccurrences(text, entry.First, same,
                                           lines.UnchangedSuffix(line, entry.Version), entry.Size);
            }
            entry.Version = lines.LinesVersion();
            entry.Size = text.size();
            return entry.First;
        }
    }
    if (fLines.size() < kCachedLines) {
        fLines.emplace_back();
        fNextSlot = fLines.size() - 1;
    } else {
        fNextSlot = (fNextSlot + 1) % kCachedLines;
    }
    LineWords& entry = fLines[fNextSlot];
    entry.Line = line;
    entry.Version = lines.LinesVersion();
    entry.Size = text.size();
    entry.First = fScan.FirstOccurrences(text);
    return entry.First;
}

int TAdvMemoBlockMatch::FindWord(const TBlockMatchSource& source, std::string_view word, int line,
                                 size_t dropped) const {
    if (word.empty()) {
        return 0;
    }
    const std::string_view text = source.Lines().View(line);
    const auto& words = fScan.Words();
    const auto known = std::find(words.begin(), words.end(), word);
    size_t pos = kNone;
    const size_t first =
        known == words.end()
            ? kNone
            : FirstOccurrences(source, line)[static_cast<size_t>(known - words.begin())];
    if (known != words.end() &&
        (dropped == 0 || (first != kNone && first >= dropped) || first == kNone)) {
        pos = first;  // the first occurrence in the line is also the first in T
    } else {
        pos = TBlockWordScan::Find(text, word, dropped);
    }
    if (pos == kNone) {
        return 0;
    }
    const size_t after = pos + word.size();
    if (pos > dropped && !source.IsDelimiterChar(AnsiUpperChar(text[pos - 1]))) {
        return 0;
    }
    if (after < text.size() && !source.IsDelimiterChar(AnsiUpperChar(text[after]))) {
        return 0;
    }
    return ColumnInRest(text, dropped, pos) + 1;
}

int TAdvMemoBlockMatch::FindList(const TBlockMatchSource& source, std::string& list, int line,
                                 size_t dropped) const {
    if (list.find(',') == std::string::npos) {
        return FindWord(source, list, line, dropped);
    }
    for (const std::string& item : ListItems(list)) {
        if (const int pos = FindWord(source, item, line, dropped); pos > 0) {
            list = item;
            return pos;
        }
    }
    return 0;
}

size_t TAdvMemoBlockMatch::DropBytes(std::string_view line, size_t dropped, int count) {
    const std::string_view rest = line.substr(dropped);
    const size_t window = std::min(rest.size(), static_cast<size_t>(count) * 4 + 4);
    if (platform::utf8::IsAscii(rest.substr(0, window))) {
        return std::min(static_cast<size_t>(count), rest.size());
    }
    const std::string upper = AnsiUpperCase(rest.substr(0, window));
    return std::min(platform::utf8::ByteOffsetOfColumn(upper, count), upper.size());
}

const TBlockMatch* TAdvMemoBlockMatch::MatchAt(int line, int column) const {
    for (const TBlockMatch* match : {&fClosing, &fOpening}) {
        if (match->Line >= 0 && match->Line == line && match->Column == column) {
            return match;
        }
    }
    return nullptr;
}

void TAdvMemoBlockMatch::Update(TBlockMatchSource& source) {
    const TAdvCustomMemoStyler* styler = source.SyntaxStyles();
    if (styler == nullptr || source.Lines().Count() == 0 || styler->BlockStart.empty() ||
        styler->BlockEnd.empty()) {
        return;
    }
    const std::string start = AnsiUpperCase(styler->BlockStart);
    // A closing list narrowed to the word found stays narrowed for the upward search too.
    std::string end = AnsiUpperCase(styler->BlockEnd);
    PrepareWords(start, end);
    TBlockMatch closing = SearchClosing(source, start, end);
    TBlockMatch opening = SearchOpening(source, start, end);
    if (closing.Line < 0 || opening.Line < 0) {
        closing = {};
        opening = {};
    }
    Store(source, fClosing, closing);
    Store(source, fOpening, opening);
}

class TAdvMemoBlockMatch::TLineRest {
  public:
    TLineRest(const TAdvMemoBlockMatch& match, const TBlockMatchSource& source, int line)
        : fMatch(match), fSource(source), fLine(line) {
        if (!fMatch.fFast) {
            fText = AnsiUpperCase(source.Lines().View(line));
        }
    }
    // FindBlockWord of list in T (list may be narrowed to the word found).
    int Find(std::string& list) const {
        return fMatch.fFast ? fMatch.FindList(fSource, list, fLine, fDropped)
                            : FindBlockWord(fSource, list, fText);
    }
    // Removes the first count characters of T.
    void Drop(int count) {
        if (fMatch.fFast) {
            fDropped += DropBytes(fSource.Lines().View(fLine), fDropped, count);
        } else {
            fText = DropChars(fText, count);
        }
    }

  private:
    const TAdvMemoBlockMatch& fMatch;
    const TBlockMatchSource& fSource;
    int fLine;
    size_t fDropped = 0;  // fast: bytes of the line before T
    std::string fText;    // plain: T itself
};

// Downwards from the caret line to the last visible line. Each opening word deepens, each
// closing word lifts the depth; the closing word at the caret's own depth ends the search.
// Columns are positions in what is left of the line after the words passed over.
TBlockMatch TAdvMemoBlockMatch::SearchClosing(const TBlockMatchSource& source,
                                              const std::string& start, std::string& end) const {
    const int count = source.Lines().Count();
    const int caret = source.CurY();
    int target = 0;
    if (caret >= 0 && caret < count) {
        std::string s = start;
        if (TLineRest(*this, source, caret).Find(s) <= 0) {
            target = -1;
        }
    }
    int depth = 0;
    const int last = std::min(source.FirstVisibleLine() + source.VisibleRows(), count - 1);
    for (int line = std::max(caret, 0); line <= last; ++line) {
        TLineRest t(*this, source, line);
        for (;;) {
            std::string s = start;
            const int a = t.Find(s);
            const int b = t.Find(end);
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
            if (a == 0) {
                break;  // T becomes empty: nothing more is found in it
            }
            t.Drop(Chars(end) + a);
        }
    }
    return {};
}

// The mirror image: upwards from the caret line to the first visible line.
TBlockMatch TAdvMemoBlockMatch::SearchOpening(const TBlockMatchSource& source,
                                              const std::string& start, std::string& end) const {
    const int count = source.Lines().Count();
    const int caret = source.CurY();
    int target = -1;
    if (caret >= 0 && caret < count && TLineRest(*this, source, caret).Find(end) > 0) {
        target = 0;
    }
    int depth = 0;
    const int first = source.FirstVisibleLine();
    for (int line = std::min(caret, count - 1); line >= first && line >= 0; --line) {
        TLineRest t(*this, source, line);
        for (;;) {
            std::string s = start;
            const int b = t.Find(end);
            const int a = t.Find(s);
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
            if (b == 0) {
                break;
            }
            t.Drop(Chars(s) + b);
        }
    }
    return {};
}

void TAdvMemoBlockMatch::Store(TBlockMatchSource& source, TBlockMatch& slot,
                               const TBlockMatch& value) {
    if (slot == value) {
        return;
    }
    const int previous = slot.Line;
    slot = value;
    if (previous >= 0 && previous < source.Lines().Count()) {
        source.InvalidateLine(previous);
    }
    if (value.Line >= 0 && value.Line != previous) {
        source.InvalidateLine(value.Line);
    }
}

}  // namespace tarnwick::editor
