#include "json/reader/JsonNumberConversion.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <random>
#include <string>

namespace tarnwick::json {
namespace {

long double Reference(const std::string& text) {
    long double value = 0;
    const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
    std::from_chars(begin, text.data() + text.size(), value);
    return value;
}

// The quick exact conversion must round exactly like the general one for every number it takes.
TEST(JsonNumberConversionTest, AgreesWithTheGeneralConversion) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 22);
        std::string text = (random() % 3 == 0) ? "-" : (random() % 5 == 0 ? "+" : "");
        std::string mantissa;
        for (int d = 0; d < digits; ++d) {
            mantissa.push_back(static_cast<char>('0' + random() % 10));
        }
        const int point = static_cast<int>(random() % (digits + 1));
        text += mantissa.substr(0, point == 0 ? 1 : point);
        if (point != 0 && point < digits) {
            text += "." + mantissa.substr(point);
        }
        if (random() % 2) {
            text += (random() % 2 ? "e-" : "E") + std::to_string(random() % 40);
        }
        long double value = 0;
        ASSERT_TRUE(ConvertJsonNumber(text, value)) << text;
        EXPECT_EQ(value, Reference(text)) << text;
    }
}

TEST(JsonNumberConversionTest, RangeLimits) {
    long double value = 0;
    EXPECT_TRUE(ConvertJsonNumber("1.18e4932", value));
    EXPECT_FALSE(ConvertJsonNumber("1.19e4932", value));
    EXPECT_FALSE(ConvertJsonNumber("-1e99999999999", value));
    EXPECT_TRUE(ConvertJsonNumber("0.000e99999999999", value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(ConvertJsonNumber("1e-4000", value));
    EXPECT_EQ(value, 1e-4000L);
}

}  // namespace
}  // namespace tarnwick::json
