// The user's locale settings and time zone as the result rows need them: the conversion of a
// POSIX time to local calendar time, the short date and long time formats, and the decimal
// separator. An interface so that tests can fix the formats and the time zone.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "platform/Interface.h"

namespace tarnwick::platform {

class LocaleFormats : public Interface {
  public:
    // Local calendar time of `unixSeconds` under the current zone's rules (daylight saving as
    // that zone gives it for the date); nullopt when the time can't be converted.
    virtual std::optional<std::tm> ToLocalTime(std::int64_t unixSeconds) const = 0;
    // The short date of `local`, e.g. "12/31/26".
    virtual std::string FormatShortDate(const std::tm& local) const = 0;
    // The long time of `local`, e.g. "23:59:01" (no milliseconds).
    virtual std::string FormatLongTime(const std::tm& local) const = 0;
    // The decimal separator of numbers.
    virtual std::string DecimalSeparator() const = 0;

    // Safe to call from any thread once created.
    static std::unique_ptr<LocaleFormats> CreateSystem();
};

// Formats with strftime patterns; the base of the system version and of test doubles.
class StrftimeLocaleFormats : public LocaleFormats {
  public:
    StrftimeLocaleFormats(std::string shortDate, std::string longTime, std::string decimal);
    std::optional<std::tm> ToLocalTime(std::int64_t unixSeconds) const override;
    std::string FormatShortDate(const std::tm& local) const override;
    std::string FormatLongTime(const std::tm& local) const override;
    std::string DecimalSeparator() const override { return fDecimal; }

  private:
    std::string fShortDate;
    std::string fLongTime;
    std::string fDecimal;
};

}  // namespace tarnwick::platform
