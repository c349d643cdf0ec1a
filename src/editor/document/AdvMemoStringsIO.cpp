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

#include <unistd.h>

#include "editor/control/ScopedValue.h"
#include "editor/document/AdvMemoStrings.h"
#include "editor/document/EditorErrors.h"
#include "editor/document/UpdateBracket.h"
#include "platform/MemoryAdvice.h"
#include "platform/Utf8Chars.h"
#include "platform/files/FileStream.h"
#include "platform/files/SafeFileWriter.h"

namespace tarnwick::editor {
namespace {

using files::TFileStream;
using files::TSafeFileWriter;

constexpr size_t kWriteChunk = 1 << 20;
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
// columns can count, no memory, a file beyond the load limits. LoadFromFile names the file
// with the reason, LoadFromStream reports a read error; either way the list is untouched.
struct TLoadTooLarge {
    std::string reason;
};

constexpr size_t kProbeChunk = 1 << 16;
// Reading the size a file reports goes in pieces this large, so a cancel is seen soon.
constexpr size_t kReadChunk = 16u << 20;
constexpr uint64_t kMiB = 1u << 20;
constexpr uint64_t kMaxUnsizedRead = 256 * kMiB;

std::string MiBText(uint64_t bytes) {
    return bytes < kMiB ? std::to_string(bytes) + " bytes" : std::to_string(bytes / kMiB) + " MiB";
}

void CheckCancelled(const std::atomic<bool>* cancelled) {
    if (cancelled != nullptr && cancelled->load(std::memory_order_relaxed)) {
        throw ELoadCancelled();
    }
}

// Every byte from the position to the end. The size the stream reports is read first; a
// stream that delivers less (files under /sys report a page and hold fewer bytes) ends there.
// Then reading goes on until the stream says it has ended, since files such as those under
// /proc report a size of 0 and a file may grow while it is read, but only within the limits.
TTextBuffer ReadRest(TStream& stream, const TAdvMemoStrings::TLoadSettings& settings) {
    const int64_t position = stream.Position();
    const int64_t total = stream.Size();
    const uint64_t expected = total > position ? static_cast<uint64_t>(total - position) : 0;
    if (expected > settings.Limits.MaxFileSize) {
        throw TLoadTooLarge{"The file is too large to load: " + MiBText(expected) +
                            ", more than the " + MiBText(settings.Limits.MaxFileSize) +
                            " this computer can hold"};
    }
    TAdvMemoStrings::TLoadProgress* progress = settings.Progress;
    if (progress != nullptr) {
        progress->Expected.store(expected);
    }
    TTextBuffer buffer(static_cast<size_t>(expected));
    size_t got = 0;
    while (got < buffer.Size()) {
        CheckCancelled(settings.Cancelled);
        const size_t n =
            stream.Read(buffer.Data() + got, std::min(kReadChunk, buffer.Size() - got));
        if (n == 0) {
            break;
        }
        got += n;
        if (progress != nullptr) {
            progress->Read.store(got, std::memory_order_relaxed);
        }
    }
    buffer.Truncate(got);
    if (got < expected) {
        return buffer;
    }
    std::string more;
    for (;;) {
        CheckCancelled(settings.Cancelled);
        const size_t at = more.size();
        if (at >= settings.Limits.MaxUnsizedRead) {
            throw TLoadTooLarge{"The file does not end: reading stopped after " +
                                MiBText(settings.Limits.MaxUnsizedRead)};
        }
        more.resize(at + kProbeChunk);
        const size_t n = stream.Read(more.data() + at, kProbeChunk);
        more.resize(at + n);
        if (n == 0) {
            break;
        }
        if (progress != nullptr) {
            progress->Read.store(got + more.size(), std::memory_order_relaxed);
        }
    }
    if (more.empty()) {
        return buffer;
    }
    TTextBuffer whole(got + more.size());
    std::memcpy(whole.Data(), buffer.Data(), got);
    std::memcpy(whole.Data() + got, more.data(), more.size());
    return whole;
}

// Where the line starting at p ends: the next CR or LF (or end). Notes a tab, and a byte above
// 0x7F (a line that is not pure ASCII), on the way. Eight bytes are tested at a time: only a
// word holding a byte below 14 is looked at closely.
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
    const __m128i tabs = _mm_set1_epi8('\t');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i stops = _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf));
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
            if (c == '\r' || c == '\n') {
                return p;
            }
            tab = tab || c == '\t';
            high = high || c >= kFirstNonAscii;
        }
    }
    for (; p < end; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\r' || c == '\n') {
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

// The break that ends a line at p, given the start of the next line.
TLineBreak BreakAt(const char* p, const char* next) {
    switch (next - p) {
        case 0:
            return TLineBreak::None;
        case 2:
            return TLineBreak::CRLF;
        default:
            return *p == '\r' ? TLineBreak::CR : TLineBreak::LF;
    }
}

size_t CountLines(const char* p, const char* end) {
    size_t lines = 0;
    bool tab = false;
    bool high = false;
    while (p < end) {
        p = NextLine(LineEnd(p, end, tab, high), end);
        ++lines;
    }
    return lines;
}

// Writes pieces of text to a stream in large chunks. Pieces that follow each other in memory
// (the untouched lines of a loaded file with their breaks) are joined into one span and go out
// without being copied. Every piece must stay valid until Flush.
class TPieceWriter {
  public:
    explicit TPieceWriter(TStream& stream) : fStream(stream) { fChunk.reserve(kWriteChunk); }

    void Append(std::string_view piece) {
        if (piece.empty()) {
            return;
        }
        if (fSpan != nullptr && fSpan + fSpanLength == piece.data()) {
            fSpanLength += piece.size();
            return;
        }
        FlushSpan();
        fSpan = piece.data();
        fSpanLength = piece.size();
    }

    void Flush() {
        FlushSpan();
        FlushChunk();
    }

  private:
    void FlushSpan() {
        if (fSpanLength == 0) {
            return;
        }
        if (fChunk.size() + fSpanLength > kWriteChunk) {
            FlushChunk();
        }
        if (fSpanLength >= kWriteChunk) {
            fStream.WriteBuffer(fSpan, fSpanLength);
        } else {
            fChunk.append(fSpan, fSpanLength);
        }
        fSpan = nullptr;
        fSpanLength = 0;
    }

    void FlushChunk() {
        if (!fChunk.empty()) {
            fStream.WriteBuffer(fChunk.data(), fChunk.size());
            fChunk.clear();
        }
    }

    TStream& fStream;
    std::string fChunk;
    const char* fSpan = nullptr;
    size_t fSpanLength = 0;
};

}  // namespace

