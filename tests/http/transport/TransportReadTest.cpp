#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "http/core/EIdException.h"
#include "http/support/TransportClient.h"
#include "http/support/TransportScriptedServer.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http::test {

namespace {

using namespace std::chrono_literals;

std::string Text(const TIdBytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::string BufferText(TIdIOHandler& handler) {
    const auto live = handler.InputBuffer().Bytes();
    return std::string(live.begin(), live.end());
}

// Sends the bytes and closes.
ScriptedServer::Script SendAndClose(std::string bytes) {
    return [bytes](ServerConnection& c) {
        c.Send(bytes);
        c.Close();
    };
}

}  // namespace

TEST(TransportReadTest, LineEndings) {
    struct Row {
        const char* name;
        std::string wire;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"crlf", "abc\r\n", {"abc"}},
        {"only one cr is dropped", "abc\r\r\n", {"abc\r"}},
        {"bare lf is an empty line", "\n", {""}},
        {"mixed endings", "a\nb\r\nc\n", {"a", "b", "c"}},
        {"cr alone is no terminator", "a\rb\n", {"a\rb"}},
        {"bytes above 127 become ?", "caf\xC3\xA9\x80\x7F\n", {"caf???\x7F"}},
        {"zero bytes pass", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    };
    for (const Row& row : rows) {
        ScriptedServer server(SendAndClose(row.wire));
        TIdTCPClientCustom client;
        TIdIOHandler& handler = ConnectLoopback(client, server.Port());
        for (const std::string& expected : row.lines) {
            EXPECT_EQ(handler.ReadLine(), expected) << row.name;
        }
        EXPECT_THROW(handler.ReadLine(), EIdConnClosedGracefully) << row.name;
    }
}

// Lines whose pieces, and whose CR LF, arrive in separate receives.
TEST(TransportReadTest, LinesAssembledAcrossReceives) {
    ScriptedServer server([](ServerConnection& c) {
        for (const char* piece : {"hel", "lo\r", "\nne", "xt\n", "\r", "\n"}) {
            c.Send(piece);
            std::this_thread::sleep_for(30ms);
        }
    });
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    EXPECT_EQ(handler.ReadLine(), "hello");
    EXPECT_EQ(handler.ReadLine(), "next");
    EXPECT_EQ(handler.ReadLine(), "");
}

TEST(TransportReadTest, LongestAcceptedLineAndOneByteMore) {
    const std::string longest(TIdIOHandler::kDefaultMaxLineLength, 'x');
    ScriptedServer server(SendAndClose(longest + "\n" + longest + "y\nafter\n"));
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    EXPECT_EQ(handler.ReadLine(), longest);
    try {
        handler.ReadLine();
        FAIL() << "no exception";
    } catch (const EIdReadLnMaxLineLengthExceeded& e) {
        EXPECT_STREQ(e.what(), "Max line length exceeded.");
    }
}

// The length check waits for the terminator: an over-long line that is still arriving is
// only a timeout, and the failure comes once its LF is there.
TEST(TransportReadTest, OverLongLineFailsWhileItIsStillArriving) {
    // A peer that never ends its line must not make the client buffer without end: the line
    // fails as soon as it cannot end within the limit, with no terminator in sight.
    Gate limitReached;
    Gate done;
    ScriptedServer server([&](ServerConnection& c) {
        c.Send(std::string(TIdIOHandler::kDefaultMaxLineLength, 'x'));
        limitReached.Wait();
        c.Send("x");
        done.Wait();
    });
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    EXPECT_EQ(handler.ReadLn("\n", 200, -1), "") << "the limit itself may still end in a LF";
    EXPECT_TRUE(handler.ReadLnTimedOut());
    limitReached.Open();
    EXPECT_THROW(handler.ReadLn("\n", 5000, -1), EIdReadLnMaxLineLengthExceeded);
    EXPECT_FALSE(handler.ReadLnTimedOut());
    done.Open();
}

TEST(TransportReadTest, SplitModeHandsOutTheLineInLimitSizedPieces) {
    ScriptedServer server(SendAndClose("0123456789abcdefghijKLMNO\r\nnext\n"));
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    handler.MaxLineLength = 10;
    handler.MaxLineAction = maSplit;
    EXPECT_EQ(handler.ReadLine(), "0123456789");
    EXPECT_TRUE(handler.ReadLnSplit());
    EXPECT_EQ(handler.ReadLine(), "abcdefghij");
    EXPECT_TRUE(handler.ReadLnSplit());
    EXPECT_EQ(handler.ReadLine(), "KLMNO");
    EXPECT_FALSE(handler.ReadLnSplit());
    EXPECT_EQ(handler.ReadLine(), "next");
}

TEST(TransportReadTest, CloseInsideALineRaisesAndKeepsThePartialLine) {
    ScriptedServer server(SendAndClose("abc"));
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    try {
        handler.ReadLine();
        FAIL() << "no exception";
    } catch (const EIdConnClosedGracefully& e) {
        EXPECT_STREQ(e.what(), "Connection Closed Gracefully.");
    }
    EXPECT_EQ(BufferText(handler), "abc");
    EXPECT_TRUE(client.IsConnected()) << "buffered bytes still count as a connection";
    EXPECT_EQ(Text(handler.ReadExact(3)), "abc");
    EXPECT_FALSE(client.IsConnected());
}

TEST(TransportReadTest, CopyOfACountCutShortLeavesExactlyTheBytesReceived) {
    const std::string body = Pattern(60);
    ScriptedServer server(SendAndClose(body));
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    TIdMemoryStream stream(TIdBytes{'o', 'l', 'd', '-', 't', 'a', 'i', 'l'});
    stream.SetPosition(3);
    EXPECT_THROW(handler.CopyToStream(stream, 100, false), EIdConnClosedGracefully);
    EXPECT_EQ(Text(stream.Bytes()), "old" + body);
    EXPECT_EQ(stream.Position(), 63);
}

TEST(TransportReadTest, CopyUntilCloseTakesEverythingAlsoWhatWasBuffered) {
    const std::string body = Pattern(300001);
    ScriptedServer server(SendAndClose("head\n" + body));
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    EXPECT_EQ(handler.ReadLine(), "head");
    TIdMemoryStream stream;
    handler.CopyToStream(stream, -1, true);
    ASSERT_EQ(stream.Size(), static_cast<std::int64_t>(body.size()));
    EXPECT_TRUE(Text(stream.Bytes()) == body) << "copied bytes differ";
}

// A counted copy across many receive pieces takes exactly its count and leaves what follows.
TEST(TransportReadTest, CopyOfACountStopsExactlyAtTheCount) {
    const std::string body = Pattern(1048576 + 7);
    ScriptedServer server([&](ServerConnection& c) {
        c.Send("head\n" + body + "TRAILER\n");
        c.ReadUntil("bye");
    });
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    EXPECT_EQ(handler.ReadLine(), "head");
    TIdMemoryStream stream;
    handler.CopyToStream(stream, static_cast<std::int64_t>(body.size()), false);
    EXPECT_EQ(stream.Size(), static_cast<std::int64_t>(body.size()));
    EXPECT_TRUE(Text(stream.Bytes()) == body) << "copied bytes differ";
    EXPECT_EQ(handler.ReadLine(), "TRAILER");
    handler.WriteText("bye");
}

TEST(TransportReadTest, CopyRefusesCountsBeyondTheLargestStreamSize) {
    ScriptedServer server(SendAndClose(""));
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    TIdMemoryStream stream(TIdBytes(10, 0));
    stream.SetPosition(10);
    try {
        handler.CopyToStream(stream, std::numeric_limits<std::int64_t>::max() - 9, false);
        FAIL() << "no exception";
    } catch (const EIdIOHandlerStreamDataTooLarge& e) {
        EXPECT_STREQ(e.what(), "Data is too large for stream");
    }
    EXPECT_EQ(stream.Size(), 10);
}

// A peer may announce far more than it sends; the stream must not be grown to the
// announced size before the bytes exist.
TEST(TransportReadTest, HugeAnnouncedCountDoesNotAllocateItInAdvance) {
    ScriptedServer server(SendAndClose("tiny"));
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    TIdMemoryStream stream;
    EXPECT_THROW(handler.CopyToStream(stream, std::int64_t{1} << 50, false),
                 EIdConnClosedGracefully);
    EXPECT_EQ(Text(stream.Bytes()), "tiny");
}

TEST(TransportReadTest, ReadExactAndSkipBytesConsumeExactly) {
    ScriptedServer server(SendAndClose("0123456789ABCDEF\nrest"));
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    EXPECT_EQ(Text(handler.ReadExact(4)), "0123");
    EXPECT_TRUE(handler.ReadExact(0).empty());
    handler.SkipBytes(6);
    EXPECT_EQ(handler.ReadLine(), "ABCDEF");
    EXPECT_THROW(handler.SkipBytes(5), EIdConnClosedGracefully);
    EXPECT_TRUE(handler.InputEmpty()) << "the four bytes that came were dropped";
}

TEST(TransportReadTest, ReadExactPastTheCloseRaises) {
    ScriptedServer server(SendAndClose("abc"));
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    EXPECT_THROW(handler.ReadExact(4), EIdConnClosedGracefully);
    EXPECT_EQ(BufferText(handler), "abc");
}

TEST(TransportReadTest, SkipToCloseDropsEverythingAndEndsNormally) {
    ScriptedServer server(SendAndClose("line\n" + Pattern(100000)));
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    EXPECT_EQ(handler.ReadLine(), "line");
    EXPECT_NO_THROW(handler.SkipToClose());
    EXPECT_TRUE(handler.InputEmpty());
    EXPECT_FALSE(client.IsConnected());
}

TEST(TransportReadTest, ReadTimeoutBoundsEveryWait) {
    Gate done;
    ScriptedServer server([&](ServerConnection& c) {
        done.Wait();
        c.Send("late\n");
    });
    TIdTCPClientCustom client;
    client.ReadTimeout = 150;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());

