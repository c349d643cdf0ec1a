#include <gtest/gtest.h>

#include <cmath>

#include "http/response/TIdHTTPDate.h"

namespace tarnwick::http::test {

TEST(HTTPDateTest, TheThreeFormsReadAsTheSameMoment) {
    const auto rfc1123 = ParseHTTPDate("Sun, 06 Nov 1994 08:49:37 GMT");
    ASSERT_TRUE(rfc1123.has_value());
    for (const char* text : {"Sunday, 06-Nov-94 08:49:37 GMT", "Sun Nov  6 08:49:37 1994",
                             "06 Nov 1994 08:49:37 GMT"}) {
        SCOPED_TRACE(text);
        const auto other = ParseHTTPDate(text);
        ASSERT_TRUE(other.has_value());
        EXPECT_NEAR(*other, *rfc1123, 1e-9);
    }
}

TEST(HTTPDateTest, FormattingReadsBack) {
    const auto moment = ParseHTTPDate("Tue, 29 Feb 2028 23:59:59 GMT");
    ASSERT_TRUE(moment.has_value());
    EXPECT_EQ(FormatHTTPDate(*moment), "Tue, 29 Feb 2028 23:59:59 GMT");
}

TEST(HTTPDateTest, TextThatIsNoDateIsRefused) {
    for (const char* text :
         {"", "soon", "Sun, 32 Nov 1994 08:49:37 GMT", "Sun, 06 Nov 1994 25:49:37 GMT",
          "Sun, 06 Xyz 1994 08:49:37 GMT", "Sun, 06 Nov 1994", "1700000000"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseHTTPDate(text).has_value());
    }
}

TEST(HTTPDateTest, NowIsAfterTheYear2020) {
    // Day 43831 is 2020-01-01.
    EXPECT_GT(NowLocal(), 43831.0);
}

}  // namespace tarnwick::http::test
