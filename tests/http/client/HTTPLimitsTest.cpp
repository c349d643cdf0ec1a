// The client's bounds against answers that never end or never stop growing: header and
// trailer blocks, interim 100 heads, the caller's maximum body size and the exchange deadline.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "http/core/EIdException.h"
#include "http/response/TIdHTTPResponse.h"
#include "http/support/HTTPLoopbackServer.h"
#include "http/support/HTTPMemoryClient.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http::test {

namespace {

using Clock = std::chrono::steady_clock;

std::string HeaderLines(int count, std::size_t length = 8) {
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines += "X-" + std::to_string(i) + ": " + std::string(length, 'v') + "\r\n";
    }
    return lines;
}

std::string Chunked(const std::string& trailers) {
    return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nok\r\n0\r\n" + trailers +
           "\r\n";
}

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

}  // namespace

TEST(HTTPLimitsTest, HeaderBlockOfTheLimitIsReadAndOneLineMoreFails) {
    const int limit = TIdHTTP::kDefaultHeaderLineLimit;
    // The status line and Content-Length take no part of the count of extra lines below.
    MemoryHTTP fits("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n" + HeaderLines(limit - 1) + "\r\nok");
    EXPECT_EQ(fits.client.Get("http://h/"), "ok");
    EXPECT_EQ(fits.client.Response().HeaderLines.Count(), limit);

    MemoryHTTP over("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n" + HeaderLines(limit) + "\r\nok",
                    1 << 16);
    try {
        over.client.Get("http://h/");
        FAIL() << "no exception";
    } catch (const EIdHTTPHeaderTooLarge& e) {
        EXPECT_STREQ(e.what(), "Header block too large.");
    }
}

TEST(HTTPLimitsTest, HeaderBlockBoundedInBytesWhateverTheLineLimit) {
    // Long lines, each within the line limit, fewer than the count limit, too many bytes.
    const std::size_t length = 16000;
    const int lines = static_cast<int>(TIdHTTPResponse::kMaxHeaderBlockBytes / length) + 1;
    for (int lineLimit : {TIdHTTP::kDefaultHeaderLineLimit, 0}) {
        SCOPED_TRACE(lineLimit);
        MemoryHTTP http("HTTP/1.1 200 OK\r\n" + HeaderLines(lines, length) + "\r\n", 1 << 16);
        http.client.HeaderLineLimit = lineLimit;
        EXPECT_THROW(http.client.Get("http://h/"), EIdHTTPHeaderTooLarge);
    }
}

TEST(HTTPLimitsTest, NonPositiveLineLimitFallsBackToTheClientsOwnCount) {
    MemoryHTTP http(
        "HTTP/1.1 200 OK\r\n" + HeaderLines(TIdHTTPResponse::kMaxHeaderLines + 1) + "\r\n",
        1 << 16);
    http.client.HeaderLineLimit = -1;
    EXPECT_THROW(http.client.Get("http://h/"), EIdHTTPHeaderTooLarge);
}

TEST(HTTPLimitsTest, TrailersAreBoundedLikeHeaders) {
    const int limit = TIdHTTP::kDefaultHeaderLineLimit;
    MemoryHTTP fits(Chunked(HeaderLines(limit)), 1 << 16);
    EXPECT_EQ(fits.client.Get("http://h/"), "ok");
    MemoryHTTP over(Chunked(HeaderLines(limit + 1)), 1 << 16);
    EXPECT_THROW(over.client.Get("http://h/"), EIdHTTPHeaderTooLarge);
}

TEST(HTTPLimitsTest, ContinueHeadsAreSkippedOnlyUpToTheBound) {
    std::string heads;
    for (int i = 0; i < TIdHTTP::kMaxContinueResponses; ++i) {
        heads += "HTTP/1.1 100 Continue\r\n\r\n";
    }
    MemoryHTTP fits(heads + std::string(kOkAnswer), 1 << 16);
    EXPECT_EQ(fits.client.Get("http://h/"), "ok");

    MemoryHTTP over(heads + "HTTP/1.1 100 Continue\r\n\r\n" + std::string(kOkAnswer), 1 << 16);
    try {
        over.client.Get("http://h/");
        FAIL() << "no exception";
    } catch (const EIdHTTPTooManyContinues& e) {
        EXPECT_STREQ(e.what(), "Too many 100 Continue responses.");
    }
}

