// Letter case of the editor's text. A UTF-8 character is cased by Unicode's simple case mapping
// (independent of the installed locales); a stray byte, which reads as its Windows-1252
// character, by the Windows-1252 letter pairs. The single-byte functions case one byte as a
// Windows-1252 character. Lower-casing keeps the length except for the few letters whose
// small form has a shorter encoding (such as the Kelvin sign).
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::editor {

// The small letter of a Unicode character (the character itself when it has none).
char32_t Utf8LowerChar(char32_t c);
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
std::string AnsiLowerCase(std::string_view text);
std::string AnsiUpperCase(std::string_view text);

// Case-insensitive three-way comparison (<0, 0, >0) of two texts, letters folded to lower case.
int AnsiCompareText(std::string_view a, std::string_view b);
// Exact three-way comparison by byte value.
int AnsiCompareStr(std::string_view a, std::string_view b);

}  // namespace tarnwick::editor
