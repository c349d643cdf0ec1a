// Exact records of what an edit did to the line list. TTextSpan holds a piece of text of one
// or more lines with its line breaks kept as offsets, so a line that itself contains CR or LF
// characters comes back unchanged. TEditStep is one replacement at a byte position: what it
// removed and what it inserted there. Undo records keep their steps, so undo and redo put back
// exactly the bytes a step took away or added, whatever the caret did in between.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::editor {

class TAdvMemoStrings;

struct TTextSpan {
    std::string Bytes;           // the lines joined by CR LF
    std::vector<size_t> Breaks;  // offset in Bytes of every CR LF that separates two lines

    int LineCount() const { return static_cast<int>(Breaks.size()) + 1; }
    std::string_view Line(int index) const;
    bool IsEmpty() const { return Bytes.empty(); }

    // A span of the text split at every CR LF pair, as inserting into the line list splits.
    static TTextSpan FromText(std::string text);
    // A span of a single line.
    static TTextSpan OfLine(std::string line);
};

// One step of an edit: the whole lines Line .. Line + Old.LineCount() - 1 as they were, and
// the whole lines that replaced them. Keeping whole lines makes a step exact even where spaces
// that padded a line (and were never recorded) became part of the text.
//
// A step within one long line keeps only what changed (Compact): Old and New then hold the bytes
// between the Front bytes and the Back bytes the two versions of the line share. Such a step
// applies to the line as it stands; where trailing spaces were trimmed or padded meanwhile
// without a record, the line is first brought back to the length the step expects, with
// spaces at its end, which is what whole lines would restore.
struct TEditStep {
    int Line = 0;
    TTextSpan Old;
    TTextSpan New;
    bool Compact = false;
    size_t Front = 0;
    size_t Back = 0;
};

// Lines at least this long get compact steps when edited within themselves.
constexpr size_t kCompactStepLine = 4096;

// The primitive edits behind every editing operation. They clamp lines and offsets to the text,
// so a step that no longer fits (the lines were cleared meanwhile) does no harm. They write
// through the line list, so the caller decides about notifications.

// Removes the text from (line, byte) to (endLine, endByte) and returns it.
TTextSpan RemoveText(TAdvMemoStrings& lines, int line, size_t byte, int endLine, size_t endByte);
// Inserts span at (line, byte); a line shorter than byte is padded with spaces first.
void InsertSpan(TAdvMemoStrings& lines, int line, size_t byte, const TTextSpan& span);

// Replaces count bytes of line from byte at on by inserted (a line shorter than at is padded
// with spaces first) and returns the step that did it: compact for a long line, so that an
// edit in a line of many megabytes neither copies the line nor keeps it in the undo list.
TEditStep SpliceLine(TAdvMemoStrings& lines, int line, size_t at, size_t count,
                     std::string_view inserted);

// A step about to change count lines from first on: their text now.
TEditStep StepBefore(const TAdvMemoStrings& lines, int first, int count);
// Completes the step once its lines have been replaced by count lines.
void StepAfter(TEditStep& step, const TAdvMemoStrings& lines, int count);
// Replaces count lines from first on by the lines of span, writing only what differs in count
// through one range insert or erase.
void ReplaceLines(TAdvMemoStrings& lines, int first, int count, const TTextSpan& span);
// Does a step again (forward) or takes it back.
void ApplyStep(TAdvMemoStrings& lines, const TEditStep& step, bool forward);
// Appends steps to a record's steps. A step that replaces the same single line as the last
// one joins it (the line as it was first, as it is now): whole-line replacements of one line
// done in a row come to the same, forward and back, so a run of typing keeps that line twice
// instead of twice per key. Compact steps of one line join when the bytes they changed touch
// or overlap, so a run of typing in a long line keeps only the typed text.
void AppendSteps(std::vector<TEditStep>& into, std::vector<TEditStep>&& steps);

}  // namespace tarnwick::editor
