#include "editor/AnsiCase.h"

#include <array>

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

std::string AnsiLowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = AnsiLowerChar(c);
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
    const auto& lower = Tables().lower;
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const int ca = lower[static_cast<unsigned char>(a[i])];
        const int cb = lower[static_cast<unsigned char>(b[i])];
        if (ca != cb) {
            return ca - cb;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int AnsiCompareStr(std::string_view a, std::string_view b) {
    const int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace tarnwick::editor
