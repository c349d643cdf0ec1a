// Case folding of UTF-8 text.
#include "platform/TextFolding.h"

#include <locale.h>
#include <wctype.h>

#include "platform/Utf8Chars.h"

namespace tarnwick::platform {
namespace {

constexpr char32_t kStrayByteBase = 0xDC00;

// The C library's Unicode character classes, from the C.UTF-8 locale that every Debian system
// has (it comes with the C library itself), whatever locales the user installed or chose.
// Created once and never freed; null where the system has no such locale.
locale_t UnicodeCaseLocale() {
    static const locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}

// A small table for systems without a UTF-8 C locale: ASCII, Latin-1, Latin Extended-A, Greek
// and Cyrillic capitals with a simple pair.
char32_t FoldCaseByTable(char32_t c) {
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {  // Latin-1 capitals, without the times sign
        return c + 0x20;
    }
    if (c >= 0x100 && c <= 0x17F) {  // Latin Extended-A: mostly alternating capital, small
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) {
            return c;  // dotted/dotless i, kra, 'n, long s: no simple pair
        }
        if (c == 0x178) {
            return 0xFF;  // Y with diaeresis pairs with a Latin-1 letter
        }
        const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool isCapital = oddCapitals ? (c % 2 == 1) : (c % 2 == 0);
        return isCapital ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) {  // Greek capitals
        return c + 0x20;
    }
    if (c >= 0x410 && c <= 0x42F) {  // Cyrillic capitals
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {  // Cyrillic capitals with marks
        return c + 0x50;
    }
    return c;
}

}  // namespace

char32_t NextUtf8Char(std::string_view text, std::size_t& pos) {
    std::size_t length = 1;
    const auto lead = static_cast<unsigned char>(text[pos]);
    const char32_t c = utf8::DecodeChar(text, pos, length);
    pos += length;
    // A stray byte must not fold together with the character it reads as.
    return length == 1 && lead >= 0x80 ? kStrayByteBase + lead : c;
}

char32_t FoldCase(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    }
    const locale_t locale = UnicodeCaseLocale();
    if (locale == locale_t{}) {
        return FoldCaseByTable(c);
    }
    // Through the capital and back, so that letters with two small forms (final sigma, long
    // s) and capitals without a small pair of their own fold with their family.
    const wint_t upper = ::towupper_l(static_cast<wint_t>(c), locale);
    return static_cast<char32_t>(::towlower_l(upper, locale));
}

char32_t SimpleLowerCase(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    }
    const locale_t locale = UnicodeCaseLocale();
    if (locale == locale_t{}) {
        return FoldCaseByTable(c);
    }
    return static_cast<char32_t>(::towlower_l(static_cast<wint_t>(c), locale));
}

}  // namespace tarnwick::platform
