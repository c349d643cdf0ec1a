// Why and where a JSON document gave no tree. The reader stops at the first thing it cannot
// read, so one failure describes the whole document: its reason, the byte offset in the text
// as given (a byte order mark counts), what the reader wanted there and what stood there.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick::json {

enum class JsonFailureReason {
    None,                // the document gave a tree
    EmptyText,           // no bytes, or only a byte order mark
    NoValue,             // no value form begins at the offset
    BadWord,             // a t, f or n that does not spell true, false or null
    MissingDigit,        // a sign, full stop or exponent letter without a digit after it
    NumberOutOfRange,    // a number beyond the floating-point range
    UnterminatedString,  // no closing quote before the end of the text
    BadUnicodeEscape,    // a \u escape without hexadecimal digits
    MissingMemberName,   // an object member that does not begin with a quoted name
    MissingColon,        // a member name not followed by a colon
    TooDeep,             // lists and objects nested deeper than the reader allows
    OutOfMemory,         // the tree did not fit in memory
};

struct JsonParseFailure {
    JsonFailureReason Reason = JsonFailureReason::None;
    std::size_t Offset = 0;  // byte offset of what was found, from the first byte of the text
    std::string Expected;    // e.g. "a digit", "':'", "a value or ']'"
    std::string Found;       // e.g. "'x'", "byte 0xC3", "the end of the text"

    bool Failed() const { return Reason != JsonFailureReason::None; }
    // One line for people: "expected ':' but found 'x' at byte offset 7".
    std::string Describe() const;
};

// The reason's name as Describe and test output show it ("MissingColon").
std::string_view ReasonName(JsonFailureReason reason);

// What stands in `text` at `offset`, for Found: up to `length` printable ASCII characters in
// single quotes, "byte 0xNN" for another byte, or "the end of the text".
std::string DescribeTextAt(std::string_view text, std::size_t offset, std::size_t length = 1);

}  // namespace tarnwick::json
