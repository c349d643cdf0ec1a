// Text rules of the typing aids: tokens, entry keys and parts, inserted text, hint calls.
#include "editor/completion/CompletionText.h"

#include <algorithm>
#include <vector>

#include "editor/document/AnsiCase.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor::completion {

namespace {

// Byte offsets of the line's characters, with the line's size at the end.
std::vector<size_t> CharStarts(std::string_view line) {
    std::vector<size_t> starts;
    for (size_t pos = 0; pos < line.size(); pos += platform::utf8::CharLength(line, pos)) {
        starts.push_back(pos);
    }
    starts.push_back(line.size());
    return starts;
}

std::string_view CutBeforeAny(std::string_view text, std::string_view stops) {
    const size_t at = text.find_first_of(stops);
    return at == std::string_view::npos ? text : text.substr(0, at);
}

std::string_view AfterFirst(std::string_view text, char c) {
    const size_t at = text.find(c);
    return at == std::string_view::npos ? text : text.substr(at + 1);
}

}  // namespace

int CharCount(std::string_view text) {
    return platform::utf8::CharCount(text);
}

std::string UpperCase(std::string_view text) {
    return AnsiUpperCase(text);
}

TColumnRange RunAround(std::string_view line, int column,
                       const std::function<bool(char)>& isDelimiter) {
    const std::vector<size_t> starts = CharStarts(line);
    const int length = static_cast<int>(starts.size()) - 1;
    if (column < 0 || column > length) {
        return {column, column};
    }
    // A character is a delimiter by its first byte; a multi-byte character never is one.
    auto delimiterAt = [&](int c) { return isDelimiter(line[starts[static_cast<size_t>(c)]]); };
    int first = column;
    while (first > 0 && !delimiterAt(first - 1)) {
        --first;
    }
    int last = column;
    while (last < length && !delimiterAt(last)) {
        ++last;
    }
    return {first, last};
}

TColumnRange RunAround(std::string_view line, int column, std::string_view delimiters) {
    return RunAround(line, column,
                     [delimiters](char c) { return delimiters.find(c) != std::string_view::npos; });
}

std::string TextOf(std::string_view line, TColumnRange range) {
    const size_t from =
        std::min(platform::utf8::ByteOffsetOfColumn(line, range.First), line.size());
    const size_t to = std::min(platform::utf8::ByteOffsetOfColumn(line, range.Last), line.size());
    return std::string(line.substr(from, to > from ? to - from : 0));
}

std::string EntryKey(std::string_view entry) {
    return UpperCase(AfterFirst(entry, ' '));
}

std::string EntryMatchKey(std::string_view entry) {
    const std::string key = EntryKey(entry);
    return std::string(AfterFirst(key, '.'));
}

TEntryParts SplitEntry(std::string_view entry) {
    TEntryParts parts;
    const size_t space = entry.find(' ');
    // A kind word stands before the first space, unless that space lies in the parameters.
    if (space != std::string_view::npos && entry.find_first_of("([") > space) {
        parts.KindWord = std::string(entry.substr(0, space));
        entry = entry.substr(space + 1);
    }
    const std::string_view name = CutBeforeAny(entry, "([");
    parts.Name = std::string(name);
    parts.Rest = std::string(entry.substr(name.size()));
    return parts;
}

TInsertText InsertTextOf(std::string_view entry, bool keyboard) {
    const std::string_view rest = AfterFirst(entry, ' ');
    TInsertText result;
    result.Text = std::string(CutBeforeAny(rest, keyboard ? "(; :" : "(; "));
    result.Parentheses = keyboard && rest.find('(') != std::string_view::npos;
    if (result.Parentheses) {
        result.Text += "()";
    }
    return result;
}

THintCall FindHintCall(std::string_view line, int column) {
    constexpr int kLongestGap = 5;  // spaces or periods in a row that end the scan
    size_t pos =
        std::min(platform::utf8::ByteOffsetOfColumn(line, std::max(column, 0)), line.size());
    THintCall call;
    int gap = 0;
    while (pos > 0) {
        const char c = line[--pos];
        if (c == ')') {
            return {};
        }
        if (c == '(') {
            size_t begin = pos;
            while (begin > 0 && line[begin - 1] != ' ' && line[begin - 1] != '(' &&
                   line[begin - 1] != ')') {
                --begin;
            }
            call.Found = true;
            call.Name = std::string(line.substr(begin, pos - begin));
            return call;
        }
        if (c == ',') {
            ++call.Commas;
        }
        if (c == ' ' || c == '.') {
            if (++gap >= kLongestGap) {
                return {};
            }
        } else {
            gap = 0;
        }
    }
    return {};
}

THintParts SplitHint(std::string_view definition, int commas) {
    std::string_view params = definition;
    if (const size_t open = params.find('('); open != std::string_view::npos) {
        params = params.substr(open + 1);
    }
    params = CutBeforeAny(params, ")");
    THintParts parts;
    size_t pos = 0;
    for (int n = 0; n < commas && pos < params.size(); ++n) {
        const size_t delimiter = params.find_first_of(",;", pos);
        pos = delimiter == std::string_view::npos ? params.size() : delimiter + 1;
    }
    parts.Before = std::string(params.substr(0, pos));
    const size_t next = params.find_first_of(",;", pos);
    const size_t end = next == std::string_view::npos ? params.size() : next + 1;
    parts.Current = std::string(params.substr(pos, end - pos));
    parts.After = std::string(params.substr(end));
    return parts;
}

}  // namespace tarnwick::editor::completion
