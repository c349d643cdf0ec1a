// Locale formats for tests: fixed strftime patterns, a fixed decimal separator and a fixed
// offset from UTC instead of the machine's time zone.
#pragma once

#include <ctime>

#include "platform/LocaleFormats.h"

namespace tarnwick::testing {

class FixedLocale final : public platform::StrftimeLocaleFormats {
  public:
    explicit FixedLocale(std::string decimal = ".", long utcOffsetSeconds = 0,
                         std::string date = "%d.%m.%Y", std::string time = "%H:%M:%S")
        : platform::StrftimeLocaleFormats(std::move(date), std::move(time), std::move(decimal)),
          offset_(utcOffsetSeconds) {}

    std::optional<std::tm> ToLocalTime(std::int64_t unixSeconds) const override {
        const std::time_t t = static_cast<std::time_t>(unixSeconds + offset_);
        std::tm out{};
        if (::gmtime_r(&t, &out) == nullptr) {
            return std::nullopt;
        }
        return out;
    }

  private:
    long offset_;
};

}  // namespace tarnwick::testing