TEST(HTTPLimitsTest, MaximumBodySizeHoldsForEveryFraming) {
    const std::string body(100, 'b');
    const std::string chunkedBody =
        "32\r\n" + body.substr(0, 50) + "\r\n32\r\n" + body.substr(50) + "\r\n0\r\n\r\n";
    const struct {
        const char* name;
        std::string answer;
    } framings[] = {
        {"length", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n" + body},
        {"until close", "HTTP/1.1 200 OK\r\n\r\n" + body},
        {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + chunkedBody},
        {"html", "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n" + body},
    };
    for (const auto& framing : framings) {
        SCOPED_TRACE(framing.name);
        MemoryHTTP exact(framing.answer, 7);
        exact.client.MaxBodySize = 100;
        EXPECT_EQ(exact.client.Get("http://h/"), body);

        MemoryHTTP under(framing.answer, 7);
        under.client.MaxBodySize = 99;
        EXPECT_THROW(under.client.Get("http://h/"), EIdHTTPBodyTooLarge);
    }
}

TEST(HTTPLimitsTest, StatedLengthBeyondTheMaximumFailsBeforeReading) {
    // Nothing of the promised body is sent: the client must not wait for it.
    MemoryHTTP http("HTTP/1.1 200 OK\r\nContent-Length: 3000000000\r\n\r\n");
    http.client.MaxBodySize = 64 * 1024;
    EXPECT_THROW(http.client.Get("http://h/"), EIdHTTPBodyTooLarge);
}

TEST(HTTPLimitsTest, MaximumBodySizeAlsoBoundsAnErrorPage) {
    MemoryHTTP http("HTTP/1.1 404 Not Found\r\n\r\n" + std::string(1000, 'e'), 1 << 16);
    http.client.MaxBodySize = 999;
    EXPECT_THROW(http.client.Get("http://h/"), EIdHTTPBodyTooLarge);
}

TEST(HTTPLimitsTest, BodyWithoutMaximumIsReadWhole) {
    MemoryHTTP http("HTTP/1.1 200 OK\r\n\r\n" + std::string(1 << 20, 'b'), 1 << 16);
    TIdMemoryStream body;
    http.client.Get("http://h/", body);
    EXPECT_EQ(body.Size(), 1 << 20);
}

TEST(HTTPLimitsTest, DeadlineEndsAnExchangeThatAReadTimeoutCannot) {
    // One byte every 100 ms keeps resetting a 500 ms read timeout; the deadline still holds.
    Gate stop;
    ScriptedServer server([&](ServerConnection& c) {
        ReadRequestHead(c);
        c.Send("HTTP/1.1 200 OK\r\n\r\n");
        while (!c.WaitReadable(100)) {
            c.Send("x");
        }
        stop.Wait();
    });
    TIdHTTP http;
    http.ReadTimeout = 500;
    http.ExchangeTimeout = 1000;
    const auto start = Clock::now();
    EXPECT_THROW(http.Get(BaseURL(server) + "/"), EIdExchangeTimeout);
    const long long took = MillisecondsSince(start);
    EXPECT_GE(took, 900);
    EXPECT_LT(took, 2500);
    EXPECT_FALSE(http.IsConnected());
    stop.Open();
}

TEST(HTTPLimitsTest, DeadlineEndsAnExchangeWithASilentServer) {
    Gate stop;
    ScriptedServer server([&](ServerConnection& c) {
        ReadRequestHead(c);
        c.Send("HTTP/1.1 200 OK\r\n");
        stop.Wait();
    });
    TIdHTTP http;
    http.ExchangeTimeout = 500;
    const auto start = Clock::now();
    EXPECT_THROW(http.Get(BaseURL(server) + "/"), EIdExchangeTimeout);
    EXPECT_LT(MillisecondsSince(start), 2000);
    stop.Open();
}

TEST(HTTPLimitsTest, DeadlineBelongsToOneExchangeOnly) {
    ScriptedServer server([&](ServerConnection& c) {
        for (int i = 0; i < 2; ++i) {
            ReadRequestHead(c);
            c.Send(std::string(kOkAnswer));
        }
        c.ReadToEnd();
    });
    {
        TIdHTTP http;
        http.ExchangeTimeout = 300;
        EXPECT_EQ(http.Get(BaseURL(server) + "/"), "ok");
        EXPECT_FALSE(http.IOHandler()->Deadline.has_value());
        // Long after the first deadline: a kept connection is checked and used again.
        const auto start = Clock::now();
        while (MillisecondsSince(start) < 400) {
            EXPECT_TRUE(http.IsConnected());
        }
        EXPECT_EQ(http.Get(BaseURL(server) + "/"), "ok");
    }
    server.Join();
    EXPECT_EQ(server.Accepted(), 1);
}

}  // namespace tarnwick::http::test
