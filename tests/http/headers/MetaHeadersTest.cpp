#include "http/headers/TIdMetaHeaders.h"

#include <gtest/gtest.h>

namespace tarnwick::http::test {

namespace {

std::vector<std::string> Extract(std::string_view html) {
    TIdHeaderList list;
    ExtractMetaHeaders(html, list);
    return list.Lines();
}

using Lines = std::vector<std::string>;

TEST(MetaHeadersTest, HttpEquivInHead) {
    EXPECT_EQ(Extract("<html><head><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                      "charset=windows-1251\"></head><body></body></html>"),
              Lines{"Content-Type: text/html; charset=windows-1251"});
    EXPECT_EQ(Extract("<!DOCTYPE html>\n<HTML>\n <Head>\n  <meta http-equiv = 'Refresh' "
                      "content = '5; url=/x' />\n  <meta http-equiv=Expires content=0>\n"),
              (Lines{"Refresh: 5; url=/x", "Expires: 0"}));
}

TEST(MetaHeadersTest, ContentBeforeHttpEquivAndNestedQuotes) {
    EXPECT_EQ(Extract("<html><head><meta content=\"text/html\" http-equiv=\"Content-Type\">"),
              Lines{});  // the first attribute decides; CONTENT first is not examined
    EXPECT_EQ(Extract("<html><head><meta http-equiv=\"Content-Type\" "
                      "content=\"text/html; charset=\"utf-8\"\"></head>"),
              Lines{"Content-Type: text/html; charset=utf-8"});
    EXPECT_EQ(Extract("<html><head><meta http-equiv=\"X-A\" name=\"n\" content=\"v\">"),
              Lines{"X-A: v"});
}

TEST(MetaHeadersTest, CharsetAttribute) {
    EXPECT_EQ(Extract("<html><head><meta charset=\"utf-8\"><title>t</title></head>"),
              Lines{"Content-Type: text/html; charset=\"utf-8\""});
    EXPECT_EQ(Extract("<html><head><meta charset=koi8-r>"),
              Lines{"Content-Type: text/html; charset=\"koi8-r\""});
    EXPECT_EQ(Extract("<html><head><meta name=\"viewport\" content=\"x\"><meta charset=a>"),
              Lines{"Content-Type: text/html; charset=\"a\""});
}

TEST(MetaHeadersTest, NothingOutsideTheHead) {
    struct Row {
        const char* name;
        const char* html;
    } rows[] = {
        {"InBody", "<html><body><meta http-equiv=\"X\" content=\"1\"></body></html>"},
        {"AfterBodyInHead",
         "<html><head></head><body><meta http-equiv=\"X\" content=\"1\"></body>"},
        {"TitleBeforeHead",
         "<html><title>t</title><head><meta http-equiv=\"X\" content=\"1\"></head>"},
        {"NoHtmlTag", "<head><meta http-equiv=\"X\" content=\"1\"></head>"},
        {"NotHtml", "{\"meta\": \"<meta http-equiv=X content=1>\"}"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Extract(row.html), Lines{}) << row.name;
    }
}

TEST(MetaHeadersTest, TitleScriptAndCommentContentIsNotTags) {
    EXPECT_EQ(Extract("<?xml version=\"1.0\"?><!-- <html><head><meta http-equiv=A content=1> -->"
                      "<html><head><title><meta http-equiv=B content=2></title>"
                      "<script>if (a<b) x='<meta http-equiv=C content=3>';</SCRIPT >"
                      "<link rel=x><meta http-equiv=D content=4></head>"),
              Lines{"D: 4"});
}

TEST(MetaHeadersTest, TruncatedDocumentsEndQuietly) {
    for (const char* html :
         {"<html><head><meta http-equiv=\"X", "<html><head><meta http-equiv=X content=\"v",
          "<html><head><meta", "<html><head><script>", "<html><!-- x", "<",
          "<html><head><meta "
          "charset=\""}) {
        TIdHeaderList list;
        EXPECT_NO_THROW(ExtractMetaHeaders(html, list)) << html;
    }
    EXPECT_EQ(Extract("<html><head><meta http-equiv=X content=\"v"), Lines{"X: v"});
}

TEST(MetaHeadersTest, StreamFormRestoresPosition) {
    const std::string html = "<html><head><meta http-equiv=\"A\" content=\"b\"></head></html>";
    TIdMemoryStream stream(TIdBytes(html.begin(), html.end()));
    stream.SetPosition(7);
    TIdHeaderList list;
    list.AddLine("Kept: 1");
    ExtractMetaHeaders(stream, list);
    EXPECT_EQ(list.Lines(), (Lines{"Kept: 1", "A: b"}));
    EXPECT_EQ(stream.Position(), 7);
}

}  // namespace

}  // namespace tarnwick::http::test
