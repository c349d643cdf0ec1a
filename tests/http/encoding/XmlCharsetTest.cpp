#include "http/encoding/TIdXmlCharset.h"
#include "http/transport/TIdStream.h"

#include <gtest/gtest.h>

namespace tarnwick::http::test {

namespace {

TIdBytes B(std::string_view s) {
    return TIdBytes(s.begin(), s.end());
}

// Widens ASCII text into units of `width` bytes with the character at byte `at` of each unit.
std::string Units(std::string_view text, std::size_t width, std::size_t at) {
    std::string out;
    for (char c : text) {
        std::string unit(width, '\0');
        unit[at] = c;
        out += unit;
    }
    return out;
}

std::string Sniff(const std::string& body) {
    return SniffXmlCharset(reinterpret_cast<const std::uint8_t*>(body.data()), body.size());
}

const char* kDecl = "<?xml version=\"1.0\" encoding=\"KOI8-R\"?><r/>";

TEST(XmlCharsetTest, ByteOrderMarksInOrder) {
    struct Row {
        std::string body;
        const char* expected;
    } rows[] = {
        {std::string("\x00\x00\xFE\xFF<", 5), "UCS-4BE"},
        {std::string("\x00\x00\xFF\xFE<", 5), ""},
        {std::string("\xFF\xFE\x00\x00", 4), "UCS-4LE"},
        {std::string("\xFE\xFF\x00\x00", 4), ""},
        {std::string("\xFE\xFF\x00<", 4), "UTF-16BE"},
        {std::string("\xFF\xFE<\x00", 4), "UTF-16LE"},
        {"\xEF\xBB\xBF<?xml encoding='latin1'?>", "UTF-8"},
        {"\xFF\xFE<", "UTF-16LE"},
        {"\xEF\xBB\xBF", "UTF-8"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Sniff(row.body), row.expected);
    }
}

TEST(XmlCharsetTest, DeclarationInEveryLayout) {
    struct Row {
        const char* name;
        std::string body;
    } rows[] = {
        {"OneByte", kDecl},
        {"UTF16BE", Units(kDecl, 2, 1)},
        {"UTF16LE", Units(kDecl, 2, 0)},
        {"UCS4BE", Units(kDecl, 4, 3)},
        {"UCS4LE", Units(kDecl, 4, 0)},
        {"UCS4Order2143", Units(kDecl, 4, 2)},
        {"UCS4Order3412", Units(kDecl, 4, 1)},
        // <?xml encoding="KOI8-R"?> in EBCDIC.
        {"EBCDIC",
         "\x4C\x6F\xA7\x94\x93\x40\x85\x95\x83\x96\x84\x89\x95\x87\x7E\x7F\xD2\xD6\xC9"
         "\xF8\x60\xD9\x7F\x6F\x6E"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Sniff(row.body), "KOI8-R") << row.name;
    }
}

TEST(XmlCharsetTest, DeclarationForms) {
    struct Row {
        const char* body;
        const char* expected;
    } rows[] = {
        {"<?xml version='1.0' encoding = ' windows-1251 ' ?>", "windows-1251"},
        {"<?xml encoding=\"\"?>", "UTF-8"},
        {"<?xml version=\"1.0\"?>", "UTF-8"},
        {"<?xml ENCODING=\"latin1\"?>", "UTF-8"},
        {"<?xml encoding=latin1?>", "UTF-8"},
        {"<?xml encoding=\"latin1", "UTF-8"},
        {"<?xml version=\"1.0\"?><r encoding=\"latin1\"/>", "UTF-8"},
        {"<?xm", "UTF-8"},
        {"<r/>", "UTF-8"},
        {"", "UTF-8"},
        {"<?", "UTF-8"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Sniff(row.body), row.expected) << row.body;
    }
}

TEST(XmlCharsetTest, StreamPositionIsRestoredAndLongBodiesRead) {
    std::string body = "<?xml version=\"1.0\"" + std::string(10000, ' ') + " encoding=\"koi8-u\"?>";
    body += std::string(20000, 'x');
    TIdMemoryStream stream(B(body));
    stream.SetPosition(123);
    EXPECT_EQ(SniffXmlCharset(stream), "koi8-u");
    EXPECT_EQ(stream.Position(), 123);
}

TEST(XmlCharsetTest, XmlMediaTypes) {
    struct Row {
        const char* type;
        bool xml;
    } rows[] = {
        {"application/xml", true},
        {"APPLICATION/XML", true},
        {"application/xml-dtd", true},
        {"application/xml-external-parsed-entity", true},
        {"application/atom+xml", true},
        {"image/svg+XML; q=1", true},
        {"text/xml", false},
        {"text/svg+xml", false},
        {"application/json", false},
        {"application/xmlx", false},
        {"xml", false},
        {"", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsXmlContentType(row.type), row.xml) << row.type;
    }
}

TEST(ResponseCharsetTest, SniffsOnlyForXmlTypes) {
    TIdMemoryStream xml(B("<?xml encoding=\"ISO-8859-1\"?><a/>"));
    EXPECT_EQ(ResponseCharset("application/xml", "ignored", &xml), "ISO-8859-1");
    EXPECT_EQ(ResponseCharset("text/xml", "us-ascii", &xml), "us-ascii");
    EXPECT_EQ(ResponseCharset("application/json", "", &xml), "");
    EXPECT_EQ(ResponseCharset("application/rss+xml", "", nullptr), "UTF-8");
}

}  // namespace

}  // namespace tarnwick::http::test
