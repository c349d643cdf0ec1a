// Converts the text of a JSON number (optional sign, digits, optional fraction and exponent,
// already checked by the reader) to an extended-precision value, correctly rounded and
// independent of the locale: the decimal separator is always the full stop.
#pragma once

#include <string_view>

namespace tarnwick::json {

// False when the value lies outside the range of long double.
bool ConvertJsonNumber(std::string_view text, long double& value);

}  // namespace tarnwick::json
