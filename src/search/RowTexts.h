// The texts of a result row and the found-count text of the status bar.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/LocaleFormats.h"

namespace tarnwick::search {

// Raised when a file time can't be turned into local time; the entry is then skipped.
class EFileTimeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "0.00 bytes", then bytes up to 1024, KB up to 1 MiB, MB up to 1 GiB and GB above, each with
// the "#.##" format: two decimals rounded half away from zero, trailing zeros dropped.
std::string SizeText(std::uint64_t size, const std::string& decimalSeparator);

// `value` / `divisor` in the "#.##" format followed by `suffix`.
std::string FormatHashHash(std::uint64_t value, std::uint64_t divisor,
                           const std::string& decimalSeparator, const std::string& suffix);

// The locale's short date of a file time, then a space and its long time unless the local time
// is exactly midnight. Throws EFileTimeError when the time can't be converted.
std::string FileTimeText(std::int64_t fileTime, const platform::LocaleFormats& locale);

// "A" for archive, then "+R", "+H", "+S" for read-only, hidden and system.
std::string AttributeText(std::uint32_t attributes);

// "N items found".
std::string FoundCountText(std::uint64_t rows);

}  // namespace tarnwick::search
