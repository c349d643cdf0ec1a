#include "platform/Utf8Chars.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/Windows1252.h"

namespace tarnwick::platform::utf8 {
namespace {

constexpr unsigned char kFirstNonAscii = 0x80;
constexpr uint64_t kHighBits = 0x8080808080808080ULL;

constexpr bool IsContinuation(unsigned char b, unsigned char low = 0x80,
                              unsigned char high = 0xBF) {
    return b >= low && b <= high;
}

// Bytes of the ASCII prefix of text.
std::size_t AsciiPrefix(std::string_view text) {
    const char* p = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        std::memcpy(&word, p + i, sizeof word);
        if ((word & kHighBits) != 0) {
            break;
        }
    }
    while (i < n && static_cast<unsigned char>(p[i]) < kFirstNonAscii) {
        ++i;
    }
    return i;
}

}  // namespace

bool IsAscii(std::string_view text) {
    return AsciiPrefix(text) == text.size();
}

std::size_t CharLength(std::string_view text, std::size_t pos) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t left = text.size() - pos;
    const unsigned char b = s[pos];
    if (b < kFirstNonAscii) {
        return 1;
    }
    // Second-byte limits of the lead bytes that restrict it (shortest form, no surrogates,
    // nothing above U+10FFFF); every other continuation byte is 0x80..0xBF.
    if (b >= 0xC2 && b <= 0xDF) {
        return left >= 2 && IsContinuation(s[pos + 1]) ? 2 : 1;
    }
    if (b >= 0xE0 && b <= 0xEF) {
        const unsigned char low = b == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = b == 0xED ? 0x9F : 0xBF;
        return left >= 3 && IsContinuation(s[pos + 1], low, high) && IsContinuation(s[pos + 2]) ? 3
                                                                                                : 1;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        const unsigned char low = b == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = b == 0xF4 ? 0x8F : 0xBF;
        return left >= 4 && IsContinuation(s[pos + 1], low, high) && IsContinuation(s[pos + 2]) &&
                       IsContinuation(s[pos + 3])
                   ? 4
                   : 1;
    }
    return 1;
}

char32_t DecodeChar(std::string_view text, std::size_t pos, std::size_t& length) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data()) + pos;
    length = CharLength(text, pos);
    switch (length) {
        case 2:
            return (char32_t{s[0] & 0x1Fu} << 6) | (s[1] & 0x3Fu);
        case 3:
            return (char32_t{s[0] & 0x0Fu} << 12) | (char32_t{s[1] & 0x3Fu} << 6) | (s[2] & 0x3Fu);
        case 4:
            return (char32_t{s[0] & 0x07u} << 18) | (char32_t{s[1] & 0x3Fu} << 12) |
                   (char32_t{s[2] & 0x3Fu} << 6) | (s[3] & 0x3Fu);
        default:
            return s[0] < kFirstNonAscii ? char32_t{s[0]} : char32_t{Windows1252::ToUtf16(s[0])};
    }
}

int CharCount(std::string_view text) {
    std::size_t pos = AsciiPrefix(text);
    int count = static_cast<int>(pos);
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < kFirstNonAscii) {
            const std::size_t run = AsciiPrefix(text.substr(pos));
            count += static_cast<int>(run);
            pos += run;
            continue;
        }
        pos += CharLength(text, pos);
        ++count;
    }
    return count;
}

int CharCountChange(std::string_view before, std::string_view after, std::size_t samePrefix,
                    std::size_t sameSuffix) {
    const std::size_t prefix = std::min({samePrefix, before.size(), after.size()});
    const std::size_t suffix =
        std::min({sameSuffix, before.size() - prefix, after.size() - prefix});
    // Start at a character start both texts agree on: a byte that is no continuation byte
    // always starts a character, and the characters before it read no byte from it on. Behind
    // four continuation bytes the last one starts a character too (a character has at most
    // three), and the characters before it end two bytes before the edit at the latest.
    std::size_t start = prefix;
    while (start > 0 && prefix - start < 4) {
        --start;
        if (!IsContinuation(static_cast<unsigned char>(before[start]))) {
            break;
        }
    }
    if (start > 0 && prefix - start == 4 &&
        IsContinuation(static_cast<unsigned char>(before[start]))) {
        start = prefix - 1;
    }
    // Walk both texts on, always the one that is behind in the shared end, until both stand
    // at the same byte of the shared end: from there on they read the same characters.
    const std::size_t tailBefore = before.size() - suffix;
    const std::size_t tailAfter = after.size() - suffix;
    std::size_t i = start;
    std::size_t j = start;
    int change = 0;
    for (;;) {
        const bool iInTail = i >= tailBefore;
        const bool jInTail = j >= tailAfter;
        bool advanceBefore = !iInTail;
        if (iInTail && jInTail) {
            if (i - tailBefore == j - tailAfter) {
                return change;
            }
            advanceBefore = i - tailBefore < j - tailAfter;
        }
        if (advanceBefore) {
            i += CharLength(before, i);
            --change;
        } else {
            j += CharLength(after, j);
            ++change;
        }
    }
}

std::size_t ByteOffsetOfColumn(std::string_view text, int column) {
    if (column <= 0) {
        return 0;
    }
    const std::size_t ascii = AsciiPrefix(text);
    if (static_cast<std::size_t>(column) <= ascii) {
        return static_cast<std::size_t>(column);
    }
    std::size_t pos = ascii;
    int c = static_cast<int>(ascii);
    while (c < column && pos < text.size()) {
        pos += CharLength(text, pos);
        ++c;
    }
    return pos + static_cast<std::size_t>(column - c);
}

int ColumnOfByteOffset(std::string_view text, std::size_t offset) {
    const std::size_t ascii = AsciiPrefix(text);
    if (offset <= ascii) {
        return static_cast<int>(offset);
    }
    std::size_t pos = ascii;
    int c = static_cast<int>(ascii);
    while (pos < text.size()) {
        const std::size_t next = pos + CharLength(text, pos);
        if (offset < next) {
            return c;
        }
        pos = next;
        ++c;
    }
    return c + static_cast<int>(offset - text.size());
}

std::size_t Encode(char32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

}  // namespace tarnwick::platform::utf8
