#include "editor/document/AnsiCase.h"

#include <array>

#include "platform/TextFolding.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {
namespace {

struct CaseTables {
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};
};

// Windows-1252 letter pairs: ASCII, the Latin-1 block (except the multiplication and division
// signs), and the five letters the code page adds in 0x80-0x9F.
CaseTables BuildTables() {
    CaseTables t;
    for (int c = 0; c < 256; ++c) {
        t.upper[c] = static_cast<unsigned char>(c);
        t.lower[c] = static_cast<unsigned char>(c);
    }
    auto pair = [&t](int upper, int lower) {
        t.upper[lower] = static_cast<unsigned char>(upper);
        t.lower[upper] = static_cast<unsigned char>(lower);
    };
    for (int c = 'A'; c <= 'Z'; ++c) {
        pair(c, c + 32);
    }
    for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) {
            pair(c, c + 32);
        }
    }
    pair(0x8A, 0x9A);  // S caron
    pair(0x8C, 0x9C);  // OE ligature
    pair(0x8E, 0x9E);  // Z caron
    pair(0x9F, 0xFF);  // Y diaeresis
    return t;
}

const CaseTables& Tables() {
    static const CaseTables tables = BuildTables();
    return tables;
}

}  // namespace

char AnsiUpperChar(char c) {
    return static_cast<char>(Tables().upper[static_cast<unsigned char>(c)]);
}

char AnsiLowerChar(char c) {
    return static_cast<char>(Tables().lower[static_cast<unsigned char>(c)]);
}

namespace {

bool HasNonAscii(std::string_view text) {
    return !platform::utf8::IsAscii(text);
}

// The comparison key of the character at pos (advanced past it): the small letter's code point
// of a UTF-8 character, or a value above every code point for a stray byte.
char32_t CaseKey(std::string_view text, size_t& pos) {
    constexpr char32_t kStrayBase = 0x110000;
    std::size_t length = 1;
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80) {
        ++pos;
        return Tables().lower[byte];
    }
    const char32_t c = platform::utf8::DecodeChar(text, pos, length);
    pos += length;
    if (length == 1) {
        return kStrayBase + Tables().lower[byte];
    }
    return Utf8LowerChar(c);
}

}  // namespace

char32_t Utf8LowerChar(char32_t c) {
    return c < 0x80 ? static_cast<char32_t>(Tables().lower[c]) : platform::SimpleLowerCase(c);
}

std::string AnsiLowerCase(std::string_view text) {
    std::string result(text);
    if (!HasNonAscii(text)) {
        for (char& c : result) {
            c = AnsiLowerChar(c);
        }
        return result;
    }
    result.clear();
    for (size_t pos = 0; pos < text.size();) {
        std::size_t length = 1;
        const char32_t c = platform::utf8::DecodeChar(text, pos, length);
        if (length == 1) {
            result.push_back(AnsiLowerChar(text[pos]));
        } else {
            char bytes[4];
            result.append(bytes, platform::utf8::Encode(Utf8LowerChar(c), bytes));
        }
        pos += length;
    }
    return result;
}

std::string AnsiUpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = AnsiUpperChar(c);
    }
    return result;
}

int AnsiCompareText(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t k = 0;
    while (i < a.size() && k < b.size()) {
        const char32_t ca = CaseKey(a, i);
        const char32_t cb = CaseKey(b, k);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (i == a.size() && k == b.size()) {
        return 0;
    }
    return i == a.size() ? -1 : 1;
}

int AnsiCompareStr(std::string_view a, std::string_view b) {
    const int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace tarnwick::editor
