#include <gtest/gtest.h>

#include <string>

#include "http/core/EIdException.h"
#include "http/support/HTTPMemoryClient.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http::test {

namespace {

// Every way of cutting the answer into receives that matters: byte by byte, small odd pieces
// that split CR from LF, and all at once.
constexpr std::size_t kPieceSizes[] = {1, 3, 7, 1 << 20};

std::string GetFrom(std::string_view answer, std::size_t piece) {
    MemoryHTTP m(answer, piece);
    return m.client.Get("http://H/");
}

}  // namespace

TEST(HTTPResponseTest, StatusCodeAndVersionComeFromTheStatusLine) {
    struct Case {
        const char* line;
        int code;
        TIdHTTPProtocolVersion version;
    };
    const Case cases[] = {
        {"HTTP/1.1 200 OK", 200, pv1_1},
        {"HTTP/1.0 404 Not Found", 404, pv1_0},
        {"http/1.1 301", 301, pv1_1},
        {"HTTP/1.1   302   Found", 302, pv1_1},
        {"HTTP/1.1 200.5 Odd", 200, pv1_1},
        {"HTTP/2.0 200 OK", 200, pv1_0},
        {"HTTP/1.1 abc", -1, pv1_1},
        {"HTTP/1.1", -1, pv1_1},
        {"HTTP/1", -1, pv1_0},
        {"", -1, pv1_0},
        {"HTTP/1.1 99999999999999 Big", -1, pv1_1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        MemoryHTTP m("");
        m.client.Response().SetStatusLine(c.line);
        EXPECT_EQ(m.client.Response().StatusCode(), c.code);
        EXPECT_EQ(m.client.Response().StatusVersion(), c.version);
    }
}

TEST(HTTPResponseTest, ContentTypeAndCharsetAreDerived) {
    struct Case {
        const char* header;
        const char* contentType;
        const char* charSet;
    };
    const Case cases[] = {
        {"text/plain", "text/plain", "ISO-8859-1"},
        {"text/xml", "text/xml", "us-ascii"},
        {"text/rss+xml", "text/rss+xml", "us-ascii"},
        {"application/json", "application/json", ""},
        {"text/html; charset=UTF-8", "text/html", "UTF-8"},
        {"text/html; charset=\"koi8-r\"; level=1", "text/html; level=1", "koi8-r"},
        {"TEXT/Plain", "TEXT/Plain", "ISO-8859-1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        MemoryHTTP m("HTTP/1.1 200 OK\r\nContent-Type: " + std::string(c.header) +
                     "\r\nContent-Length: 0\r\n\r\n");
        m.client.Get("http://H/");
        EXPECT_EQ(m.client.Response().ContentType, c.contentType);
        EXPECT_EQ(m.client.Response().CharSet, c.charSet);
    }
}

TEST(HTTPResponseTest, OtherFieldsAreDerivedFromTheHeaderBlock) {
    MemoryHTTP m(
        "HTTP/1.1 206 Partial\r\n"
        "Content-Range: bytes 10-19/100\r\n"
        "Content-Length: 10\r\n"
        "Server:  Test Server  \r\n"
        "ETag: \"x1\"\r\n"
        "WWW-Authenticate: Basic realm=\"a\"\r\n"
        "WWW-Authenticate: Digest realm=\"b\"\r\n"
        "Last-Modified: Sun, 06 Nov 1994 08:49:37 GMT\r\n"
        "Expires: -5\r\n"
        "\r\n"
        "0123456789");
    EXPECT_EQ(m.client.Get("http://H/"), "0123456789");
    TIdHTTPResponse& r = m.client.Response();
    EXPECT_EQ(r.ContentRangeUnits, "bytes");
    EXPECT_EQ(r.ContentRangeStart, 10);
    EXPECT_EQ(r.ContentRangeEnd, 19);
    EXPECT_EQ(r.ContentRangeInstanceLength, 100);
    EXPECT_EQ(r.Server, "Test Server");
    EXPECT_EQ(r.ETag, "\"x1\"");
    ASSERT_EQ(r.WWWAuthenticate.Count(), 2);
    EXPECT_EQ(r.WWWAuthenticate[1], "Digest realm=\"b\"");
    EXPECT_GT(r.LastModified, 34000.0);
    EXPECT_LT(r.LastModified, 34700.0);
    EXPECT_EQ(r.Expires, 0.0) << "a negative count of seconds gives no expiry date";
    EXPECT_GT(r.Date, 0.0) << "an absent Date header gives the current time";
}

TEST(HTTPResponseTest, BodiesAreFramedByChunksLengthOrClose) {
    struct Case {
        const char* name;
        std::string answer;
        std::string body;
    };
    const Case cases[] = {
        {"length", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhelloEXTRA", "hello"},
        {"zero length", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\nEXTRA", ""},
        {"negative length reads to close", "HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\nabc",
         "abc"},
        {"unreadable length reads to close", "HTTP/1.1 200 OK\r\nContent-Length: abc\r\n\r\nxyz",
         "xyz"},
        {"no length reads to close", "HTTP/1.0 200 OK\r\n\r\nabc", "abc"},
        {"short body keeps what came", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabcd", "abcd"},
        {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n",
         "hello"},
        {"chunk extension",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5;ext=1\r\nhello\r\n"
         "6\r\n world\r\n0\r\n\r\n",
         "hello world"},
        {"upper-case hex size",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\nA\r\n0123456789\r\n0\r\n\r\n",
         "0123456789"},
        {"unreadable chunk size ends the body",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nab\r\nzz\r\n\r\n", "ab"},
        {"chunked wins over length",
         "HTTP/1.1 200 OK\r\nContent-Length: 10\r\nTransfer-Encoding: chunked\r\n\r\n"
         "5\r\nhello\r\n0\r\n\r\n",
         "hello"},
        {"100 Continue first",
         "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", "ok"},
    };
    for (const Case& c : cases) {
        for (std::size_t piece : kPieceSizes) {
            SCOPED_TRACE(std::string(c.name) + ", piece " + std::to_string(piece));
            EXPECT_EQ(GetFrom(c.answer, piece), c.body);
        }
    }
}

TEST(HTTPResponseTest, ChunkTrailersJoinTheHeaderLines) {
    MemoryHTTP m(
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\nX-Sum: 7\r\n\r\n");
    EXPECT_EQ(m.client.Get("http://H/"), "abc");
    EXPECT_EQ(m.client.Response().HeaderLines.Value("X-Sum"), "7");
}

TEST(HTTPResponseTest, ACloseInsideTheHeaderBlockEndsItWithoutTurningTheCutLineIntoBody) {
    MemoryHTTP m("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nX-Partial");
    EXPECT_EQ(m.client.Get("http://H/"), "");
    EXPECT_EQ(m.client.Response().ContentType, "text/plain");
    EXPECT_FALSE(m.client.IsConnected());
}

TEST(HTTPResponseTest, ACloseBeforeTheStatusLineIsAnError) {
    MemoryHTTP m("");
    EXPECT_THROW(m.client.Get("http://H/"), EIdConnClosedGracefully);
}

TEST(HTTPResponseTest, BodyTextIsDecodedWithTheResponseCharset) {
    struct Case {
        const char* contentType;
        std::string body;
        std::string text;
    };
    const Case cases[] = {
        {"application/json", "{\"v\":\"\xE9\"}", "{\"v\":\"?\"}"},
        {"text/plain", "caf\xE9", "caf?"},
        {"text/plain; charset=UTF-8", "caf\xC3\xA9!", "caf?!"},
        {"text/plain; charset=us-ascii", "caf\xE9", "caf\xE9"},
        {"text/xml", "<a>\xE9</a>", "<a>\xE9</a>"},      // us-ascii by default
        {"application/xml", "<a>\xE9</a>", "<a>?</a>"},  // sniffed: UTF-8 without a declaration
        {"application/xml", "<?xml version=\"1.0\" encoding=\"us-ascii\"?><a>\xE9</a>",
         "<?xml version=\"1.0\" encoding=\"us-ascii\"?><a>\xE9</a>"},
        {"text/plain; charset=UTF-16", std::string("h\0i\0", 4), "hi"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contentType);
        MemoryHTTP m("HTTP/1.1 200 OK\r\nContent-Type: " + std::string(c.contentType) +
                     "\r\nContent-Length: " + std::to_string(c.body.size()) + "\r\n\r\n" + c.body);
        EXPECT_EQ(m.client.Get("http://H/"), c.text);
    }
}

TEST(HTTPResponseTest, HtmlMetaHeadersReplaceTheContentType) {
    const std::string page =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=us-ascii\"><meta http-equiv=\"X-Note\" content=\"n\"></head><body>\xE9</body>"
        "</html>";
    const std::string answer = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                               std::to_string(page.size()) + "\r\n\r\n" + page;
    {
        MemoryHTTP m(answer);
        EXPECT_EQ(m.client.Get("http://H/"), page) << "us-ascii passes every byte";
        EXPECT_EQ(m.client.Response().CharSet, "us-ascii");
        EXPECT_EQ(m.client.Response().HeaderLines.Value("X-Note"), "n");
        EXPECT_EQ(m.client.Response().HeaderLines.Value("Content-Type"),
                  "text/html; charset=us-ascii");
    }
    {
        MemoryHTTP m(answer);
        m.client.HTTPOptions |= hoNoParseMetaHTTPEquiv;
        const std::string text = m.client.Get("http://H/");
        EXPECT_EQ(m.client.Response().CharSet, "ISO-8859-1");
        EXPECT_NE(text.find("<body>?</body>"), std::string::npos);
    }
}

TEST(HTTPResponseTest, BodyIntoACallersStreamAfterItsPosition) {
    MemoryHTTP m("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 5\r\n\r\nhello");
    TIdMemoryStream out(TIdBytes{'>', '>'});
    out.SetPosition(2);
    m.client.Get("http://H/", out);
    EXPECT_EQ(std::string(out.Bytes().begin(), out.Bytes().end()), ">>hello");
}

TEST(HTTPResponseTest, HeadRequestsAnd204ReadNoBody) {
    for (const char* method : {"HEAD", "GET"}) {
        SCOPED_TRACE(method);
        const char* status = std::string(method) == "HEAD" ? "200 OK" : "204 No Content";
        // The length announced for a HEAD is the entity's; no body follows it.
        MemoryHTTP m(std::string("HTTP/1.1 ") + status +
                     "\r\nContent-Length: 4\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\nx");
        TIdMemoryStream body;
        m.client.DoRequest(method, "http://H/", nullptr, &body, {});
        EXPECT_EQ(body.Size(), 0);
        body.SetPosition(0);
        m.client.Get("http://H/", body);
        EXPECT_EQ(std::string(body.Bytes().begin(), body.Bytes().end()), "x")
            << "the next answer is still in step";
    }
}

TEST(HTTPResponseTest, FailingStatusCodesRaiseWithCodeAndBodyText) {
    struct Case {
        std::string answer;
        int code;
        const char* message;
        const char* bodyText;
    };
    const Case cases[] = {
        {"HTTP/1.1 302 Found\r\nLocation: /x\r\nContent-Length: 3\r\n\r\nmov", 302,
         "HTTP/1.1 302 Found", "mov"},
        {"HTTP/1.1 301 Moved\r\nContent-Length: 0\r\n\r\n", 301, "HTTP/1.1 301 Moved", ""},
        {"HTTP/1.1 304 Not Modified\r\n\r\n", 304, "HTTP/1.1 304 Not Modified", ""},
        {"HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: 13\r\n\r\n"
         "<p>gone\xE9</p>",
         404, "HTTP/1.1 404 Not Found", "<p>gone?</p>"},
        {"HTTP/1.1 500 Internal Server Error\r\nContent-Type: text/plain\r\n\r\noops", 500,
         "HTTP/1.1 500 Internal Server Error", "oops"},
        {"HTTP/1.1 101 Switching Protocols\r\n\r\n", 101, "HTTP/1.1 101 Switching Protocols", ""},
        {"HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"r\"\r\n"
         "Content-Length: 4\r\n\r\ndeny",
         401, "HTTP/1.1 401 Unauthorized", "deny"},
        {"garbage\r\n\r\n", -1, "garbage", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        MemoryHTTP m(c.answer);
        try {
            m.client.Get("http://H/");
            ADD_FAILURE() << "no exception";
        } catch (const EIdHTTPProtocolException& e) {
            EXPECT_STREQ(e.what(), c.message);
            EXPECT_EQ(e.Code(), c.code);
            EXPECT_EQ(e.BodyText(), c.bodyText);
        }
        EXPECT_EQ(m.client.Response().StatusLine(), c.message) << "stays readable";
    }
}

TEST(HTTPResponseTest, ToleratedCodesAndTheNoExceptionOptionEndQuietly) {
    {
        MemoryHTTP m("HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\ngone");
        TIdMemoryStream body;
        const int tolerated[] = {404};
        EXPECT_NO_THROW(m.client.DoRequest("GET", "http://H/", nullptr, &body, tolerated));
        EXPECT_EQ(body.Size(), 0) << "the error body never reaches the destination";
    }
    {
        MemoryHTTP m("HTTP/1.1 500 Oops\r\nContent-Length: 4\r\n\r\nfail");
        m.client.HTTPOptions |= hoNoProtocolErrorException;
        EXPECT_EQ(m.client.Get("http://H/"), "");
    }
}

TEST(HTTPResponseTest, RedirectsAreFollowedOnlyWhenAsked) {
    const std::string answer =
        "HTTP/1.1 303 See Other\r\nLocation: /next\r\nContent-Length: 3\r\n\r\nold"
        "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nnew";
    MemoryHTTP m(answer);
    m.client.HandleRedirects = true;
    TIdMemoryStream source(TIdBytes{'p'});
    TIdMemoryStream body;
    m.client.DoRequest("POST", "http://H/form", &source, &body, {});
    EXPECT_EQ(std::string(body.Bytes().begin(), body.Bytes().end()), "new");
    EXPECT_EQ(m.client.RedirectCount(), 1);
    EXPECT_NE(m.Written().find("GET /next HTTP/1.1\r\n"), std::string::npos)
        << "303 turns the method into GET";
    EXPECT_EQ(m.Written().find("GET /next HTTP/1.1\r\nContent-Length"), std::string::npos)
        << "and drops the body";
}

TEST(HTTPResponseTest, RedirectLoopsStopAtTheMaximum) {
    std::string answer;
    for (int i = 0; i < TIdHTTP::kDefaultRedirectMaximum + 2; ++i) {
        answer += "HTTP/1.1 302 Found\r\nLocation: /again\r\nContent-Length: 0\r\n\r\n";
    }
    MemoryHTTP m(answer);
    m.client.HandleRedirects = true;
    EXPECT_EQ(m.client.Get("http://H/"), "");
    EXPECT_EQ(m.client.RedirectCount(), TIdHTTP::kDefaultRedirectMaximum);
    EXPECT_EQ(m.client.Response().Location, "/again");
}

}  // namespace tarnwick::http::test