namespace {

// Splits text at CR, LF, CR LF (LF CR is two breaks); every other byte, NUL included, is text.
void SplitText(TTextBuffer buffer, const TAdvMemoStrings::TLoadSettings& settings,
               TAdvMemoStrings::TPreparedText& into) {
    const size_t size = buffer.Size();
    const char* p = into.store.AdoptBuffer(std::move(buffer));
    const char* const end = p + size;
    const bool observed = settings.Observed;
    const int tabSize = observed ? std::max(settings.TabSize, 0) : 1;
    // Counting first lets every per-line array be allocated once, at its final size.
    const size_t lines = CountLines(p, end);
    if (lines > static_cast<size_t>(INT32_MAX)) {
        throw TLoadTooLarge{SystemErrorText(EFBIG)};
    }
    into.store.Reserve(lines);
    if (observed) {
        platform::ReserveAdvised(into.lengths, lines);
    }
    // A cancel is looked at every so many lines: often enough to act at once, rarely enough
    // to cost nothing.
    constexpr int kCancelCheckLines = 1 << 16;
    int sinceCheck = 0;
    while (p < end) {
        if (++sinceCheck == kCancelCheckLines) {
            CheckCancelled(settings.Cancelled);
            sinceCheck = 0;
        }
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
            throw TLoadTooLarge{SystemErrorText(EFBIG)};
        }
        const char* next = NextLine(p, end);
        const TLineBreak brk = BreakAt(p, next);
        if (into.store.Count() == 0 && brk != TLineBreak::None) {
            into.lineBreak = brk;
        }
        into.finalBreak = brk != TLineBreak::None;
        if (observed && tab) {
            into.store.AppendExpanded(ExpandTabs(std::string_view(start, length), tabSize), start,
                                      length, brk);
        } else {
            into.store.AppendView(start, length, brk);
        }
        if (observed) {
            const int index = into.store.Count() - 1;
            if (settings.Records) {
                into.store.MarkRecord(index);
            }
            // Lengths count characters; a pure ASCII line has one per byte.
            const std::string_view text = into.store.View(index);
            const auto columns =
                static_cast<int32_t>(high ? platform::utf8::CharCount(text) : text.size());
            into.lengths.push_back(columns);
            into.tracker.Add(columns);
        }
        p = next;
    }
}

