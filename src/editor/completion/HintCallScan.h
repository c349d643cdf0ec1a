// THintCallScan: the call a parameter hint belongs to at a caret, the same result as
// completion::FindHintCall on the caret line (upper-cased unless case-sensitive), found without
// copying or upper-casing the line. Upper-casing maps bytes one to one and never makes or
// removes the brackets, commas, spaces and periods the scan looks for, so the scan reads the
// line itself; only the caret's byte offset follows the upper-cased line's characters.
// The last scan is kept per line: when the caret stands further right in a line whose front
// up to the last caret is unchanged (typing on), only the bytes between the two carets are read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/completion/CompletionText.h"

namespace tarnwick::editor {

class TAdvMemoStrings;

class THintCallScan {
  public:
    // FindHintCall(upperCase ? AnsiUpperCase(line) : line, column) for line index of lines.
    completion::THintCall Find(const TAdvMemoStrings& lines, int index, int column, bool upperCase);
    // The same for a line of text, without anything kept.
    static completion::THintCall FindIn(std::string_view line, int column, bool upperCase);
    // Whether the last Find reused the scan before it (for tests).
    bool LastReused() const { return fLastReused; }

  private:
    // How a scan back from a byte offset ended.
    enum class TEnd { LineStart, Close, Run, Open };
    struct TScan {
        TEnd End = TEnd::LineStart;
        size_t Open = 0;       // offset of the "(" for TEnd::Open
        size_t NameBegin = 0;  // where the name before the "(" starts
        int Commas = 0;        // commas between the end and the start offset
        int LeadingRun = 0;    // spaces and periods right before the start offset (at most 5)
    };
    // Scans back from start down to stop (exclusive of stop's left side) with gap spaces and
    // periods already in a row; reached is false when the scan got to stop without ending.
    static TScan ScanBack(std::string_view line, size_t start, size_t stop, int gap, bool& reached,
                          int& gapAtStop);
    static completion::THintCall ResultOf(std::string_view line, const TScan& scan, bool upperCase);

    bool fValid = false;
    int fLine = -1;
    uint64_t fVersion = 0;
    bool fUpper = false;
    int fColumn = 0;
    size_t fOffset = 0;  // byte offset of fColumn in the (upper-cased) line, padding included
    size_t fStart = 0;   // where the scan started: fOffset, at most the line's size then
    TScan fScan;
    bool fLastReused = false;
};

}  // namespace tarnwick::editor
