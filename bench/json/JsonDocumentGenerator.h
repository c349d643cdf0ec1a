// Generates a large, valid JSON document for the parse benchmark: nested objects and arrays,
// integers and reals with exponents, strings with escapes, \u pairs and raw UTF-8 text. The same
// seed always gives the same text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick::bench {

std::string GenerateJsonDocument(std::size_t minimumBytes, std::uint32_t seed);

}  // namespace tarnwick::bench
