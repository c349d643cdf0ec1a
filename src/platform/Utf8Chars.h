// The editor's character model over UTF-8 bytes, shared with the name and history folding. A
// character is one well-formed UTF-8 sequence (shortest form, no surrogates, at most U+10FFFF) or a
// single byte that does not begin one; such a byte reads as its Windows-1252 character. Every byte
// belongs to exactly one character, so splitting and joining at character boundaries never changes
// the bytes. Columns count characters; a column past the end of a line stands for a space of
// padding.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarnwick::platform::utf8 {

// Whether every byte of text is below 0x80 (eight bytes tested at a time).
bool IsAscii(std::string_view text);

// Length in bytes (1 to 4) of the character that starts at byte pos; pos < text.size().
std::size_t CharLength(std::string_view text, std::size_t pos);

// The code point of the character at pos, and its length through length. A byte that does
// not begin a well-formed sequence gives its Windows-1252 character.
char32_t DecodeChar(std::string_view text, std::size_t pos, std::size_t& length);

// Number of characters in text; pure ASCII costs one pass of wide compares.
int CharCount(std::string_view text);

// CharCount(after) - CharCount(before) for two texts that share their first samePrefix and
// last sameSuffix bytes (claims larger than the texts allow are cut down), reading only the
// bytes between those parts and a few around them.
int CharCountChange(std::string_view before, std::string_view after, std::size_t samePrefix,
                    std::size_t sameSuffix);

// Byte offset where column starts. A column at or past the end gives text.size() plus the
// number of padding spaces before it; a negative column gives 0.
std::size_t ByteOffsetOfColumn(std::string_view text, int column);

// The column of the character holding byte offset. An offset at or past the end gives the
// character count plus the bytes past the end (padding spaces).
int ColumnOfByteOffset(std::string_view text, std::size_t offset);

// Appends the UTF-8 bytes of code point c (c must be a scalar value) to out; returns the count.
std::size_t Encode(char32_t c, char* out);

}  // namespace tarnwick::platform::utf8
