#include "platform/Windows1252.h"

#include <array>
#include <cstdint>

namespace tarnwick::platform::Windows1252 {
namespace {

// Bytes below and above this range are the same numbers in UTF-16 (ASCII and Latin-1).
constexpr unsigned kSpecialFirst = 0x80;
constexpr unsigned kSpecialLast = 0x9F;
constexpr unsigned kByteCount = 256;

// Bytes 0x80-0x9F. The five bytes the code page does not define keep their own number
// (0x81, 0x8D, 0x8F, 0x90, 0x9D), so every byte survives a round trip.
constexpr std::array<char16_t, kSpecialLast - kSpecialFirst + 1> kSpecial = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

constexpr char16_t kHighSurrogateFirst = 0xD800;
constexpr char16_t kHighSurrogateLast = 0xDBFF;
constexpr char16_t kLowSurrogateFirst = 0xDC00;
constexpr char16_t kLowSurrogateLast = 0xDFFF;

constexpr bool IsHighSurrogate(char16_t unit) {
    return unit >= kHighSurrogateFirst && unit <= kHighSurrogateLast;
}
constexpr bool IsLowSurrogate(char16_t unit) {
    return unit >= kLowSurrogateFirst && unit <= kLowSurrogateLast;
}

}  // namespace

char16_t ToUtf16(unsigned char byte) {
    if (byte >= kSpecialFirst && byte <= kSpecialLast) {
        return kSpecial[byte - kSpecialFirst];
    }
    return byte;
}

std::u16string ToUtf16(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        text.push_back(ToUtf16(static_cast<unsigned char>(byte)));
    }
    return text;
}

char FromUtf16(char16_t unit) {
    if (unit < kSpecialFirst || (unit > kSpecialLast && unit < kByteCount)) {
        return static_cast<char>(unit);
    }
    // The 32 table entries are searched directly; a reverse map would save nothing at this size.
    for (unsigned i = 0; i < kSpecial.size(); ++i) {
        if (kSpecial[i] == unit) {
            return static_cast<char>(kSpecialFirst + i);
        }
    }
    return kReplacementByte;
}

std::string FromUtf16(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;  // the pair is one character outside the code page
        }
        bytes.push_back(FromUtf16(unit));
    }
    return bytes;
}

}  // namespace tarnwick::platform::Windows1252
