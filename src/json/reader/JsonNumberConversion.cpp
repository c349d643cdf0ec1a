#include "json/reader/JsonNumberConversion.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace tarnwick::json {

namespace {

// Up to 19 decimal digits always fit in 64 bits, and long double has a 64-bit mantissa, so such
// a mantissa converts exactly.
constexpr int kMaxExactDigits = 19;
// 10^27 = 2^27 * 5^27 and 5^27 < 2^64: powers of ten up to here are exact in long double, so a
// single multiplication or division by one rounds correctly.
constexpr int kMaxExactPowerOfTen = 27;
// Exponents are accumulated only this far; anything beyond goes to the general conversion.
constexpr int kExponentCap = 100000;

constexpr std::array<long double, kMaxExactPowerOfTen + 1> MakePowersOfTen() {
    std::array<long double, kMaxExactPowerOfTen + 1> powers{};
    long double p = 1;
    for (auto& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}

constexpr std::array<long double, kMaxExactPowerOfTen + 1> kPowersOfTen = MakePowersOfTen();

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The common case: few digits and a small exponent, converted with one exact operation.
bool ConvertExactly(std::string_view text, long double& value) {
    std::size_t i = 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t mantissa = 0;
    int significant = 0;
    int exponent = 0;
    bool fraction = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            fraction = true;
            continue;
        }
        if (!IsDigit(c)) {
            break;
        }
        if (mantissa != 0 || c != '0') {
            if (++significant > kMaxExactDigits) {
                return false;
            }
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        }
        if (fraction) {
            --exponent;
        }
    }
    if (i < text.size()) {  // an exponent letter
        ++i;
        bool negativeExponent = false;
        if (text[i] == '+' || text[i] == '-') {
            negativeExponent = text[i] == '-';
            ++i;
        }
        int written = 0;
        for (; i < text.size(); ++i) {
            written = written * 10 + (text[i] - '0');
            if (written > kExponentCap) {
                return false;
            }
        }
        exponent += negativeExponent ? -written : written;
    }
    long double result = static_cast<long double>(mantissa);
    if (mantissa != 0) {
        if (exponent > kMaxExactPowerOfTen || exponent < -kMaxExactPowerOfTen) {
            return false;
        }
        result = exponent >= 0 ? result * kPowersOfTen[exponent] : result / kPowersOfTen[-exponent];
    }
    value = negative ? -result : result;
    return true;
}

}  // namespace

bool ConvertJsonNumber(std::string_view text, long double& value) {
    if (text.empty()) {
        return false;
    }
    if (ConvertExactly(text, value)) {
        return true;
    }
    // from_chars reads the same grammar apart from the leading plus sign.
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    long double result = 0;
    const auto converted = std::from_chars(text.data(), text.data() + text.size(), result);
    if (converted.ec != std::errc() || converted.ptr != text.data() + text.size()) {
        return false;
    }
    value = result;
    return true;
}

}  // namespace tarnwick::json
