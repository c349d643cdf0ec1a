#include "http/encoding/TIdCharsetTable.h"
#include "http/encoding/TIdMBCSEncoding.h"
#include "http/encoding/TIdTextEncodings.h"
#include "http/encoding/TIdXmlCharset.h"
#include "http/transport/TIdStream.h"

#include <gtest/gtest.h>

#include <set>

namespace tarnwick::http::test {

namespace {

TIdBytes B(std::string_view s) {
    return TIdBytes(s.begin(), s.end());
}

TEST(CharsetTableTest, TellingRows) {
    struct Row {
        const char* name;
        int codePage;
    } rows[] = {
        {"US-ASCII", 20127},   {"ASCII", 20127},       {"ANSI_X3.4-1968", 20127},
        {"us", 20127},         {"IBM367", 20127},      {"csASCII", 20127},
        {"ISO-8859-1", 28591}, {"ISO_8859-1", 28591},  {"latin1", 28591},
        {"ISO-8859-2", 28592}, {"windows-1251", 1251}, {"windows-1252", 1252},
        {"KOI8-R", 20866},     {"Shift_JIS", 932},     {"EUC-JP", 20932},
        {"GB2312", 936},       {"Big5", 950},          {"UTF-7", 65000},
        {"UTF-8", 65001},      {"UTF-16BE", 1201},     {"UTF-16LE", 1200},
        {"UTF-16", 1200},      {"utf-8", 65001},       {"LATIN1", 28591},
        {"ISO-8859-10", 0},    {"x-nonsense", 0},      {"", 0},
        {" UTF-8", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CharsetToCodePage(row.name), row.codePage) << row.name;
    }
}

TEST(CharsetTableTest, ConverterAliasesFollowTheRegistryNames) {
    struct Row {
        const char* name;
        int codePage;
    } rows[] = {
        {"cp1251", 1251},     {"CP1252", 1252}, {"sjis", 932},         {"utf16", 1200},
        {"ISO8859-1", 28591}, {"koi8r", 20866}, {"EUCJP", 20932},      {"BIG-5", 950},
        {"TIS620", 874},      {"UTF7", 65000},  {"ISO-IR-203", 28605},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CharsetToCodePage(row.name), row.codePage) << row.name;
    }
}

TEST(CharsetTableTest, NamesAreUniqueAndCodePagesConvertible) {
    std::set<std::string> seen;
    std::size_t withCodePage = 0;
    std::set<int> lacking;
    for (const auto& entry : CharsetTable()) {
        std::string lower(entry.Name);
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        EXPECT_TRUE(seen.insert(lower).second) << "duplicate " << entry.Name;
        if (entry.CodePage != 0) {
            ++withCodePage;
            try {
                TIdMBCSEncoding enc(entry.CodePage);
            } catch (...) {
                lacking.insert(entry.CodePage);
            }
        }
    }
    EXPECT_GT(CharsetTable().size(), 900u);
    EXPECT_GT(withCodePage, 400u);
    // Code pages with no converter in glibc; their names decode as 8-bit.
    const std::set<int> expectedLacking = {
        720,   10001, 10002, 10003, 10004, 10005, 10006, 10008, 10010, 10021, 10081, 10082,
        20000, 20001, 20002, 20003, 20004, 20005, 20269, 20833, 20838, 20924, 20949, 29001,
        52936, 57002, 57003, 57004, 57005, 57006, 57007, 57008, 57009, 57010, 57011};
    EXPECT_EQ(lacking, expectedLacking);
}

TEST(EncodingForCharsetTest, SharedInstancesForUnicodeAndASCII) {
    EXPECT_EQ(EncodingForCharset("utf-8"), SharedTextEncoding(TIdTextEncodingKind::UTF8));
    EXPECT_EQ(EncodingForCharset("UTF-16"), SharedTextEncoding(TIdTextEncodingKind::UTF16LE));
    EXPECT_EQ(EncodingForCharset("UTF-16BE"), SharedTextEncoding(TIdTextEncodingKind::UTF16BE));
    EXPECT_EQ(EncodingForCharset("us-ascii"), SharedTextEncoding(TIdTextEncodingKind::ASCII));
    EXPECT_EQ(EncodingForCharset("UTF-7"), SharedTextEncoding(TIdTextEncodingKind::UTF7));
    for (const char* name : {"", "x-nonsense", "ISO-8859-10", "x-mac-greek", "UCS-4BE"}) {
        EXPECT_EQ(EncodingForCharset(name), SharedTextEncoding(TIdTextEncodingKind::EightBit))
            << name;
    }
    const auto latin1 = EncodingForCharset("latin1");
    ASSERT_NE(dynamic_cast<const TIdMBCSEncoding*>(latin1.get()), nullptr);
    EXPECT_EQ(dynamic_cast<const TIdMBCSEncoding*>(latin1.get())->CodePage(), 28591);
}

// The body text as the client returns it: decoded with the response charset, then narrowed
// to the default 7-bit destination.
std::string BodyText(std::string_view contentType, std::string_view charSet,
                     std::string_view body) {
    TIdMemoryStream stream(B(body));
    const std::string charset = ResponseCharset(contentType, charSet, &stream);
    return DecodeToString(B(body), EncodingForCharset(charset), nullptr);
}

TEST(BodyTextTest, CharsetDecidesWhatSurvives) {
    struct Row {
        const char* name;
        const char* contentType;
        const char* charSet;
        std::string body;
        std::string expected;
    } rows[] = {
        {"AsciiJsonUnchanged", "application/json", "", "{\"ver\":\"2.0.1\"}",
         "{\"ver\":\"2.0.1\"}"},
        {"AsciiUnderUtf8", "text/html", "UTF-8", "plain", "plain"},
        {"Utf8AccentIsOneMark", "text/html", "UTF-8", "\xC3\xA9", "?"},
        {"JsonAccentIsTwoMarks", "application/json", "", "\xC3\xA9", "??"},
        {"UsAsciiCopiesBytes", "text/plain", "us-ascii", "A\xE9", "A\xE9"},
        {"TextXmlDefaultCopiesBytes", "text/xml", "us-ascii", "<a>\xE9</a>", "<a>\xE9</a>"},
        {"Latin1Default", "text/html", "ISO-8859-1", "caf\xE9!", "caf?!"},
        {"Utf8BomUnderUtf8", "text/plain", "UTF-8", "\xEF\xBB\xBFx", "?x"},
        {"Utf8BomWithoutCharset", "application/json", "", "\xEF\xBB\xBFx", "???x"},
        {"UnknownCharsetIs8Bit", "text/plain", "x-nonsense", "a\xE9", "a?"},
        {"Utf16IsLittleEndian", "text/plain", "UTF-16", std::string("h\0i\0\xE9\0", 6), "hi?"},
        {"Cp1251", "text/html", "windows-1251", "\xC0z", "?z"},
        {"XmlBomIsUtf8", "application/xml", "", "\xEF\xBB\xBF<a>\xC3\xA9</a>", "?<a>?</a>"},
        {"XmlDeclLatin1", "application/xml", "UTF-8",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xC3\xA9</a>",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>?"
         "?</a>"},
        {"XmlNoDeclIsUtf8", "application/xml", "", "<a>\xC3\xA9</a>", "<a>?</a>"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(BodyText(row.contentType, row.charSet, row.body), row.expected) << row.name;
    }
}

}  // namespace

}  // namespace tarnwick::http::test
