// Line matching for find and replace. The scan looks for the pattern's first and last byte at
// once, sixteen positions at a time where the processor offers it, and compares the whole
// pattern only where both fit; a line is never copied or lowercased.
#include "editor/find/FindPattern.h"

#include <cstring>

#include "editor/editing/EditColumns.h"
#include "editor/find/FindOptions.h"
#include "platform/Utf8Chars.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarnwick::editor {

namespace {

bool IsLowerLetter(char c) {
    return c >= 'a' && c <= 'z';
}

bool SameByte(char lineByte, char patternByte, bool fold) {
    return (fold ? static_cast<char>(lineByte | 0x20) : lineByte) == patternByte;
}

}  // namespace

TFindPattern::TFindPattern(std::string_view text, bool matchCase, bool wholeWord)
    : fText(text), fMatchCase(matchCase), fWholeWord(wholeWord) {
    if (!fMatchCase) {
        for (char& c : fText) {
            c = AsciiLower(c);
        }
    }
    fCharacters = columns::Length(fText);
    fAscii = platform::utf8::IsAscii(fText);
    if (!fText.empty()) {
        fFirst = fText.front();
        fLast = fText.back();
        // x | 0x20 equals a lowercase letter exactly when x is that letter in either case.
        fFoldFirst = !fMatchCase && IsLowerLetter(fFirst);
        fFoldLast = !fMatchCase && IsLowerLetter(fLast);
    }
}

bool TFindPattern::SameAt(const char* at) const {
    if (fMatchCase) {
        return std::memcmp(at, fText.data(), fText.size()) == 0;
    }
    for (size_t i = 0; i < fText.size(); ++i) {
        if (AsciiLower(at[i]) != fText[i]) {
            return false;
        }
    }
    return true;
}

size_t TFindPattern::NextOccurrence(std::string_view s, size_t from) const {
    const size_t n = fText.size();
    if (n == 0 || s.size() < n || from > s.size() - n) {
        return npos;
    }
    const char* data = s.data();
    const size_t lastStart = s.size() - n;
    size_t i = from;
#if defined(__SSE2__)
    // Positions i..i+15 are all possible starts; the second load ends at the last byte of s.
    const __m128i first = _mm_set1_epi8(fFirst);
    const __m128i last = _mm_set1_epi8(fLast);
    const __m128i foldFirst = _mm_set1_epi8(fFoldFirst ? 0x20 : 0);
    const __m128i foldLast = _mm_set1_epi8(fFoldLast ? 0x20 : 0);
    for (; i + 16 <= lastStart + 1; i += 16) {
        const __m128i a =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i)), foldFirst);
        const __m128i b = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + n - 1)), foldLast);
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        while (mask != 0) {
            const size_t at = i + static_cast<size_t>(__builtin_ctz(mask));
            if (SameAt(data + at)) {
                return at;
            }
            mask &= mask - 1;
        }
    }
#endif
    for (; i <= lastStart; ++i) {
        if (SameByte(data[i], fFirst, fFoldFirst) && SameByte(data[i + n - 1], fLast, fFoldLast) &&
            SameAt(data + i)) {
            return i;
        }
    }
    return npos;
}

bool TFindPattern::TouchesWord(std::string_view s, size_t pos) const {
    const size_t end = pos + fText.size();
    return (pos > 0 && IsFindWordChar(static_cast<unsigned char>(s[pos - 1]))) ||
           (end < s.size() && IsFindWordChar(static_cast<unsigned char>(s[end])));
}

size_t TFindPattern::Match(std::string_view s, bool down) const {
    // An ASCII pattern's bytes are whole characters wherever they occur, so only a pattern with
    // other bytes needs the boundary walk; the walk to the start only moves forward (one pass
    // per line). An occurrence is a match when it starts on a character boundary and the
    // characters of the line from there end exactly at its end: then they are the pattern's
    // own characters (two stray lead bytes never match inside the character they begin).
    size_t boundary = 0;
    auto aligned = [&](size_t pos) {
        if (fAscii) {
            return true;
        }
        while (boundary < pos) {
            boundary += platform::utf8::CharLength(s, boundary);
        }
        if (boundary != pos) {
            return false;
        }
        const size_t end = pos + fText.size();
        size_t at = pos;
        while (at < end) {
            at += platform::utf8::CharLength(s, at);
        }
        return at == end;
    };
    size_t found = npos;
    for (size_t pos = NextOccurrence(s, 0); pos != npos; pos = NextOccurrence(s, pos + 1)) {
        if (aligned(pos)) {
            found = pos;
            if (down) {
                break;
            }
        }
    }
    if (found != npos && fWholeWord && TouchesWord(s, found)) {
        return npos;
    }
    return found;
}

}  // namespace tarnwick::editor
