// Reading the line list from files and streams and writing it back.
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstdint>
#include <cstring>
#include <memory>

#include "editor/AdvMemoStrings.h"
#include "editor/EditorErrors.h"
#include "editor/FileStream.h"
#include "editor/SafeFileWriter.h"
#include "editor/ScopedValue.h"
#include "editor/UpdateBracket.h"

namespace tarnwick::editor {
namespace {

constexpr size_t kWriteChunk = 1 << 20;
constexpr unsigned char kHighestTrimmed = 32;  // trailing spaces and control characters
constexpr std::string_view kLineBreak = "\r\n";

// A load as the editor sees it: it starts (the editor resets and goes quiet) when the scope
// opens and ends when it closes, with the new text if Done was called first; so a failed read
// always gives the editor its change handling back. A scope whose load was finished by an
// inner one is dismissed and ends nothing.
class TLoadScope {
  public:
    explicit TLoadScope(ILinesObserver& editor) : fEditor(editor) { fEditor.LoadStarting(); }
    ~TLoadScope() {
        if (fEnd != End::Dismissed) {
            fEditor.LoadEnded(fEnd == End::Loaded);
        }
    }
    TLoadScope(const TLoadScope&) = delete;
    TLoadScope& operator=(const TLoadScope&) = delete;

    void Done() { fEnd = End::Loaded; }
    void Dismiss() { fEnd = End::Dismissed; }

  private:
    enum class End { Failed, Loaded, Dismissed };
    ILinesObserver& fEditor;
    End fEnd = End::Failed;
};

TTextBuffer ReadRest(TStream& stream) {
    const int64_t position = stream.Position();
    const int64_t total = stream.Size();
    TTextBuffer buffer(total > position ? static_cast<size_t>(total - position) : 0);
    stream.ReadBuffer(buffer.Data(), buffer.Size());
    return buffer;
}

// Where the line starting at p ends: the next CR, LF or NUL (or end). Notes a tab on the way.
// Eight bytes are tested at a time: only a word holding a byte below 14 is looked at closely.
const char* LineEnd(const char* p, const char* end, bool& tab) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kHighBits = 0x8080808080808080ULL;
    constexpr uint64_t kBelow = 14;  // CR is 13, the largest byte that can matter
    tab = false;
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
        if (stopMask != 0) {
            const int at = __builtin_ctz(stopMask);
            tab = tab || (tabMask & ((1u << at) - 1)) != 0;
            return p + at;
        }
        tab = tab || tabMask != 0;
        p += 16;
    }
#endif
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (((word - kOnes * kBelow) & ~word & kHighBits) == 0) {
            p += 8;
            continue;
        }
        for (const char* stop = p + 8; p < stop; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            if (c == '\r' || c == '\n' || c == '\0') {
                return p;
            }
            tab = tab || c == '\t';
        }
    }
    for (; p < end; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\r' || c == '\n' || c == '\0') {
            return p;
        }
        tab = tab || c == '\t';
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
    while (p < end && *p != '\0') {
        p = NextLine(LineEnd(p, end, tab), end);
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

void TAdvMemoStrings::AddLoadedText(TTextBuffer buffer) {
    const size_t size = buffer.Size();
    const char* p = fStore.AdoptBuffer(std::move(buffer));
    const char* const end = p + size;
    const int tabSize = fOwner != nullptr ? fOwner->TabSize() : 0;
    // Counting first lets every per-line array be allocated once, at its final size.
    const size_t lines = CountLines(p, end);
    fStore.Reserve(lines);
    if (fOwner != nullptr) {
        fLineLengths.reserve(fLineLengths.size() + lines);
    }
    while (p < end && *p != '\0') {
        const char* start = p;
        bool tab = false;
        p = LineEnd(p, end, tab);
        Changing();
        if (fOwner != nullptr && tab) {
            fStore.Insert(Count(), ExpandTabs(std::string_view(start, p - start), tabSize));
        } else {
            fStore.AppendView(start, static_cast<size_t>(p - start));
        }
        if (fOwner != nullptr) {
            const int index = Count() - 1;
            if (!fNoRecords) {
                fStore.MarkRecord(index);
            }
            const auto length = static_cast<int32_t>(fStore.View(index).size());
            fLineLengths.push_back(length);
            fLengthTracker.Add(length);
        }
        Changed();
        p = NextLine(p, end);
    }
}

void TAdvMemoStrings::LoadFromFile(const std::string& path) {
    if (fOwner == nullptr) {
        TFileStream file(path, TFileStream::Mode::OpenRead);
        LoadFromStream(file);
        return;
    }
    TLoadScope scope(*fOwner);
    TFileStream file(path, TFileStream::Mode::OpenRead);
    LoadFromStream(file);
    scope.Dismiss();  // the stream's load has ended it
}

void TAdvMemoStrings::LoadFromStream(TStream& stream) {
    if (fOwner == nullptr) {
        TTextBuffer bytes = ReadRest(stream);
        const TUpdateBracket bracket(*this);
        Clear();
        AddLoadedText(std::move(bytes));
        return;
    }
    TLoadScope scope(*fOwner);
    TTextBuffer bytes = ReadRest(stream);
    Clear();
    AddLoadedText(std::move(bytes));
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
