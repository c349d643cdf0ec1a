#include "editor/document/EditSpan.h"

#include <algorithm>

#include "editor/document/AdvMemoStrings.h"
#include "platform/MemoryAdvice.h"

namespace tarnwick::editor {

namespace {
constexpr std::string_view kBreak = "\r\n";
}

std::string_view TTextSpan::Line(int index) const {
    const std::string_view all = Bytes;
    const size_t from = index == 0 ? 0 : Breaks[static_cast<size_t>(index) - 1] + kBreak.size();
    const size_t to =
        index == static_cast<int>(Breaks.size()) ? all.size() : Breaks[static_cast<size_t>(index)];
    return all.substr(from, to - from);
}

TTextSpan TTextSpan::FromText(std::string text) {
    TTextSpan span;
    span.Bytes = std::move(text);
    for (size_t at = span.Bytes.find(kBreak); at != std::string::npos;
         at = span.Bytes.find(kBreak, at + kBreak.size())) {
        span.Breaks.push_back(at);
    }
    return span;
}

TTextSpan TTextSpan::OfLine(std::string line) {
    TTextSpan span;
    span.Bytes = std::move(line);
    return span;
}

TTextSpan RemoveText(TAdvMemoStrings& lines, int line, size_t byte, int endLine, size_t endByte) {
    TTextSpan removed;
    const int count = lines.Count();
    if (count == 0) {
        return removed;
    }
    line = std::clamp(line, 0, count - 1);
    endLine = std::clamp(endLine, line, count - 1);
    const std::string_view first = lines.View(line);
    byte = std::min(byte, first.size());
    const std::string_view last = lines.View(endLine);
    endByte = std::min(endByte, last.size());
    if (endLine == line) {
        endByte = std::max(endByte, byte);
        if (endByte == byte) {
            return removed;
        }
        removed.Bytes.assign(first.substr(byte, endByte - byte));
        std::string joined;
        joined.reserve(first.size() - (endByte - byte));
        joined.append(first.substr(0, byte)).append(first.substr(endByte));
        // The line's front before the removed bytes and its end after them stay as they were.
        lines.PutEdited(line, joined, byte, first.size() - endByte);
        return removed;
    }
    size_t size = first.size() - byte + endByte;
    for (int i = line + 1; i < endLine; ++i) {
        size += lines.View(i).size();
    }
    removed.Bytes.reserve(size + kBreak.size() * static_cast<size_t>(endLine - line));
    // A large removal (a Select All of a big file) fills fresh memory: huge pages fault less.
    platform::AdviseHugePages(removed.Bytes.data(), removed.Bytes.capacity());
    removed.Breaks.reserve(static_cast<size_t>(endLine - line));
    removed.Bytes.append(first.substr(byte));
    for (int i = line + 1; i <= endLine; ++i) {
        removed.Breaks.push_back(removed.Bytes.size());
        removed.Bytes.append(kBreak);
        const std::string_view text = lines.View(i);
        removed.Bytes.append(i == endLine ? text.substr(0, endByte) : text);
    }
    std::string joined(first.substr(0, byte));
    joined.append(last.substr(endByte));
    lines.Put(line, joined);
    lines.RemoveLines(line + 1, endLine - line);
    return removed;
}

void InsertSpan(TAdvMemoStrings& lines, int line, size_t byte, const TTextSpan& span) {
    if (span.IsEmpty() && span.Breaks.empty()) {
        return;
    }
    if (lines.Count() == 0) {
        lines.Add("");
    }
    line = std::clamp(line, 0, lines.Count() - 1);
    const std::string_view stored = lines.View(line);
    std::string text;
    text.reserve(std::max(stored.size(), byte) + span.Bytes.size());
    text.assign(stored);
    if (text.size() < byte) {
        text.append(byte - text.size(), ' ');
    }
    if (span.Breaks.empty()) {
        text.insert(byte, span.Bytes);
        // The front before the insertion (or the padding) and the end after it are unchanged.
        const size_t front = std::min(byte, stored.size());
        lines.PutEdited(line, text, front, stored.size() - front);
        return;
    }
    const int last = span.LineCount() - 1;
    std::string tail(span.Line(last));
    tail.append(text, byte);
    text.resize(byte);
    text.append(span.Line(0));
    std::vector<std::string_view> added;
    added.reserve(static_cast<size_t>(last));
    for (int i = 1; i < last; ++i) {
        added.push_back(span.Line(i));
    }
    added.push_back(tail);
    lines.Put(line, text);
    lines.InsertLines(line + 1, added);
}

TEditStep SpliceLine(TAdvMemoStrings& lines, int line, size_t at, size_t count,
                     std::string_view inserted) {
    if (lines.Count() == 0) {
        lines.Add("");
    }
    line = std::clamp(line, 0, lines.Count() - 1);
    const std::string_view stored = lines.View(line);
    std::string padded;
    if (at > stored.size()) {
        padded.assign(at - stored.size(), ' ');
        padded.append(inserted);
        inserted = padded;
        at = stored.size();
        count = 0;
    }
    count = std::min(count, stored.size() - at);
    TEditStep step;
    step.Line = line;
    if (stored.size() < kCompactStepLine) {
        step.Old = TTextSpan::OfLine(std::string(stored));
        std::string text(stored);
        text.replace(at, count, inserted);
        step.New = TTextSpan::OfLine(text);
        lines.PutEdited(line, text, at, stored.size() - at - count);
        return step;
    }
    step.Compact = true;
    step.Front = at;
    step.Back = stored.size() - at - count;
    step.Old = TTextSpan::OfLine(std::string(stored.substr(at, count)));
    step.New = TTextSpan::OfLine(std::string(inserted));
    lines.SpliceLine(line, at, count, inserted);
    return step;
}

namespace {

// Applies a compact step to its line, forward or back.
void ApplyCompact(TAdvMemoStrings& lines, const TEditStep& step, bool forward) {
    if (step.Line < 0 || step.Line >= lines.Count()) {
        return;
    }
    const std::string& from = (forward ? step.Old : step.New).Bytes;
    const std::string& to = (forward ? step.New : step.Old).Bytes;
    const size_t expected = step.Front + from.size() + step.Back;
    const std::string_view line = lines.View(step.Line);
    if (line.size() < expected) {
        // Trailing spaces trimmed since the step: they come back first.
        lines.SpliceLine(step.Line, line.size(), 0, std::string(expected - line.size(), ' '));
    } else if (line.size() > expected &&
               line.find_first_not_of(' ', expected) == std::string_view::npos) {
        // Spaces padded at the end since the step.
        lines.SpliceLine(step.Line, expected, line.size() - expected, {});
    }
    lines.SpliceLine(step.Line, step.Front, from.size(), to);
}

// Joins next into last, two compact steps of one line, when the bytes last wrote and the
// bytes next replaced touch or overlap; returns false (and leaves both alone) otherwise.
bool JoinCompact(TEditStep& last, TEditStep& next) {
    if (!last.Compact || !next.Compact || last.Line != next.Line) {
        return false;
    }
    // Positions in the line as last left it (which next started from).
    const size_t length = last.Front + last.New.Bytes.size() + last.Back;
    if (next.Front + next.Old.Bytes.size() + next.Back != length) {
        return false;  // the line changed between the two without a record
    }
    const size_t wroteFrom = last.Front;
    const size_t wroteTo = length - last.Back;
    const size_t readFrom = next.Front;
    const size_t readTo = length - next.Back;
    if (std::max(wroteFrom, readFrom) > std::min(wroteTo, readTo)) {
        return false;
    }
    // The line between the two steps over the union of both ranges.
    const size_t from = std::min(wroteFrom, readFrom);
    const size_t to = std::max(wroteTo, readTo);
    std::string between(to - from, ' ');
    between.replace(readFrom - from, readTo - readFrom, next.Old.Bytes);
    between.replace(wroteFrom - from, wroteTo - wroteFrom, last.New.Bytes);
    std::string old = between;
    old.replace(wroteFrom - from, wroteTo - wroteFrom, last.Old.Bytes);
    std::string now = std::move(between);
    now.replace(readFrom - from, readTo - readFrom, next.New.Bytes);
    last.Old = TTextSpan::OfLine(std::move(old));
    last.New = TTextSpan::OfLine(std::move(now));
    last.Front = from;
    last.Back = length - to;
    return true;
}

}  // namespace

TEditStep StepBefore(const TAdvMemoStrings& lines, int first, int count) {
    TEditStep step;
    step.Line = first;
    StepAfter(step, lines, count);
    step.Old = std::move(step.New);
    step.New = {};
    return step;
}

void StepAfter(TEditStep& step, const TAdvMemoStrings& lines, int count) {
    const int from = std::clamp(step.Line, 0, lines.Count());
    const int to = std::min(from + count, lines.Count());
    TTextSpan& span = step.New;
    span = {};
    size_t size = 0;
    for (int i = from; i < to; ++i) {
        size += lines.View(i).size() + kBreak.size();
    }
    span.Bytes.reserve(size);
    span.Breaks.reserve(static_cast<size_t>(std::max(to - from - 1, 0)));
    for (int i = from; i < to; ++i) {
        if (i > from) {
            span.Breaks.push_back(span.Bytes.size());
            span.Bytes.append(kBreak);
        }
        span.Bytes.append(lines.View(i));
    }
}

void ReplaceLines(TAdvMemoStrings& lines, int first, int count, const TTextSpan& span) {
    first = std::clamp(first, 0, lines.Count());
    count = std::clamp(count, 0, lines.Count() - first);
    const int n = span.LineCount();
    const int common = std::min(count, n);
    for (int i = 0; i < common; ++i) {
        if (lines.View(first + i) != span.Line(i)) {
            lines.Put(first + i, std::string(span.Line(i)));
        }
    }
    if (n > count) {
        std::vector<std::string_view> added;
        added.reserve(static_cast<size_t>(n - count));
        for (int i = count; i < n; ++i) {
            added.push_back(span.Line(i));
        }
        lines.InsertLines(first + count, added);
    } else if (count > n) {
        lines.RemoveLines(first + n, count - n);
    }
}

void ApplyStep(TAdvMemoStrings& lines, const TEditStep& step, bool forward) {
    if (step.Compact) {
        ApplyCompact(lines, step, forward);
    } else if (forward) {
        ReplaceLines(lines, step.Line, step.Old.LineCount(), step.New);
    } else {
        ReplaceLines(lines, step.Line, step.New.LineCount(), step.Old);
    }
}

void AppendSteps(std::vector<TEditStep>& into, std::vector<TEditStep>&& steps) {
    for (TEditStep& step : steps) {
        if (!into.empty()) {
            TEditStep& last = into.back();
            if (JoinCompact(last, step)) {
                continue;
            }
            if (!step.Compact && !last.Compact && step.Line == last.Line &&
                step.Old.LineCount() == 1 && step.New.LineCount() == 1 &&
                last.Old.LineCount() == 1 && last.New.LineCount() == 1) {
                last.New = std::move(step.New);
                continue;
            }
        }
        into.push_back(std::move(step));
    }
}

}  // namespace tarnwick::editor
