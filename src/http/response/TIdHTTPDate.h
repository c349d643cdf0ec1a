// Date-times of the HTTP client as day counts (whole days since 1899-12-30, the fraction is
// the time of day) and their HTTP text forms. 0 stands for "no date".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::http {

using TIdDateTime = double;

// The current local time.
TIdDateTime NowLocal();
// Reads the three HTTP date forms (RFC 1123, RFC 850, asctime), given in GMT, and returns the
// local time; nothing when the text is not such a date.
std::optional<TIdDateTime> ParseHTTPDate(std::string_view text);
// A local date-time as an RFC 1123 date in GMT: "Sun, 06 Nov 1994 08:49:37 GMT".
std::string FormatHTTPDate(TIdDateTime localTime);

}  // namespace tarnwick::http
