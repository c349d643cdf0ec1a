#include "http/headers/TIdHeaderParams.h"

#include <gtest/gtest.h>

namespace tarnwick::http::test {

namespace {

constexpr auto kHTTP = TIdHeaderQuotingType::QuoteHTTP;

struct RemoveCase {
    const char* value;
    const char* oldValue;
    const char* rebuilt;
};

TEST(HeaderParamsTest, RemovingCharsetReturnsItAndRebuilds) {
    const RemoveCase cases[] = {
        {"text/html; charset=\"utf-8\"; level=1", "utf-8", "text/html; level=1"},
        {"text/html;charset=UTF-8", "UTF-8", "text/html"},
        {"text/html ; CharSet = koi8-r", "koi8-r", "text/html"},
        {"text/html", "", "text/html"},
        {"text/html; charset=", "", "text/html"},
        {"text/html; charset", "", "text/html"},
        {"; charset=utf-8", "utf-8", ""},
        {"text/plain; charset=\"a\\\"b\\\\c\"junk; x=1", "a\"b\\c", "text/plain; x=1"},
        {"text/plain; charset=utf-8 trailing; x=1", "utf-8", "text/plain; x=1"},
        {"text/plain; a=1;;b=2; =3; c", "", "text/plain; a=1; b=2"},
        {"text/plain; charset=\"unterminated", "unterminated", "text/plain"},
    };
    for (const auto& c : cases) {
        std::string old = "stale";
        EXPECT_EQ(ReplaceHeaderSubItem(c.value, "charset", "", kHTTP, old), c.rebuilt) << c.value;
        EXPECT_EQ(old, c.oldValue) << c.value;
    }
}

TEST(HeaderParamsTest, ValuesNeedingQuotesAreQuotedAndEscaped) {
    struct Row {
        const char* value;
        const char* written;
    } rows[] = {
        {"a b", "\"a b\""},
        {"plain-token", "plain-token"},
        {"a\"b", "\"a\\\"b\""},
        {"back\\slash", "\"back\\\\slash\""},
        {"x{y}", "\"x{y}\""},
        {"q?r", "\"q?r\""},
        {"tab\there", "\"tab\there\""},
        {"d\x7f", "\"d\x7f\""},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
    };
    for (const auto& row : rows) {
        std::string old;
        EXPECT_EQ(ReplaceHeaderSubItem("m", "p", row.value, kHTTP, old),
                  std::string("m; p=") + row.written)
            << row.value;
        // Reading it back gives the original value.
        EXPECT_EQ(ExtractHeaderSubItem(std::string("m; p=") + row.written, "P", kHTTP), row.value);
    }
}

TEST(HeaderParamsTest, CarriageReturnEscapedOnlyInMailStyles) {
    std::string old;
    EXPECT_EQ(ReplaceHeaderSubItem("m", "p", "a\rb", TIdHeaderQuotingType::QuoteRFC822, old),
              "m; p=\"a\\\rb\"");
    EXPECT_EQ(ReplaceHeaderSubItem("m", "p", "a\rb", TIdHeaderQuotingType::QuoteMIME, old),
              "m; p=\"a\\\rb\"");
    EXPECT_EQ(ReplaceHeaderSubItem("m", "p", "a\rb", kHTTP, old), "m; p=\"a\rb\"");
}

TEST(HeaderParamsTest, UnquotedValueEndsAtStyleSpecials) {
    struct Row {
        TIdHeaderQuotingType quoting;
        const char* value;
        const char* expected;
    } rows[] = {
        {kHTTP, "m; p=a/b", "a"},
        {TIdHeaderQuotingType::QuoteRFC822, "m; p=1.5", "1"},
        {TIdHeaderQuotingType::QuoteMIME, "m; p=1.5", "1.5"},
        {TIdHeaderQuotingType::QuoteMIME, "m; p=ab==", "ab"},
        {TIdHeaderQuotingType::QuoteRFC822, "m; p=ab==", "ab=="},
        {TIdHeaderQuotingType::QuotePlain, "m; p=a/b\"c", "a/b\"c"},
        {TIdHeaderQuotingType::QuotePlain, "m; p=a b", "a"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ExtractHeaderSubItem(row.value, "p", row.quoting), row.expected) << row.value;
    }
}

TEST(HeaderParamsTest, ReplacingKeepsPositionAndFirstMatch) {
    std::string old;
    EXPECT_EQ(ReplaceHeaderSubItem("m; a=1; b=2; a=3", "A", "9", kHTTP, old), "m; a=9; b=2; a=3");
    EXPECT_EQ(old, "1");
    EXPECT_EQ(ReplaceHeaderSubItem("  m  ; a=1", "b", "2", kHTTP, old), "m; a=1; b=2");
    EXPECT_EQ(old, "");
}

}  // namespace

}  // namespace tarnwick::http::test
