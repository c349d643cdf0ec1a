// Letter-case folding of UTF-8 text for the comparisons that ignore case: names against the
// name text, history entries against each other.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarnwick {

// Reads one character of UTF-8 at `pos` and advances past it. A byte that does not start a
// valid sequence (overlong forms and surrogates included) is taken alone and returned as
// 0xDC00 + byte, a value no valid character decodes to, so it compares only with itself.
char32_t NextUtf8Char(std::string_view text, std::size_t& pos);

// The small letter of a capital of ASCII, Latin-1, Latin Extended-A, Greek or Cyrillic that
// has a simple pair; every other character unchanged.
char32_t FoldCase(char32_t c);

}  // namespace tarnwick
