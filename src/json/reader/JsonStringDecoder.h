// Reads the body of a quoted JSON string in one pass: finds the closing quote (a backslash
// always steps over the character after it), resolves the escapes and decodes the UTF-8 bytes
// into UTF-16. Bytes that are not valid UTF-8 make the decoded text empty, not a failure.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick::json {

enum class JsonStringResult {
    Ok,            // the body was read; the position is past the closing quote
    Unterminated,  // no closing quote before the end of the text
    BadEscape,     // a \u escape without hexadecimal digits
};

// Reads from `position` (the first character after the opening quote). `out` receives the
// decoded text and `position` moves past the closing quote on success; on failure it is the
// offset of the byte that could not be read (the end of the text when no quote closes).
JsonStringResult DecodeJsonString(std::string_view text, std::size_t& position,
                                  std::u16string& out);

}  // namespace tarnwick::json
