// Reading the line list from files and streams and writing it back.
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

#include "editor/AdvMemoStrings.h"
#include "editor/EditorErrors.h"
#include "editor/FileStream.h"
#include "editor/SafeFileWriter.h"
#include "editor/ScopedValue.h"
#include "editor/UpdateBracket.h"
#include "platform/MemoryAdvice.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {
namespace {

constexpr size_t kWriteChunk = 1 << 20;
constexpr unsigned char kHighestTrimmed = 32;  // trailing spaces and control characters
constexpr std::string_view kLineBreak = "\r\n";
constexpr unsigned char kFirstNonAscii = 0x80;
// The longest line the editor holds: its column counts are 32-bit signed.
constexpr size_t kLongestLine = INT32_MAX;

// Installing a load as the editor sees it: it starts (the editor resets and goes quiet) when
// the scope opens and ends when it closes, with the new text if Done was called first; so a
// failure on the way always gives the editor its change handling back.
class TLoadScope {
  public:
    explicit TLoadScope(ILinesObserver& editor) : fEditor(editor) { fEditor.LoadStarting(); }
    ~TLoadScope() { fEditor.LoadEnded(fDone); }
    TLoadScope(const TLoadScope&) = delete;
    TLoadScope& operator=(const TLoadScope&) = delete;

    void Done() { fDone = true; }

  private:
    ILinesObserver& fEditor;
    bool fDone = false;
};

// Raised while a text is read and split when it can't be held: a line longer than the editor's
// columns can count, or no memory. LoadFromFile names the file, LoadFromStream reports a read
// error; either way the list is untouched.
struct TLoadTooLarge {
    int error;
};

constexpr size_t kProbeChunk = 1 << 16;

// Every byte from the position to the end. The size the stream reports is read at once; then
// reading goes on until the stream says it has ended, since files such as those under /proc
// report a size of 0 and a file may grow while it is read.
TTextBuffer ReadRest(TStream& stream) {
    const int64_t position = stream.Position();
    const int64_t total = stream.Size();
    const size_t expected = total > position ? static_cast<size_t>(total - position) : 0;
    TTextBuffer buffer(expected);
    stream.ReadBuffer(buffer.Data(), buffer.Size());
    std::string more;
    for (;;) {
        const size_t at = more.size();
        more.resize(at + kProbeChunk);
        const size_t got = stream.Read(more.data() + at, kProbeChunk);
        more.resize(at + got);
        if (got == 0) {
            break;
        }
    }
    if (more.empty()) {
        return buffer;
    }
    TTextBuffer whole(expected + more.size());
    std::memcpy(whole.Data(), buffer.Data(), expected);
    std::memcpy(whole.Data() + expected, more.data(), more.size());
    return whole;
}

// Where the line starting at p ends: the next CR, LF or NUL (or end). Notes a tab, and a byte
// above 0x7F (a line that is not pure ASCII), on the way. Eight bytes are tested at a time:
// only a word holding a byte below 14 is looked at closely.
const char* LineEnd(const char* p, const char* end, bool& tab, bool& high) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kHighBits = 0x8080808080808080ULL;
    constexpr uint64_t kBelow = 14;  // CR is 13, the largest byte that can matter
    tab = false;
    high = false;
#if defined(__SSE2__)
    // Sixteen bytes at a time where the processor has vector compares (every x86-64 does).
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i nul = _mm_setzero_si128();
    const __m128i tabs = _mm_set1_epi8('\t');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i stops = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)), _mm_cmpeq_epi8(v, nul));
        const unsigned stopMask = static_cast<unsigned>(_mm_movemask_epi8(stops));
        const unsigned tabMask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, tabs)));
        const unsigned highMask = static_cast<unsigned>(_mm_movemask_epi8(v));
        if (stopMask != 0) {
            const int at = __builtin_ctz(stopMask);
            const unsigned before = (1u << at) - 1;
            tab = tab || (tabMask & before) != 0;
            high = high || (highMask & before) != 0;
            return p + at;
        }
        tab = tab || tabMask != 0;
        high = high || highMask != 0;
        p += 16;
    }
