#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "json/JsonTestSupport.h"
#include "json/reader/TlkJSON.h"

namespace tarnwick::json {
namespace {

using testing::Parse;

struct StringCase {
    const char* name;
    std::string body;      // the text between the quotes
    std::string expected;  // Describe() of the document "<body>", or "none"
};

void RunStringCases(const std::vector<StringCase>& cases) {
    for (const StringCase& c : cases) {
        EXPECT_EQ(Parse("\"" + c.body + "\""), c.expected) << c.name << ": " << c.body;
    }
}

TEST(ParseStringTest, SimpleEscapes) {
    RunStringCases({
        {"plain", "abc", "\"abc\""},
        {"empty", "", "\"\""},
        {"quote", R"(a\"b)", R"("a\u0022b")"},
        {"single quote", R"(\')", "\"'\""},
        {"slash", R"(\/)", "\"/\""},
        {"backslash", R"(\\)", R"("\u005C")"},
        {"control letters", R"(\b\f\n\r\t)", R"("\u0008\u000C\u000A\u000D\u0009")"},
        {"unknown escape drops both", R"(\x41)", "\"41\""},
        {"escaped letter a", R"(\a)", "\"\""},
        {"backslash before a quote keeps scanning", R"(\"\")", R"("\u0022\u0022")"},
        {"even backslashes then the quote", R"(a\\)", R"("a\u005C")"},
    });
}

TEST(ParseStringTest, UnicodeEscapes) {
    RunStringCases({
        {"letter A", R"(\u0041)", "\"A\""},
        {"e acute", R"(\u00e9)", R"("\u00E9")"},
        {"upper-case digits", R"(\u00E9)", R"("\u00E9")"},
        {"euro sign, three bytes", R"(\u20AC)", R"("\u20AC")"},
        {"two-byte upper end", R"(\u07FF)", R"("\u07FF")"},
        {"NUL", R"(x\u0000y)", R"("x\u0000y")"},
        {"surrogate pair", R"(\ud83d\ude00)", R"("\uD83D\uDE00")"},
        {"lone surrogate", R"(\uDC00)", R"("\uDC00")"},
        {"fewer digits at the end", R"(\u41)", "\"A\""},
        {"one digit at the end", R"(ab\u9)", R"("ab\u0009")"},
        {"no digits at the end", R"(\u)", "none"},
        {"not hexadecimal", R"(\uZZZZ)", "none"},
        {"hexadecimal cut by a letter", R"(\u12G4)", "none"},
        {"backslash among the digits", R"(\u1\"ab)", "none"},
        {"followed by more text", R"(\u0041BC)", "\"ABC\""},
    });
}

TEST(ParseStringTest, Utf8Decoding) {
    RunStringCases({
        {"two-byte form", "caf\xC3\xA9", R"("caf\u00E9")"},
        {"three-byte form", "\xE2\x82\xAC", R"("\u20AC")"},
        {"cut short by the quote", "ab\xC3", "\"\""},
        {"bad following byte", "\xC3(", "\"\""},
        {"three-byte form cut short", "\xE2\x82", "\"\""},
        {"lone continuation byte", "\x80", "\"\""},
        {"lead byte where a continuation belongs", "\xC3\xC0x", "\"\""},
        {"\\u escape inside a form", "\xC3\\u00A9", "\"\""},
        {"four-byte form not recognised", "\xF0\x9F\x98\x80", "\"\""},
        {"escape inside a form", "\xC3\\n\xA9", "\"\""},
        {"dropped escape inside a form", "\xC3\\x\xA9", R"("\u00E9")"},
        {"backslash takes a lead byte along",
         "\\\xC3"
         "a",
         "\"a\""},
    });
}

TEST(ParseStringTest, InvalidUtf8EmptiesOnlyThatString) {
    EXPECT_EQ(Parse("[\"\xC3\",\"ok\",1]"), "[\"\",\"ok\",1]");
    EXPECT_EQ(Parse("{\"\xFF\":1}"), "{\"\":1}");
    // A malformed escape still fails the document after invalid bytes.
    EXPECT_EQ(Parse("[\"\xC3 \\uXYZW\"]"), "none");
}

TEST(ParseStringTest, ClosingQuote) {
    EXPECT_EQ(Parse("\"abc"), "none");
    EXPECT_EQ(Parse("\"abc\\\""), "none");  // the only quote is escaped
    EXPECT_EQ(Parse("\"abc\\"), "none");    // backslash is the last character
    EXPECT_EQ(Parse("[\"a\"\"b\"]"), "[\"a\",\"b\"]");
    EXPECT_EQ(Parse("\"a\\\\\"x\""), R"("a\u005C")");
}

TEST(ParseStringTest, LongRunOfBackslashesIsReadInOnePass) {
    // Rescanning for the quote after every backslash would take about 10^12 steps here.
    const std::size_t pairs = 1'000'000;
    std::string text = "\"";
    for (std::size_t i = 0; i < pairs; ++i) {
        text += "\\\\";
    }
    text += "\"";
    const auto started = std::chrono::steady_clock::now();
    auto value = TlkJSON::ParseDocument(text);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(static_cast<TlkJSONstring*>(value.get())->Value(), std::u16string(pairs, u'\\'));
    EXPECT_LT(elapsed, std::chrono::seconds(10));

    // The same run without a closing quote fails rather than hanging.
    text.pop_back();
    text += "\\\"";
    EXPECT_EQ(TlkJSON::ParseDocument(text), nullptr);
}

}  // namespace
}  // namespace tarnwick::json
