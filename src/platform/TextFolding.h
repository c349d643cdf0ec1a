// Letter case of UTF-8 text by Unicode's simple case mapping: folding for the comparisons that
// ignore case (names against the name text, history entries, the editor's keyword).
#pragma once

#include <cstddef>
#include <string_view>

namespace tarnwick::platform {

// Reads one character of UTF-8 at `pos` and advances past it. A byte that does not start a
// valid sequence (overlong forms and surrogates included) is taken alone and returned as
// 0xDC00 + byte, a value no valid character decodes to, so it compares only with itself.
char32_t NextUtf8Char(std::string_view text, std::size_t& pos);

// The character's case-folded form under Unicode's simple case mapping (every script), so that
// two characters that differ only in letter case fold to the same value; other characters
// unchanged.
char32_t FoldCase(char32_t c);

// The character's small letter under Unicode's simple case mapping (the character itself when
// it has none). Unlike FoldCase it does not go through the capital: final sigma stays itself.
char32_t SimpleLowerCase(char32_t c);

}  // namespace tarnwick::platform
