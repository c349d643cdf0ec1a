// Letter case of the single-byte code page (Windows-1252) the editor's text is in.
// Upper- and lower-casing map each byte to one byte, so lengths never change.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::editor {

char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
std::string AnsiLowerCase(std::string_view text);
std::string AnsiUpperCase(std::string_view text);

// Case-insensitive three-way comparison (<0, 0, >0) of two texts, letters folded to lower case.
int AnsiCompareText(std::string_view a, std::string_view b);
// Exact three-way comparison by byte value.
int AnsiCompareStr(std::string_view a, std::string_view b);

}  // namespace tarnwick::editor
