#include "http/encoding/TIdSimpleEncodings.h"

namespace tarnwick::http {

namespace {

constexpr char16_t kReplacementChar = 0xFFFD;
constexpr std::uint8_t kUnknownByte = '?';
constexpr char16_t kLastASCII = 0x7F;
constexpr char16_t kLast8Bit = 0xFF;

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Characters above `last` become one "?"; a surrogate pair is one character, so one "?".
TIdBytes NarrowWithLimit(const char16_t* chars, std::size_t count, char16_t last) {
    TIdBytes out(count);
    std::size_t n = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t c = chars[i];
        if (c <= last) {
            out[n++] = static_cast<std::uint8_t>(c);
            continue;
        }
        if (IsHighSurrogate(c) && i + 1 < count && IsLowSurrogate(chars[i + 1])) {
            ++i;
        }
        out[n++] = kUnknownByte;
    }
    out.resize(n);
    return out;
}

}  // namespace

std::u16string TIdASCIIEncoding::GetChars(const std::uint8_t* bytes, std::size_t count) const {
    std::u16string out(count, u'\0');
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = bytes[i] <= kLastASCII ? char16_t(bytes[i]) : kReplacementChar;
    }
    return out;
}

TIdBytes TIdASCIIEncoding::GetBytes(const char16_t* chars, std::size_t count) const {
    return NarrowWithLimit(chars, count, kLastASCII);
}

std::u16string TId8BitEncoding::GetChars(const std::uint8_t* bytes, std::size_t count) const {
    return std::u16string(bytes, bytes + count);
}

TIdBytes TId8BitEncoding::GetBytes(const char16_t* chars, std::size_t count) const {
    return NarrowWithLimit(chars, count, kLast8Bit);
}

std::u16string TIdUTF16Encoding::GetChars(const std::uint8_t* bytes, std::size_t count) const {
    std::u16string out;
    out.reserve((count + 1) / 2);
    std::size_t i = 0;
    for (; i + 1 < count; i += 2) {
        const unsigned hi = fBigEndian ? bytes[i] : bytes[i + 1];
        const unsigned lo = fBigEndian ? bytes[i + 1] : bytes[i];
        out.push_back(static_cast<char16_t>((hi << 8) | lo));
    }
    if (i < count) {
        out.push_back(kReplacementChar);
    }
    return out;
}

TIdBytes TIdUTF16Encoding::GetBytes(const char16_t* chars, std::size_t count) const {
    TIdBytes out;
    out.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        const auto hi = static_cast<std::uint8_t>(chars[i] >> 8);
        const auto lo = static_cast<std::uint8_t>(chars[i] & 0xFF);
        if (fBigEndian) {
            out.push_back(hi);
            out.push_back(lo);
        } else {
            out.push_back(lo);
            out.push_back(hi);
        }
    }
    return out;
}

TIdBytes TIdUTF16Encoding::GetPreamble() const {
    return fBigEndian ? TIdBytes{0xFE, 0xFF} : TIdBytes{0xFF, 0xFE};
}

}  // namespace tarnwick::http