std::unique_ptr<TAdvMemoStrings::TPreparedText> ReadAndSplit(
    TStream& stream, const TAdvMemoStrings::TLoadSettings& settings) {
    auto prepared = std::make_unique<TAdvMemoStrings::TPreparedText>();
    try {
        SplitText(ReadRest(stream, settings), settings, *prepared);
    } catch (const std::bad_alloc&) {
        throw TLoadTooLarge{SystemErrorText(ENOMEM)};
    } catch (const std::length_error&) {
        throw TLoadTooLarge{SystemErrorText(EFBIG)};
    }
    return prepared;
}

}  // namespace

TAdvMemoStrings::TLoadLimits TAdvMemoStrings::TLoadLimits::ForThisMachine() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    TLoadLimits limits;
    limits.MaxFileSize = pages > 0 && pageSize > 0
                             ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize) / 4
                             : 1024 * kMiB;
    limits.MaxUnsizedRead = std::min(kMaxUnsizedRead, limits.MaxFileSize);
    return limits;
}

TAdvMemoStrings::TLoadSettings TAdvMemoStrings::LoadSettings() const {
    TLoadSettings settings;
    settings.Observed = fOwner != nullptr;
    settings.TabSize = fOwner != nullptr ? fOwner->TabSize() : 1;
    settings.Records = !fNoRecords;
    return settings;
}

std::unique_ptr<TAdvMemoStrings::TPreparedText> TAdvMemoStrings::PrepareFile(
    const std::string& path, const TLoadSettings& settings) {
    TFileStream file(path, TFileStream::Mode::OpenRead);
    try {
        return ReadAndSplit(file, settings);
    } catch (const TLoadTooLarge& e) {
        throw EFOpenError(path, e.reason);
    }
}

void TAdvMemoStrings::TakeLoadedLines(TPreparedText& loaded) {
    Clear();
    fLineBreak = loaded.lineBreak;
    fFinalBreak = loaded.finalBreak;
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
    const std::unique_ptr<TPreparedText> prepared = PrepareFile(path, LoadSettings());
    InstallPrepared(*prepared);
}

std::unique_ptr<TAdvMemoStrings::TPreparedText> TAdvMemoStrings::PrepareStream(
    TStream& stream, const TLoadSettings& settings) {
    try {
        return ReadAndSplit(stream, settings);
    } catch (const TLoadTooLarge&) {
        throw EReadError();
    }
}

void TAdvMemoStrings::LoadFromStream(TStream& stream) {
    const std::unique_ptr<TPreparedText> prepared = PrepareStream(stream, LoadSettings());
    InstallPrepared(*prepared);
}

void TAdvMemoStrings::InstallPrepared(TPreparedText& loaded) {
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
    TPieceWriter out(stream);
    const std::string_view ownBreak = LineBreakText(fLineBreak);
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        const TLineStore::Origin origin = fStore.OriginOf(i);
        out.Append(origin.Untouched ? origin.Raw : fStore.View(i));
        if (i + 1 < count || fFinalBreak) {
            // A line read from the file keeps its break; others take the file's.
            out.Append(origin.FromFile && origin.Break != TLineBreak::None
                           ? LineBreakText(origin.Break)
                           : ownBreak);
        }
    }
    out.Flush();
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
