// Columns of a line as the editing operations use them: a column counts characters (one
// well-formed UTF-8 sequence, or one byte that does not begin one), and a column past the end
// of a line stands for padding that is not stored. These helpers turn columns into byte
// offsets of the stored line and back.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Utf8Chars.h"

namespace tarnwick::editor::columns {

// Number of characters of the line.
inline int Length(std::string_view line) {
    return platform::utf8::CharCount(line);
}

// Byte offset where column starts, at most the line's size (columns past the end give the
// end); a negative column gives 0.
inline size_t Byte(std::string_view line, int column) {
    return std::min(platform::utf8::ByteOffsetOfColumn(line, column), line.size());
}

// The bytes of character c; a code point that is no scalar value gives nothing.
inline std::string Encode(char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return {};
    }
    char bytes[4];
    return std::string(bytes, platform::utf8::Encode(c, bytes));
}

}  // namespace tarnwick::editor::columns
