#include "json/values/TlkVariant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "json/values/TlkJSONerrors.h"

namespace tarnwick::json {
namespace {

TEST(TlkVariantTest, NumbersAsTextUseTheGeneralForm) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {2.5, "2.5"},
        {-2.5, "-2.5"},
        {100, "100"},
        {0.1 + 0.2, "0.3"},  // 15 significant digits hide the binary error
        {1.0 / 3, "0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346E15"},
        {1e20, "1E20"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-1.5e-7, "-1.5E-7"},
        {1e-300, "1E-300"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
        {std::nan(""), "NAN"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TlkVariant(c.value).ToText("."), c.text) << c.value;
    }
}

TEST(TlkVariantTest, TextUsesTheDecimalSeparatorGiven) {
    EXPECT_EQ(TlkVariant(2.5).ToText(","), "2,5");
    EXPECT_EQ(TlkVariant(1.25e-9).ToText(","), "1,25E-9");
    EXPECT_EQ(TlkVariant(3.0).ToText(","), "3");
}

TEST(TlkVariantTest, TextOfTheOtherTypes) {
    EXPECT_EQ(TlkVariant(true).ToText(), "True");
    EXPECT_EQ(TlkVariant(false).ToText(), "False");
    EXPECT_EQ(TlkVariant(-42).ToText(), "-42");
    EXPECT_EQ(TlkVariant("bytes\xFF").ToText(), "bytes\xFF");
    EXPECT_EQ(TlkVariant(u"\u00FF\u0100").ToText(), "\xFF?");
    EXPECT_EQ(TlkVariant("\x80").ToWideText(), u"\u20AC");
}

TEST(TlkVariantTest, NullCannotBecomeTextOrNumber) {
    try {
        TlkVariant().ToText();
        ADD_FAILURE() << "null became text";
    } catch (const EVariantTypeCastError& error) {
        EXPECT_STREQ(error.what(), "Could not convert variant of type (Null) into type (String)");
    }
    EXPECT_THROW(TlkVariant().ToWideText(), EVariantTypeCastError);
    EXPECT_THROW(TlkVariant().ToDouble(), EVariantTypeCastError);
    EXPECT_THROW(TlkVariant().ToBoolean(), EVariantTypeCastError);
}

TEST(TlkVariantTest, TextToNumberAndBoolean) {
    EXPECT_EQ(TlkVariant(" 2.5 ").ToDouble(), 2.5);
    EXPECT_EQ(TlkVariant("+1e3").ToDouble(), 1000);
    EXPECT_EQ(TlkVariant(u"-4").ToDouble(), -4);
    EXPECT_THROW(TlkVariant("").ToDouble(), EVariantTypeCastError);
    EXPECT_THROW(TlkVariant("1.5x").ToDouble(), EVariantTypeCastError);
    EXPECT_THROW(TlkVariant("1..5").ToDouble(), EVariantTypeCastError);
    EXPECT_TRUE(TlkVariant("tRuE").ToBoolean());
    EXPECT_FALSE(TlkVariant("false").ToBoolean());
    EXPECT_TRUE(TlkVariant("-1").ToBoolean());
    EXPECT_FALSE(TlkVariant("0").ToBoolean());
    EXPECT_THROW(TlkVariant("yes").ToBoolean(), EVariantTypeCastError);
    EXPECT_EQ(TlkVariant(true).ToDouble(), 1);
}

TEST(TlkVariantTest, ToTextWithoutSeparatorUsesTheLocales) {
    // A program that never calls setlocale runs in the C locale, whose separator is the stop.
    EXPECT_EQ(CurrentDecimalSeparator(), ".");
    EXPECT_EQ(TlkVariant(0.5).ToText(), "0.5");
}

}  // namespace
}  // namespace tarnwick::json
