// Columns of a line as the editing operations use them: a column counts characters, and a
// column past the end of a line stands for padding that is not stored. These helpers turn
// columns into byte offsets of the stored line and back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick::editor::columns {

// Number of characters of the line.
inline int Length(std::string_view line) {
    return static_cast<int>(line.size());
}

// Byte offset where column starts, at most the line's size (columns past the end give the
// end); a negative column gives 0.
inline size_t Byte(std::string_view line, int column) {
    if (column <= 0) {
        return 0;
    }
    return std::min(static_cast<size_t>(column), line.size());
}

// Column of the character that starts at byte offset (within or at the end of the line).
inline int Column(std::string_view line, size_t byte) {
    return static_cast<int>(std::min(byte, line.size()));
}

// The bytes of character code c (one byte each for 0..255 as stored today).
inline std::string Encode(char32_t c) {
    return std::string(1, static_cast<char>(c));
}

}  // namespace tarnwick::editor::columns
