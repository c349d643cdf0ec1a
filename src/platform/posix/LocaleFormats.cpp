// Locale formats from the environment's LC_TIME and LC_NUMERIC, read once into a private locale
// object so the process-wide locale (which toolkits may change) does not matter.
#include "platform/LocaleFormats.h"

#include <langinfo.h>
#include <locale.h>

namespace tarnwick::platform {
namespace {

// Formats with `loc`, or with the process locale when `loc` is 0.
std::string Strftime(const std::string& pattern, const std::tm& local, locale_t loc) {
    if (pattern.empty()) {
        return {};
    }
    std::string out(64, '\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::size_t n =
            loc != static_cast<locale_t>(0)
                ? ::strftime_l(out.data(), out.size(), pattern.c_str(), &local, loc)
                : std::strftime(out.data(), out.size(), pattern.c_str(), &local);
        if (n > 0) {
            out.resize(n);
            return out;
        }
        out.resize(out.size() * 2);
    }
    return {};
}

// The user's locale: keeps its locale object so names in the time format (AM/PM) follow it.
class SystemLocaleFormats final : public StrftimeLocaleFormats {
  public:
    SystemLocaleFormats(locale_t loc, std::string date, std::string time, std::string decimal)
        : StrftimeLocaleFormats(date, time, decimal), fLoc(loc), fDate(date), fTime(time) {}
    ~SystemLocaleFormats() override { ::freelocale(fLoc); }
    std::string FormatShortDate(const std::tm& local) const override {
        return Strftime(fDate, local, fLoc);
    }
    std::string FormatLongTime(const std::tm& local) const override {
        return Strftime(fTime, local, fLoc);
    }

  private:
    locale_t fLoc;
    std::string fDate;
    std::string fTime;
};

}  // namespace

StrftimeLocaleFormats::StrftimeLocaleFormats(std::string shortDate, std::string longTime,
                                             std::string decimal)
    : fShortDate(std::move(shortDate)),
      fLongTime(std::move(longTime)),
      fDecimal(std::move(decimal)) {}

std::optional<std::tm> StrftimeLocaleFormats::ToLocalTime(std::int64_t unixSeconds) const {
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    if (static_cast<std::int64_t>(t) != unixSeconds) {
        return std::nullopt;
    }
    std::tm local{};
    if (::localtime_r(&t, &local) == nullptr) {
        return std::nullopt;
    }
    return local;
}

std::string StrftimeLocaleFormats::FormatShortDate(const std::tm& local) const {
    return Strftime(fShortDate, local, static_cast<locale_t>(0));
}

std::string StrftimeLocaleFormats::FormatLongTime(const std::tm& local) const {
    return Strftime(fLongTime, local, static_cast<locale_t>(0));
}

std::unique_ptr<LocaleFormats> LocaleFormats::CreateSystem() {
    std::string date = "%m/%d/%y";
    std::string time = "%H:%M:%S";
    std::string decimal = ".";
    locale_t loc = ::newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0)) {
        loc = ::newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    }
    ::tzset();
    if (loc == static_cast<locale_t>(0)) {
        return std::make_unique<StrftimeLocaleFormats>(date, time, decimal);
    }
    if (const char* d = ::nl_langinfo_l(D_FMT, loc); d != nullptr && *d != '\0') {
        date = d;
    }
    if (const char* t = ::nl_langinfo_l(T_FMT, loc); t != nullptr && *t != '\0') {
        time = t;
    }
    if (const char* r = ::nl_langinfo_l(RADIXCHAR, loc); r != nullptr && *r != '\0') {
        decimal = r;
    }
    return std::make_unique<SystemLocaleFormats>(loc, date, time, decimal);
}

}  // namespace tarnwick::platform