    const auto start = std::chrono::steady_clock::now();
    try {
        handler.ReadExact(1);
        FAIL() << "no exception";
    } catch (const EIdReadTimeout& e) {
        EXPECT_STREQ(e.what(), "Read timed out.");
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, 140ms);
    EXPECT_EQ(handler.ReadLine(), "");
    EXPECT_TRUE(handler.ReadLnTimedOut());
    EXPECT_THROW(handler.SkipBytes(1), EIdReadTimeout);
    EXPECT_FALSE(handler.PollForData(50));

    done.Open();
    EXPECT_TRUE(handler.PollForData(5000));
    EXPECT_EQ(handler.ReadLine(), "late");
    EXPECT_FALSE(handler.ReadLnTimedOut());
}

TEST(TransportReadTest, IsConnectedNoticesACloseThatHasArrived) {
    Gate closed;
    ScriptedServer server([&](ServerConnection& c) {
        c.Close();
        closed.Open();
    });
    TIdTCPClientCustom client;
    ConnectLoopback(client, server.Port());
    closed.Wait();
    bool connected = true;
    for (int i = 0; i < 100 && connected; ++i) {
        connected = client.IsConnected();
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(connected);
    EXPECT_FALSE(client.IOHandler()->PollForData(10));
}

TEST(TransportReadTest, PollForDataReportsBytesThatArrivedBeforeTheCall) {
    Gate sent;
    ScriptedServer server([&](ServerConnection& c) {
        c.Send("ready");
        sent.Open();
        c.ReadUntil("bye");
    });
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    sent.Wait();
    std::this_thread::sleep_for(50ms);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(handler.PollForData(3000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1000ms);
    EXPECT_EQ(BufferText(handler), "ready");
    handler.WriteText("bye");
}

}  // namespace tarnwick::http::test
