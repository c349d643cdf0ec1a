#include "http/response/TIdHTTPDate.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

#include "http/core/TIdTextUtil.h"

namespace tarnwick::http {

namespace {

constexpr double kSecondsPerDay = 86400.0;
// Days from 1899-12-30 (day 0) to 1970-01-01.
constexpr double kUnixEpochDay = 25569.0;
// Two-digit years below this belong to the 2000s (RFC 850 dates).
constexpr int kTwoDigitYearPivot = 70;
constexpr int kLastMinuteSecond = 60;  // a leap second is accepted

constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

double UnixToLocalDay(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    // The local wall-clock reading, counted as if it were UTC.
    const std::time_t wall = timegm(&local);
    return kUnixEpochDay + static_cast<double>(wall) / kSecondsPerDay;
}

int MonthIndex(std::string_view word) {
    for (std::size_t i = 0; i < kMonths.size(); ++i) {
        if (word.size() >= 3 && EqualsNoCase(word.substr(0, 3), kMonths[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Splits at blanks, commas and dashes; colons stay inside the time word.
std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (IsTrimmable(text[i]) || text[i] == ',' || text[i] == '-')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && !IsTrimmable(text[i]) && text[i] != ',' && text[i] != '-') {
            ++i;
        }
        if (i > start) {
            words.push_back(text.substr(start, i - start));
        }
    }
    return words;
}

bool ReadNumber(std::string_view word, int& value) {
    if (word.empty() || word.size() > 4) {
        return false;
    }
    value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

bool ReadTime(std::string_view word, int& h, int& m, int& s) {
    if (word.size() != 8 || word[2] != ':' || word[5] != ':') {
        return false;
    }
    return ReadNumber(word.substr(0, 2), h) && ReadNumber(word.substr(3, 2), m) &&
           ReadNumber(word.substr(6, 2), s) && h < 24 && m < 60 && s <= kLastMinuteSecond;
}

}  // namespace

TIdDateTime NowLocal() {
    return UnixToLocalDay(std::time(nullptr));
}

std::optional<TIdDateTime> ParseHTTPDate(std::string_view text) {
    std::vector<std::string_view> words = Words(text);
    // A leading weekday name is optional and not checked.
    if (!words.empty() && !words.front().empty() &&
        !(words.front()[0] >= '0' && words.front()[0] <= '9') && MonthIndex(words.front()) < 0) {
        words.erase(words.begin());
    }
    int day = 0;
    int month = -1;
    int year = 0;
    int h = 0;
    int m = 0;
    int s = 0;
    std::string_view yearWord;
    if (words.size() >= 4 && ReadNumber(words[0], day) && (month = MonthIndex(words[1])) >= 0 &&
        ReadNumber(words[2], year) && ReadTime(words[3], h, m, s)) {
        // RFC 1123 "06 Nov 1994 08:49:37 GMT" and RFC 850 "06-Nov-94 08:49:37 GMT".
        yearWord = words[2];
    } else if (words.size() >= 4 && (month = MonthIndex(words[0])) >= 0 &&
               ReadNumber(words[1], day) && ReadTime(words[2], h, m, s) &&
               ReadNumber(words[3], year)) {
        // asctime "Nov  6 08:49:37 1994".
        yearWord = words[3];
    } else {
        return std::nullopt;
    }
    if (yearWord.size() <= 2) {
        year += year < kTwoDigitYearPivot ? 2000 : 1900;
    }
    if (day < 1 || day > 31) {
        return std::nullopt;
    }
    std::tm utc{};
    utc.tm_year = year - 1900;
    utc.tm_mon = month;
    utc.tm_mday = day;
    utc.tm_hour = h;
    utc.tm_min = m;
    utc.tm_sec = s;
    return UnixToLocalDay(timegm(&utc));
}

std::string FormatHTTPDate(TIdDateTime localTime) {
    // Back from the local wall-clock reading to a point in time.
    const double wallSeconds = std::round((localTime - kUnixEpochDay) * kSecondsPerDay);
    std::tm wall{};
    const std::time_t wallT = static_cast<std::time_t>(wallSeconds);
    gmtime_r(&wallT, &wall);
    wall.tm_isdst = -1;
    const std::time_t t = mktime(&wall);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char text[40];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT",
                  kWeekdays[static_cast<std::size_t>(utc.tm_wday)], utc.tm_mday,
                  kMonths[static_cast<std::size_t>(utc.tm_mon)], utc.tm_year + 1900, utc.tm_hour,
                  utc.tm_min, utc.tm_sec);
    return text;
}

}  // namespace tarnwick::http
