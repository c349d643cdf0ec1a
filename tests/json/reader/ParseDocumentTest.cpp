#include <gtest/gtest.h>

#include <string>

#include "json/JsonTestSupport.h"
#include "json/reader/TlkJSON.h"
#include "json/values/TlkJSONobject.h"

namespace tarnwick::json {
namespace {

using testing::Parse;

struct ParseCase {
    const char* name;
    std::string text;
    std::string expected;  // Describe() of the result, "none" for no tree
};

void RunCases(const std::vector<ParseCase>& cases) {
    for (const ParseCase& c : cases) {
        EXPECT_EQ(Parse(c.text), c.expected) << c.name << ": " << c.text;
    }
}

TEST(ParseDocumentTest, DocumentFrame) {
    RunCases({
        {"empty text", "", "none"},
        {"only whitespace", " \t\r\n", "none"},
        {"byte order mark alone", "\xEF\xBB\xBF", "none"},
        {"byte order mark and object", "\xEF\xBB\xBF{\"a\":1}", "{\"a\":1}"},
        {"byte order mark and whitespace only", "\xEF\xBB\xBF  ", "none"},
        {"half a byte order mark", "\xEF\xBB[1]", "none"},
        {"object then more text", "{\"a\":1} trailing {", "{\"a\":1}"},
        {"list then a second list", "[1][2]", "[1]"},
        {"closing bracket too many", "[1]]", "[1]"},
        {"control characters are whitespace", std::string("\x01\x1f\x00 7", 5), "7"},
        {"DEL is not whitespace",
         "\x7f"
         "7",
         "none"},
        {"scalar as root", "\"x\"", "\"x\""},
        {"nothing recognisable", "@", "none"},
    });
}

TEST(ParseDocumentTest, Words) {
    RunCases({
        {"true", "true", "true"},
        {"false", "false", "false"},
        {"null", "null", "null"},
        {"capital T", "True", "none"},
        {"capital N", "NULL", "none"},
        {"word cut short", "fals", "none"},
        {"following letters are not looked at", "trueish", "true"},
        {"inside a list with no comma", "[truex]", "none"},
        {"nullnull in a list reads two nulls", "[nullnull]", "[null,null]"},
    });
}

TEST(ParseDocumentTest, Numbers) {
    RunCases({
        {"integer", "42", "42"},
        {"negative fraction", "-0.25", "-0.25"},
        {"leading plus", "+5", "5"},
        {"leading zeros", "007", "7"},
        {"exponent", "1.5e3", "1500"},
        {"capital exponent with sign", "25E-2", "0.25"},
        {"exponent with plus", "1e+2", "100"},
        {"full stop without digits", "1.", "none"},
        {"full stop first", ".5", "none"},
        {"sign alone", "-", "none"},
        {"two signs", "+-1", "none"},
        {"exponent without digits", "1e", "none"},
        {"exponent sign without digits", "1e+", "none"},
        {"beyond the extended range", "1e5000", "none"},
        {"beyond double but inside extended", "1e400", "1e+400"},
        {"negative zero", "-0", "-0"},
        {"many digits", "123456789012345678901234567890", "1.2345678901234568e+29"},
        {"huge exponent of zero", "0e999999999", "0"},
        {"number stops at a letter", "[12abc]", "none"},
    });
}

TEST(ParseDocumentTest, NumbersKeepExtendedPrecision) {
    struct Case {
        const char* text;
        long double expected;
    };
    const Case cases[] = {
        {"0.1", 0.1L},
        {"18446744073709551615", 18446744073709551615.0L},
        {"9007199254740993", 9007199254740993.0L},  // not a double, but exact in 64 bits
        {"1234567890.0987654321", 1234567890.0987654321L},
        {"-3.141592653589793238", -3.141592653589793238L},
        {"6.02214076e23", 6.02214076e23L},
        {"1e-30", 1e-30L},
        {"98765432109876543210", 98765432109876543210.0L},  // just past 64 bits of digits
    };
    for (const Case& c : cases) {
        auto value = TlkJSON::ParseDocument(c.text);
        ASSERT_NE(value, nullptr) << c.text;
        ASSERT_EQ(value->Kind(), TlkJSONkind::Number) << c.text;
        EXPECT_EQ(static_cast<TlkJSONnumber*>(value.get())->Value(), c.expected) << c.text;
    }
}

TEST(ParseDocumentTest, ListCommas) {
    RunCases({
        {"empty", "[]", "[]"},
        {"no comma between", "[1 2]", "[1,2]"},
        {"trailing comma", "[1 2,]", "[1,2]"},
        {"commas everywhere", "[1,2,3]", "[1,2,3]"},
        {"comma before the first", "[,1]", "none"},
        {"two commas in a row", "[1,,2]", "none"},
        {"comma alone", "[,]", "none"},
        {"missing bracket", "[1,2", "none"},
        {"nested", "[[],[1,[2]]]", "[[],[1,[2]]]"},
        {"failing element fails the whole", "[1,[2,]x]", "none"},
        {"mismatched bracket", "[1}", "none"},
    });
}

TEST(ParseDocumentTest, ObjectCommasAndMembers) {
    RunCases({
        {"empty", "{}", "{}"},
        {"two members without comma", "{\"a\":1 \"b\":2}", "{\"a\":1,\"b\":2}"},
        {"trailing comma", "{\"a\":1,}", "{\"a\":1}"},
        {"comma before the first", "{,\"a\":1}", "none"},
        {"missing colon", "{\"a\" 1}", "none"},
        {"missing value", "{\"a\":}", "none"},
        {"name not quoted", "{a:1}", "none"},
        {"missing brace", "{\"a\":1", "none"},
        {"whitespace around colon", "{ \"a\" \t:\n 1 }", "{\"a\":1}"},
        {"name case kept", "{\"VerSion\":\"2\"}", "{\"VerSion\":\"2\"}"},
        {"nested containers", "{\"a\":[{\"b\":null}]}", "{\"a\":[{\"b\":null}]}"},
        {"value with trailing text inside", "{\"a\":truex}", "none"},
    });
}

TEST(ParseDocumentTest, DuplicateNamesKeepBothPairsAndFindTheFirst) {
    auto root = TlkJSON::ParseDocument("{\"a\":1,\"a\":2,\"A\":3}");
    ASSERT_NE(root, nullptr);
    auto* object = dynamic_cast<TlkJSONobject*>(root.get());
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->UseKeyIndex());
    EXPECT_EQ(object->ChildCount(), 3);
    EXPECT_EQ(object->KeyPosition(u"a"), 0);
    EXPECT_EQ(object->KeyPosition(u"A"), 2);
    EXPECT_EQ(object->RealAt(0), 1);
    EXPECT_EQ(object->RealAt(1), 1);  // read by name: the first member called a
    EXPECT_EQ(object->RealAt(2), 3);
    EXPECT_EQ(testing::Describe(object->MemberByName(u"a")), "1");
    EXPECT_EQ(object->MemberByName(u"b"), nullptr);
}

}  // namespace
}  // namespace tarnwick::json
