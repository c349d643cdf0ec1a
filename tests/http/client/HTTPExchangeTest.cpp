#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "http/core/EIdException.h"
#include "http/support/HTTPLoopbackServer.h"
#include "http/support/TransportClient.h"

namespace tarnwick::http::test {

namespace {

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

constexpr const char* kHello = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

}  // namespace

TEST(HTTPExchangeTest, SendsExactlyTheRequestBytesOverTheSocket) {
    std::string received;
    ScriptedServer server([&](ServerConnection& c) {
        received = ReadRequestHead(c);
        c.Send(kHello);
    });
    {
        BoundedHTTP http;
        http.Request().UserAgent = "Agent/1";
        EXPECT_EQ(http.Get(BaseURL(server) + "/tools/vornel/ver_2.php"), "hello");
    }
    server.Join();
    EXPECT_EQ(
        received,
        "GET /tools/vornel/ver_2.php HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.Port()) +
            "\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,"
            "*/*;q=0.8\r\nAccept-Encoding: identity\r\nUser-Agent: Agent/1\r\n\r\n");
}

TEST(HTTPExchangeTest, KeepAliveAnswersReuseTheConnection) {
    std::string afterTwo;
    ScriptedServer server([&](ServerConnection& c) {
        for (int i = 0; i < 2; ++i) {
            ReadRequestHead(c);
            c.Send(kHello);
        }
        afterTwo = c.ReadToEnd();
    });
    {
        BoundedHTTP http;
        EXPECT_EQ(http.Get(BaseURL(server) + "/a"), "hello");
        EXPECT_TRUE(http.IsConnected()) << "no Connection header: HTTP/1.1 keeps it open";
        EXPECT_EQ(http.Get(BaseURL(server) + "/b"), "hello");
        EXPECT_TRUE(http.Response().IsKeepAlive());
    }
    server.Join();
    EXPECT_EQ(server.Accepted(), 1);
    EXPECT_EQ(afterTwo, "") << "the client closes without sending more";
}

TEST(HTTPExchangeTest, ConnectionCloseEndsTheConnectionAfterTheAnswer) {
    for (const char* value : {"close", "  ClOsE  "}) {
        SCOPED_TRACE(value);
        std::string rest;
        ScriptedServer server(
            [&](ServerConnection& c) {
                ReadRequestHead(c);
                c.Send(std::string("HTTP/1.1 200 OK\r\nConnection:") + value +
                       "\r\nContent-Length: 2\r\n\r\nok");
                rest = c.ReadToEnd();
            },
            2);
        BoundedHTTP http;
        EXPECT_EQ(http.Get(BaseURL(server) + "/"), "ok");
        EXPECT_FALSE(http.IsConnected());
        EXPECT_EQ(http.Get(BaseURL(server) + "/"), "ok") << "a second Get connects anew";
        server.Join();
        EXPECT_EQ(server.Accepted(), 2);
    }
}

TEST(HTTPExchangeTest, HTTP10BodyUntilCloseIsNotKeptAlive) {
    ScriptedServer server([&](ServerConnection& c) {
        ReadRequestHead(c);
        c.Send("HTTP/1.0 200 OK\r\n\r\nab");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        c.Send("c");
        c.Close();
    });
    BoundedHTTP http;
    EXPECT_EQ(http.Get(BaseURL(server) + "/"), "abc");
    EXPECT_FALSE(http.Response().IsKeepAlive());
    EXPECT_FALSE(http.IsConnected());
}

TEST(HTTPExchangeTest, BodiesArriveInPiecesWithPauses) {
    const std::string big = Pattern(300000);
    ScriptedServer server(
        [&](ServerConnection& c) {
            ReadRequestHead(c);
            c.Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n");
            c.Send("4\r\nwi");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            c.Send("ki\r");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            c.Send("\n5;x=y\r\npedia\r\n0\r\n\r\n");
            ReadRequestHead(c);
            c.Send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(big.size()) + "\r\n\r\n");
            c.Send(big.substr(0, 100000));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            c.Send(big.substr(100000));
            c.ReadToEnd();
        },
        1);
    BoundedHTTP http;
    EXPECT_EQ(http.Get(BaseURL(server) + "/c"), "wikipedia");
    EXPECT_TRUE(http.Get(BaseURL(server) + "/big") == big);
}