#endif
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (((word - kOnes * kBelow) & ~word & kHighBits) == 0) {
            high = high || (word & kHighBits) != 0;
            p += 8;
            continue;
        }
        for (const char* stop = p + 8; p < stop; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            if (c == '\r' || c == '\n' || c == '\0') {
                return p;
            }
            tab = tab || c == '\t';
            high = high || c >= kFirstNonAscii;
        }
    }
    for (; p < end; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\r' || c == '\n' || c == '\0') {
            return p;
        }
        tab = tab || c == '\t';
        high = high || c >= kFirstNonAscii;
    }
    return p;
}

// The start of the next line after a line ending at p: one CR, then one LF, are skipped.
const char* NextLine(const char* p, const char* end) {
    if (p < end && *p == '\r') {
        ++p;
    }
    if (p < end && *p == '\n') {
        ++p;
    }
    return p;
}

size_t CountLines(const char* p, const char* end) {
    size_t lines = 0;
    bool tab = false;
    bool high = false;
    while (p < end && *p != '\0') {
        p = NextLine(LineEnd(p, end, tab, high), end);
        ++lines;
    }
    return lines;
}

size_t TrimmedLength(std::string_view line) {
    size_t n = line.size();
    while (n > 0 && static_cast<unsigned char>(line[n - 1]) <= kHighestTrimmed) {
        --n;
    }
    return n;
}

}  // namespace

void TAdvMemoStrings::SplitLoadedText(TTextBuffer buffer, TLoadedLines& into) const {
    const size_t size = buffer.Size();
    const char* p = into.store.AdoptBuffer(std::move(buffer));
    const char* const end = p + size;
    const int tabSize = fOwner != nullptr ? std::max(fOwner->TabSize(), 0) : 1;
    // Counting first lets every per-line array be allocated once, at its final size.
    const size_t lines = CountLines(p, end);
    if (lines > static_cast<size_t>(INT32_MAX)) {
        throw TLoadTooLarge{EFBIG};
    }
    into.store.Reserve(lines);
    if (fOwner != nullptr) {
        ReserveAdvised(into.lengths, lines);
    }
    while (p < end && *p != '\0') {
        const char* start = p;
        bool tab = false;
        bool high = false;
        p = LineEnd(p, end, tab, high);
        const auto length = static_cast<size_t>(p - start);
        // A line must fit the editor's column count once its tabs are expanded; checked before
        // anything is expanded, so an oversized file fails at once.
        size_t expanded = length;
        if (tab && tabSize != 1 && length > kLongestLine / std::max(tabSize, 1)) {
            const auto tabs = static_cast<size_t>(std::count(start, p, '\t'));
            expanded = length - tabs + tabs * static_cast<size_t>(tabSize);
        }
        if (expanded > kLongestLine) {
            throw TLoadTooLarge{EFBIG};
        }
        if (fOwner != nullptr && tab) {
            into.store.Insert(into.store.Count(),
                              ExpandTabs(std::string_view(start, length), tabSize));
        } else {
            into.store.AppendView(start, length);
        }
        if (fOwner != nullptr) {
            const int index = into.store.Count() - 1;
            if (!fNoRecords) {
                into.store.MarkRecord(index);
            }
            // Lengths count characters; a pure ASCII line has one per byte.
            const std::string_view text = into.store.View(index);
            const auto columns = static_cast<int32_t>(high ? utf8::CharCount(text) : text.size());
            into.lengths.push_back(columns);
            into.tracker.Add(columns);
        }
        p = NextLine(p, end);
    }
}

