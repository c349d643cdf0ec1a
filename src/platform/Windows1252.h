// Conversion between the 8-bit Windows-1252 code page and UTF-16, by table.
// Every byte maps to exactly one UTF-16 code unit (the five bytes the code page leaves undefined
// map to the C1 control of the same number), so text read from bytes converts back unchanged;
// characters the code page cannot hold become '?'.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::platform::Windows1252 {

// The byte written for a character the code page cannot represent.
inline constexpr char kReplacementByte = '?';

// The UTF-16 code unit of one byte.
char16_t ToUtf16(unsigned char byte);

// The UTF-16 text of a byte string, one code unit per byte.
std::u16string ToUtf16(std::string_view bytes);

// The byte of one UTF-16 code unit, or kReplacementByte when the code page lacks it
// (surrogates always give kReplacementByte).
char FromUtf16(char16_t unit);

// The 8-bit text of a UTF-16 string, one byte per character. A surrogate pair is one character
// and gives a single kReplacementByte; so does a lone surrogate.
std::string FromUtf16(std::u16string_view text);

}  // namespace tarnwick::platform::Windows1252