TEST(HTTPExchangeTest, AnEarlyCloseKeepsThePartOfTheBodyThatCame) {
    ScriptedServer server([&](ServerConnection& c) {
        ReadRequestHead(c);
        c.Send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabcd");
        c.Close();
    });
    BoundedHTTP http;
    EXPECT_EQ(http.Get(BaseURL(server) + "/"), "abcd");
    EXPECT_FALSE(http.IsConnected());
}

TEST(HTTPExchangeTest, AZeroLengthBodyDoesNotWait) {
    ScriptedServer server([&](ServerConnection& c) {
        ReadRequestHead(c);
        c.Send("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
        c.ReadToEnd();
    });
    BoundedHTTP http;
    const auto start = Clock::now();
    EXPECT_EQ(http.Get(BaseURL(server) + "/"), "");
    EXPECT_LT(MillisecondsSince(start), 2000);
}

TEST(HTTPExchangeTest, ContinueHeadsAreSkipped) {
    ScriptedServer server([&](ServerConnection& c) {
        ReadRequestHead(c);
        c.Send("HTTP/1.1 100 Continue\r\n\r\n");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        c.Send("HTTP/1.1 100 Continue\r\nX-A: 1\r\n\r\n");
        c.Send(kHello);
        c.ReadToEnd();
    });
    BoundedHTTP http;
    EXPECT_EQ(http.Get(BaseURL(server) + "/"), "hello");
    EXPECT_EQ(http.Response().StatusLine(), "HTTP/1.1 200 OK");
}

TEST(HTTPExchangeTest, ErrorStatusesRaiseWithCodeAndPage) {
    struct Case {
        std::string answer;
        int code;
        const char* message;
        const char* bodyText;
    };
    const Case cases[] = {
        {"HTTP/1.1 302 Found\r\nLocation: http://elsewhere/\r\nContent-Length: 5\r\n\r\nmoved", 302,
         "HTTP/1.1 302 Found", "moved"},
        {"HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: 22\r\n\r\n"
         "<html>no such</html>\r\n",
         404, "HTTP/1.1 404 Not Found", "<html>no such</html>\r\n"},
        {"HTTP/1.1 500 Internal Server Error\r\nConnection: close\r\n\r\nbroken", 500,
         "HTTP/1.1 500 Internal Server Error", "broken"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::string more;
        ScriptedServer server([&](ServerConnection& conn) {
            ReadRequestHead(conn);
            conn.Send(c.answer);
            if (c.code == 500) {
                conn.Close();
                return;
            }
            more = conn.ReadToEnd();
        });
        {
            BoundedHTTP http;
            try {
                http.Get(BaseURL(server) + "/x");
                ADD_FAILURE() << "no exception";
            } catch (const EIdHTTPProtocolException& e) {
                EXPECT_STREQ(e.what(), c.message);
                EXPECT_EQ(e.Code(), c.code);
                EXPECT_EQ(e.BodyText(), c.bodyText);
            }
        }
        server.Join();
        EXPECT_EQ(server.Accepted(), 1);
        EXPECT_EQ(more, "") << "no second request follows a redirect under the defaults";
    }
}

TEST(HTTPExchangeTest, ABodilessRedirectOnAnOpenConnectionIsWaitedForFiveSeconds) {
    ScriptedServer server([&](ServerConnection& c) {
        ReadRequestHead(c);
        c.Send("HTTP/1.1 302 Found\r\nLocation: /y\r\n\r\n");
        c.ReadToEnd();
    });
    BoundedHTTP http;
    const auto start = Clock::now();
    EXPECT_THROW(http.Get(BaseURL(server) + "/x"), EIdHTTPProtocolException);
    const long long waited = MillisecondsSince(start);
    EXPECT_GE(waited, TIdHTTPResponse::kRedirectBodyWaitMs - 100);
    EXPECT_LT(waited, TIdHTTPResponse::kRedirectBodyWaitMs + 2000);
}

TEST(HTTPExchangeTest, ARefusedConnectionIsSocketError10061) {
    BoundedHTTP http;
    try {
        http.Get("http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + "/");
        ADD_FAILURE() << "no exception";
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.LastError(), 10061);
        EXPECT_STREQ(e.what(), "Socket Error # 10061\r\nConnection refused.");
    }
    EXPECT_FALSE(http.IsConnected());
}

TEST(HTTPExchangeTest, AServerThatNeverAnswersTimesOut) {
    constexpr int kTimeoutMs = 300;
    ScriptedServer server([&](ServerConnection& c) {
        ReadRequestHead(c);
        c.ReadToEnd();
    });
    TIdHTTP http;
    http.ReadTimeout = kTimeoutMs;
    const auto start = Clock::now();
    try {
        http.Get(BaseURL(server) + "/");
        ADD_FAILURE() << "no exception";
    } catch (const EIdReadTimeout& e) {
        EXPECT_STREQ(e.what(), "Read timed out.");
    }
    const long long waited = MillisecondsSince(start);
    EXPECT_GE(waited, kTimeoutMs - 20);
    EXPECT_LT(waited, 5000);
    EXPECT_FALSE(http.IsConnected()) << "the late answer must not be read as the next one";
}

TEST(HTTPExchangeTest, AfterATimeoutTheLateAnswerIsNotTakenForTheNextOne) {
    constexpr int kTimeoutMs = 200;
    Gate timedOut;
    ScriptedServer server(
        [&](ServerConnection& c) {
            ReadRequestHead(c);
            if (server.Accepted() == 1) {
                timedOut.Wait();
                c.Send("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nlate");
                c.ReadToEnd();
            } else {
                c.Send(kHello);
                c.ReadToEnd();
            }
        },
        2);
    {
        TIdHTTP http;
        http.ReadTimeout = kTimeoutMs;
        EXPECT_THROW(http.Get(BaseURL(server) + "/slow"), EIdReadTimeout);
        timedOut.Open();
        http.ReadTimeout = kClientReadTimeoutMs;
        EXPECT_EQ(http.Get(BaseURL(server) + "/next"), "hello");
    }
    server.Join();
}

TEST(HTTPExchangeTest, AKeptAliveHTTP10AnswerNeedsToSaySo) {
    ScriptedServer server(
        [&](ServerConnection& c) {
            ReadRequestHead(c);
            c.Send("HTTP/1.0 200 OK\r\nConnection: Keep-Alive\r\nContent-Length: 1\r\n\r\na");
            ReadRequestHead(c);
            c.Send("HTTP/1.0 200 OK\r\nContent-Length: 1\r\n\r\nb");
            c.ReadToEnd();
        },
        1);
    BoundedHTTP http;
    EXPECT_EQ(http.Get(BaseURL(server) + "/"), "a");
    EXPECT_TRUE(http.IsConnected());
    EXPECT_EQ(http.Get(BaseURL(server) + "/"), "b");
    EXPECT_FALSE(http.IsConnected()) << "without keep-alive an HTTP/1.0 server closes";
}

TEST(HTTPExchangeTest, AReusedConnectionTheServerClosedIsReopened) {
    Gate closed;
    ScriptedServer server(
        [&](ServerConnection& c) {
            ReadRequestHead(c);
            c.Send(kHello);
            if (server.Accepted() == 1) {
                c.Close();
                closed.Open();
            } else {
                c.ReadToEnd();
            }
        },
        2);
    {
        BoundedHTTP http;
        EXPECT_EQ(http.Get(BaseURL(server) + "/"), "hello");
        closed.Wait();
        ASSERT_TRUE(WaitForPeerClose(*http.IOHandler()));
        EXPECT_EQ(http.Get(BaseURL(server) + "/"), "hello");
    }
    server.Join();
    EXPECT_EQ(server.Accepted(), 2);
}

TEST(HTTPExchangeTest, AServerClosingInsteadOfAnsweringFailsWithoutRetry) {
    ScriptedServer server([&](ServerConnection& c) {
        ReadRequestHead(c);
        c.Send(kHello);
        ReadRequestHead(c);
        c.Close();
    });
    BoundedHTTP http;
    EXPECT_EQ(http.Get(BaseURL(server) + "/"), "hello");
    EXPECT_THROW(http.Get(BaseURL(server) + "/"), EIdConnClosedGracefully);
    EXPECT_FALSE(http.IsConnected());
    server.Join();
    EXPECT_EQ(server.Accepted(), 1);
}

TEST(HTTPExchangeTest, AnotherHostOrPortDisconnectsFirst) {
    ScriptedServer server(
        [&](ServerConnection& c) {
            ReadRequestHead(c);
            c.Send(kHello);
            c.ReadToEnd();
        },
        2);
    {
        BoundedHTTP http;
        EXPECT_EQ(http.Get(BaseURL(server, "127.0.0.1") + "/"), "hello");
        EXPECT_EQ(http.Get(BaseURL(server, "localhost") + "/"), "hello");
    }
    server.Join();
    EXPECT_EQ(server.Accepted(), 2);
}

TEST(HTTPExchangeTest, CookiesOfOneAnswerGoWithTheNextRequest) {
    std::string second;
    ScriptedServer server([&](ServerConnection& c) {
        ReadRequestHead(c);
        c.Send(
            "HTTP/1.1 200 OK\r\nSet-Cookie: sid=42; Path=/\r\nSet-Cookie: other=1; "
            "Domain=elsewhere.example\r\nContent-Length: 0\r\n\r\n");
        second = ReadRequestHead(c);
        c.Send(kHello);
        c.ReadToEnd();
    });
    {
        BoundedHTTP http;
        http.Get(BaseURL(server) + "/a");
        ASSERT_NE(http.CookieManager(), nullptr);
        EXPECT_EQ(http.CookieManager()->Cookies().size(), 1u) << "a foreign domain is rejected";
        http.Get(BaseURL(server) + "/b");
    }
    server.Join();
    EXPECT_NE(second.find("\r\nCookie: sid=42\r\n"), std::string::npos) << second;
}

TEST(HTTPExchangeTest, IPv6LiteralsConnectOverIPv6) {
    std::string received;
    ScriptedServer server(
        [&](ServerConnection& c) {
            received = ReadRequestHead(c);
            c.Send(kHello);
        },
        1, true);
    if (server.Port() == 0) {
        GTEST_SKIP() << "no IPv6 loopback here";
    }
    {
        BoundedHTTP http;
        EXPECT_EQ(http.Get("http://[::1]:" + std::to_string(server.Port()) + "/six"), "hello");
    }
    server.Join();
    EXPECT_NE(received.find("\r\nHost: [::1]:" + std::to_string(server.Port()) + "\r\n"),
              std::string::npos)
        << received;
}

TEST(HTTPExchangeTest, AConnectionTheCallerOpenedIsUsedForTheFirstGet) {
    ScriptedServer server([&](ServerConnection& c) {
        ReadRequestHead(c);
        c.Send(kHello);
        c.ReadToEnd();
    });
    {
        BoundedHTTP http;
        http.Host = "127.0.0.1";
        http.Port = server.Port();
        http.Connect();
        EXPECT_EQ(http.Get(BaseURL(server) + "/"), "hello");
    }
    server.Join();
    EXPECT_EQ(server.Accepted(), 1);
}

}  // namespace tarnwick::http::test