void TAdvMemoStrings::ReadLoadedLines(TStream& stream, TLoadedLines& into) const {
    try {
        SplitLoadedText(ReadRest(stream), into);
    } catch (const std::bad_alloc&) {
        throw TLoadTooLarge{ENOMEM};
    } catch (const std::length_error&) {
        throw TLoadTooLarge{EFBIG};
    }
}

void TAdvMemoStrings::TakeLoadedLines(TLoadedLines& loaded) {
    Clear();
    const bool adds = loaded.store.Count() > 0;
    if (adds) {
        Changing();
    }
    fStore.Swap(loaded.store);
    fLineLengths.swap(loaded.lengths);
    std::swap(fLengthTracker, loaded.tracker);
    if (adds) {
        Changed();
    }
}

void TAdvMemoStrings::LoadFromFile(const std::string& path) {
    // Everything that can fail (opening, reading, splitting) happens before the list or the
    // editor is touched, so a failed load leaves document, caret and undo list as they were.
    TFileStream file(path, TFileStream::Mode::OpenRead);
    TLoadedLines loaded;
    try {
        ReadLoadedLines(file, loaded);
    } catch (const TLoadTooLarge& e) {
        throw EFOpenError(path, SystemErrorText(e.error));
    }
    InstallLoadedLines(loaded);
}

void TAdvMemoStrings::LoadFromStream(TStream& stream) {
    TLoadedLines loaded;
    try {
        ReadLoadedLines(stream, loaded);
    } catch (const TLoadTooLarge&) {
        throw EReadError();
    }
    InstallLoadedLines(loaded);
}

void TAdvMemoStrings::InstallLoadedLines(TLoadedLines& loaded) {
    if (fOwner == nullptr) {
        const TUpdateBracket bracket(*this);
        TakeLoadedLines(loaded);
        return;
    }
    TLoadScope scope(*fOwner);
    TakeLoadedLines(loaded);
    scope.Done();
}

void TAdvMemoStrings::WriteLines(TStream& stream) const {
    std::string chunk;
    chunk.reserve(kWriteChunk + kLineBreak.size());
    for (int i = 0; i < Count(); ++i) {
        const std::string_view line = fStore.View(i);
        if (chunk.size() + line.size() + kLineBreak.size() > kWriteChunk && !chunk.empty()) {
            stream.WriteBuffer(chunk.data(), chunk.size());
            chunk.clear();
        }
        if (line.size() > kWriteChunk) {
            stream.WriteBuffer(line.data(), line.size());
        } else {
            chunk.append(line);
        }
        chunk.append(kLineBreak);
    }
    stream.WriteBuffer(chunk.data(), chunk.size());
}

void TAdvMemoStrings::MarkSaved() {
    {
        const TUpdateBracket bracket(*this);
        const TScopedValue<TNotifyEvent> detached(OnChange, nullptr);
        for (int i = 0; i < Count(); ++i) {
            // A record without storage holds the defaults: state 0.
            TLineProp* record = fStore.StoredRecord(i);
            if (record != nullptr && record->LineModState == lmsModified) {
                record->LineModState = lmsModifiedSaved;
            }
        }
    }
    fOwner->LineStatesChanged();
}

void TAdvMemoStrings::SaveToFile(const std::string& path) {
    if (fOwner != nullptr) {
        const TUpdateBracket bracket(*this);
        for (int i = 0; i < Count(); ++i) {
            const std::string_view line = fStore.View(i);
            const size_t keep = TrimmedLength(line);
            if (keep != line.size()) {
                Put(i, std::string(line.substr(0, keep)));
            }
        }
    }
    // The old file is replaced only once the new content is completely on disk.
    TSafeFileWriter writer(path);
    WriteLines(writer.Stream());
    writer.Commit();
    if (fOwner != nullptr) {
        MarkSaved();
    }
}

void TAdvMemoStrings::SaveToStream(TStream& stream) {
    WriteLines(stream);
    if (fOwner != nullptr) {
        MarkSaved();
    }
}

}  // namespace tarnwick::editor
