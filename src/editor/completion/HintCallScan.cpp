#include "editor/completion/HintCallScan.h"

#include <algorithm>
#include <cstring>

#include "editor/document/AdvMemoStrings.h"
#include "editor/document/AnsiCase.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {

namespace {

constexpr int kLongestGap = 5;  // spaces or periods in a row that end the scan

bool IsGap(char c) {
    return c == ' ' || c == '.';
}

// Length of the character at pos as the upper-cased line reads it: upper-casing can turn a
// lead byte into one of another length (or a stray byte into a continuation byte), so the
// up to four bytes a character can span are upper-cased before they are measured.
size_t CharLengthAt(std::string_view line, size_t pos, bool upperCase) {
    if (!upperCase) {
        return platform::utf8::CharLength(line, pos);
    }
    char window[4];
    const size_t n = std::min<size_t>(4, line.size() - pos);
    for (size_t i = 0; i < n; ++i) {
        window[i] = AnsiUpperChar(line[pos + i]);
    }
    return platform::utf8::CharLength(std::string_view(window, n), 0);
}

// End of the ASCII bytes from pos on, looking no further than limit. Upper-casing keeps ASCII
// bytes ASCII and others not, so ASCII runs are one column per byte in both readings.
size_t AsciiRunEnd(std::string_view line, size_t pos, size_t limit) {
    constexpr uint64_t kHighBits = 0x8080808080808080ULL;
    while (pos + 8 <= limit) {
        uint64_t word;
        std::memcpy(&word, line.data() + pos, sizeof word);
        if ((word & kHighBits) != 0) {
            break;
        }
        pos += 8;
    }
    while (pos < limit && static_cast<unsigned char>(line[pos]) < 0x80) {
        ++pos;
    }
    return pos;
}

// utf8::ByteOffsetOfColumn of the (upper-cased) line, walking on from a known column's offset.
size_t OffsetOfColumn(std::string_view line, size_t fromOffset, int fromColumn, int column,
                      bool upperCase) {
    size_t pos = fromOffset;
    int c = fromColumn;
    while (c < column && pos < line.size()) {
        const size_t limit = std::min(line.size(), pos + static_cast<size_t>(column - c));
        const size_t run = AsciiRunEnd(line, pos, limit);
        if (run > pos) {
            c += static_cast<int>(run - pos);
            pos = run;
            continue;
        }
        pos += CharLengthAt(line, pos, upperCase);
        ++c;
    }
    return pos + static_cast<size_t>(column - c);
}

int LeadingGapRun(std::string_view line, size_t start) {
    int run = 0;
    while (start > 0 && run < kLongestGap && IsGap(line[start - 1])) {
        --start;
        ++run;
    }
    return run;
}

}  // namespace

THintCallScan::TScan THintCallScan::ScanBack(std::string_view line, size_t start, size_t stop,
                                             int gap, bool& reached, int& gapAtStop) {
    TScan scan;
    reached = false;
    size_t pos = start;
    while (pos > stop) {
        const char c = line[--pos];
        if (c == ')') {
            scan.End = TEnd::Close;
            return scan;
        }
        if (c == '(') {
            scan.End = TEnd::Open;
            scan.Open = pos;
            size_t begin = pos;
            while (begin > 0 && line[begin - 1] != ' ' && line[begin - 1] != '(' &&
                   line[begin - 1] != ')') {
                --begin;
            }
            scan.NameBegin = begin;
            return scan;
        }
        if (c == ',') {
            ++scan.Commas;
        }
        if (IsGap(c)) {
            if (++gap >= kLongestGap) {
                scan.End = TEnd::Run;
                return scan;
            }
        } else {
            gap = 0;
        }
    }
    reached = true;
    gapAtStop = gap;
    scan.End = TEnd::LineStart;
    return scan;
}

completion::THintCall THintCallScan::ResultOf(std::string_view line, const TScan& scan,
                                              bool upperCase) {
    if (scan.End != TEnd::Open) {
        return {};
    }
    completion::THintCall call;
    call.Found = true;
    const std::string_view name = line.substr(scan.NameBegin, scan.Open - scan.NameBegin);
    call.Name = upperCase ? AnsiUpperCase(name) : std::string(name);
    call.Commas = scan.Commas;
    return call;
}

completion::THintCall THintCallScan::FindIn(std::string_view line, int column, bool upperCase) {
    const size_t offset = OffsetOfColumn(line, 0, 0, std::max(column, 0), upperCase);
    bool reached = false;
    int gap = 0;
    return ResultOf(line, ScanBack(line, std::min(offset, line.size()), 0, 0, reached, gap),
                    upperCase);
}

completion::THintCall THintCallScan::Find(const TAdvMemoStrings& lines, int index, int column,
                                          bool upperCase) {
    fLastReused = false;
    if (index < 0 || index >= lines.Count()) {
        fValid = false;
        return {};
    }
    const std::string_view line = lines.View(index);
    column = std::max(column, 0);
    bool reuse = fValid && fLine == index && fUpper == upperCase && column >= fColumn;
    if (reuse) {
        // The kept offset and scan read only bytes before fOffset and the three after it
        // (a character's length looks at most three bytes ahead); none of those may have
        // changed. Three ASCII bytes right before fOffset make the bytes after it irrelevant.
        const size_t same = lines.UnchangedPrefix(index, fVersion);
        const bool asciiBefore =
            fOffset <= line.size() &&
            AsciiRunEnd(line, fOffset - std::min<size_t>(fOffset, 3), fOffset) == fOffset;
        reuse = same == TLineStore::kWholeLine || fOffset + 3 <= same ||
                (fOffset <= same && asciiBefore);
    }
    size_t offset = 0;
    size_t start = 0;
    TScan scan;
    if (reuse) {
        offset = OffsetOfColumn(line, fOffset, fColumn, column, upperCase);
        start = std::min(offset, line.size());
        bool reached = false;
        int gap = 0;
        scan = ScanBack(line, start, fStart, 0, reached, gap);
        if (reached) {
            // Past fStart the scan goes on as the kept one did, except that gap spaces or
            // periods are already in a row: the kept scan's first run may now be long enough.
            const int commas = scan.Commas;
            if (gap + fScan.LeadingRun >= kLongestGap) {
                scan = TScan{};
                scan.End = TEnd::Run;
            } else {
                scan = fScan;
                scan.Commas += commas;
            }
        }
        fLastReused = true;
    } else {
        offset = OffsetOfColumn(line, 0, 0, column, upperCase);
        start = std::min(offset, line.size());
        bool reached = false;
        int gap = 0;
        scan = ScanBack(line, start, 0, 0, reached, gap);
    }
    scan.LeadingRun = LeadingGapRun(line, start);
    fValid = true;
    fLine = index;
    fVersion = lines.LinesVersion();
    fUpper = upperCase;
    fColumn = column;
    fOffset = offset;
    fStart = start;
    fScan = scan;
    return ResultOf(line, scan, upperCase);
}

}  // namespace tarnwick::editor
