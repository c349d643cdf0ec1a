#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json/reader/JsonParseFailure.h"
#include "json/reader/TlkJSON.h"

namespace tarnwick::json {
namespace {

struct FailureCase {
    const char* name;
    std::string text;
    JsonFailureReason reason;
    std::size_t offset;
    std::string expected;
    std::string found;
};

TEST(ParseFailureTest, SaysWhyAndWhereEachBadDocumentFails) {
    using R = JsonFailureReason;
    const std::string deep = std::string(TlkJSON::kMaxNestingDepth, '[') + "[]" +
                             std::string(TlkJSON::kMaxNestingDepth, ']');
    const std::vector<FailureCase> cases = {
        {"empty text", "", R::EmptyText, 0, "a value", "the end of the text"},
        {"byte order mark alone", "\xEF\xBB\xBF", R::EmptyText, 3, "a value",
         "the end of the text"},
        {"only whitespace", " \t\r\n", R::NoValue, 4, "a value", "the end of the text"},
        {"offset counts the byte order mark", "\xEF\xBB\xBF  @", R::NoValue, 5, "a value", "'@'"},
        {"not ASCII", "\xC3\xA9", R::NoValue, 0, "a value", "byte 0xC3"},
        {"capital T", "True", R::NoValue, 0, "a value", "'T'"},
        {"word cut short", "fals", R::BadWord, 0, "'false'", "'fals'"},
        {"misspelt null", " nul!", R::BadWord, 1, "'null'", "'nul!'"},
        {"sign alone", "-", R::MissingDigit, 1, "a digit", "the end of the text"},
        {"two signs", "+-1", R::MissingDigit, 1, "a digit", "'-'"},
        {"full stop without digits", "[1.]", R::MissingDigit, 3, "a digit", "']'"},
        {"exponent without digits", "1e+x", R::MissingDigit, 3, "a digit", "'x'"},
        {"beyond the extended range", " 1e5000", R::NumberOutOfRange, 1,
         "a number within the floating-point range", "'1e5000'"},
        {"unterminated string", "\"abc", R::UnterminatedString, 4, "'\"' closing the string",
         "the end of the text"},
        {"backslash at the end", "[\"a\\", R::UnterminatedString, 4, "'\"' closing the string",
         "the end of the text"},
        {"u escape without digits", "\"\\uZZ\"", R::BadUnicodeEscape, 3, "a hexadecimal digit",
         "'Z'"},
        {"u escape closed at once", "\"\\u\"", R::BadUnicodeEscape, 3, "a hexadecimal digit",
         "'\"'"},
        {"list not closed", "[1, 2", R::NoValue, 5, "a value or ']'", "the end of the text"},
        {"comma before the first element", "[,1]", R::NoValue, 1, "a value or ']'", "','"},
        {"two commas in a row", "[1,,2]", R::NoValue, 3, "a value or ']'", "','"},
        {"bad word inside a list", "[truex]", R::NoValue, 5, "a value or ']'", "'x'"},
        {"member name not quoted", "{a:1}", R::MissingMemberName, 1, "a quoted member name or '}'",
         "'a'"},
        {"object not closed", "{\"a\":1", R::MissingMemberName, 6, "a quoted member name or '}'",
         "the end of the text"},
        {"missing colon", "{\"a\" 1}", R::MissingColon, 5, "':'", "'1'"},
        {"member without value", "{\"a\":}", R::NoValue, 5, "a value", "'}'"},
        {"failure deep inside", "{\"a\":[{\"b\":[1,+]}]}", R::MissingDigit, 15, "a digit", "']'"},
        {"nested too deep", deep, R::TooDeep, TlkJSON::kMaxNestingDepth,
         "no deeper nesting of lists and objects", "'['"},
    };
    for (const FailureCase& c : cases) {
        JsonParseFailure failure;
        EXPECT_EQ(TlkJSON::ParseDocument(c.text, failure), nullptr) << c.name;
        EXPECT_EQ(ReasonName(failure.Reason), ReasonName(c.reason)) << c.name;
        EXPECT_EQ(failure.Offset, c.offset) << c.name;
        EXPECT_EQ(failure.Expected, c.expected) << c.name;
        EXPECT_EQ(failure.Found, c.found) << c.name;
        // The plain call agrees that there is no tree.
        EXPECT_EQ(TlkJSON::ParseDocument(c.text), nullptr) << c.name;
    }
}

TEST(ParseFailureTest, ATreeLeavesNoFailureBehind) {
    JsonParseFailure failure;
    ASSERT_EQ(TlkJSON::ParseDocument("{a:1}", failure), nullptr);
    ASSERT_TRUE(failure.Failed());
    // The same failure object, reused for a good document, is cleared.
    for (const char* text : {"{\"a\":[1,2]}", "\xEF\xBB\xBF[1 2,]", "trueish", "[1]]"}) {
        EXPECT_NE(TlkJSON::ParseDocument(text, failure), nullptr) << text;
        EXPECT_EQ(failure.Reason, JsonFailureReason::None) << text;
        EXPECT_FALSE(failure.Failed()) << text;
    }
}

TEST(ParseFailureTest, DescribeReadsAsOneLine) {
    JsonParseFailure failure;
    TlkJSON::ParseDocument("{\"a\" 1}", failure);
    EXPECT_EQ(failure.Describe(), "expected ':' but found '1' at byte offset 5");
    EXPECT_EQ(JsonParseFailure().Describe(), "no failure");
    JsonParseFailure memory;
    memory.Reason = JsonFailureReason::OutOfMemory;
    memory.Offset = 12;
    EXPECT_EQ(memory.Describe(), "OutOfMemory at byte offset 12");
}

TEST(ParseFailureTest, TextAtAnOffsetIsShownReadably) {
    EXPECT_EQ(DescribeTextAt("abc", 3), "the end of the text");
    EXPECT_EQ(DescribeTextAt("abc", 1, 5), "'bc'");
    EXPECT_EQ(DescribeTextAt("ab\ncd", 0, 4), "'ab'");  // stops before a control character
    EXPECT_EQ(DescribeTextAt(std::string("\0x", 2), 0, 2), "byte 0x00");
    EXPECT_EQ(DescribeTextAt("\x7F", 0), "byte 0x7F");
}

}  // namespace
}  // namespace tarnwick::json
