#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "http/core/EIdException.h"
#include "http/support/TransportClient.h"
#include "http/support/TransportScriptedServer.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http::test {

namespace {

// How long the server watches for bytes that must not have been sent yet.
constexpr int kQuietMs = 200;

}  // namespace

TEST(TransportWriteTest, TextIsSevenBitAndLinesEndInCrLf) {
    std::string received;
    ScriptedServer server([&](ServerConnection& c) { received = c.ReadToEnd(); });
    {
        TIdTCPClientCustom client;
        TIdIOHandler& handler = ConnectLoopback(client, server.Port());
        handler.WriteLine("GET / HTTP/1.1");
        handler.WriteText("");
        handler.WriteText("caf\xE9 \x80\x7F");
        handler.WriteLine("");
        handler.WriteBytes(TIdBytes{0xE9, 0x00, 'z'});
    }
    server.Join();
    EXPECT_EQ(received, std::string("GET / HTTP/1.1\r\ncaf? ?\x7F\r\n\xE9\0z", 28));
}

TEST(TransportWriteTest, BufferedWritesLeaveTogetherOnFlush) {
    std::string early;
    std::string received;
    Gate written;
    ScriptedServer server([&](ServerConnection& c) {
        written.Wait();
        if (c.WaitReadable(kQuietMs)) {
            early = "bytes arrived before the flush";
        }
        received = c.ReadToEnd();
    });
    {
        TIdTCPClientCustom client;
        TIdIOHandler& handler = ConnectLoopback(client, server.Port());
        handler.StartWriteBuffering();
        EXPECT_TRUE(handler.WriteBufferingActive());
        handler.WriteLine("one");
        handler.WriteLine("two");
        handler.WriteBytes(TIdBytes{'3'});
        written.Open();
        std::this_thread::sleep_for(std::chrono::milliseconds(kQuietMs + 50));
        handler.FlushWriteBuffer();
        EXPECT_FALSE(handler.WriteBufferingActive());
        handler.WriteLine("direct");
    }
    server.Join();
    EXPECT_EQ(early, "");
    EXPECT_EQ(received, "one\r\ntwo\r\n3direct\r\n");
}

TEST(TransportWriteTest, PositiveThresholdSendsFullPiecesAsTheyFill) {
    std::string firstPieces;
    bool restCameEarly = false;
    std::string rest;
    Gate checked;
    ScriptedServer server([&](ServerConnection& c) {
        firstPieces = c.ReadExactly(20);
        restCameEarly = c.WaitReadable(kQuietMs);
        checked.Open();
        rest = c.ReadToEnd();
    });
    {
        TIdTCPClientCustom client;
        TIdIOHandler& handler = ConnectLoopback(client, server.Port());
        handler.StartWriteBuffering(10);
        handler.WriteText("abcdefghijklmnopqrstuvw");
        checked.Wait();
        handler.FlushWriteBuffer();
    }
    server.Join();
    EXPECT_EQ(firstPieces, "abcdefghijklmnopqrst");
    EXPECT_FALSE(restCameEarly);
    EXPECT_EQ(rest, "uvw");
}

TEST(TransportWriteTest, DroppedAndClosedWriteBuffersSendNothing) {
    std::string received;
    ScriptedServer server([&](ServerConnection& c) { received = c.ReadToEnd(); });
    {
        TIdTCPClientCustom client;
        TIdIOHandler& handler = ConnectLoopback(client, server.Port());
        handler.StartWriteBuffering();
        handler.WriteLine("secret");
        handler.DropWriteBuffer();
        EXPECT_FALSE(handler.WriteBufferingActive());
        handler.WriteLine("after");
        handler.StartWriteBuffering();
        handler.WriteLine("never");
        client.Disconnect();
        EXPECT_FALSE(handler.WriteBufferingActive());
    }
    server.Join();
    EXPECT_EQ(received, "after\r\n");
}

TEST(TransportWriteTest, WriteStreamSendsFromThePositionToTheEnd) {
    const std::string body = Pattern(100000);
    std::string received;
    ScriptedServer server([&](ServerConnection& c) { received = c.ReadToEnd(); });
    {
        TIdTCPClientCustom client;
        TIdIOHandler& handler = ConnectLoopback(client, server.Port());
        handler.SendBufferSize = 4096;
        TIdMemoryStream stream(TIdBytes(body.begin(), body.end()));
        stream.SetPosition(5);
        handler.WriteStream(stream);
    }
    server.Join();
    EXPECT_TRUE(received == body.substr(5)) << "sent " << received.size() << " bytes";
}

// Writing to a peer that has gone must fail with an exception, never end the process
// with a broken-pipe signal.
TEST(TransportWriteTest, WritingToAVanishedPeerRaisesASocketError) {
    Gate closed;
    ScriptedServer server([&](ServerConnection& c) {
        c.Close();
        closed.Open();
    });
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    closed.Wait();
    ASSERT_TRUE(WaitForPeerClose(handler));
    const std::string chunk(65536, 'x');
    int code = 0;
    try {
        for (int i = 0; i < 200; ++i) {
            handler.WriteText(chunk);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    } catch (const EIdSocketError& e) {
        code = e.LastError();
    }
    EXPECT_EQ(code, 10054);
}

TEST(TransportWriteTest, WritingWithoutAConnectionRaises) {
    ScriptedServer server([](ServerConnection& c) { c.ReadToEnd(); });
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    client.Disconnect();
    EXPECT_THROW(handler.WriteLine("x"), EIdConnClosedGracefully);
}

}  // namespace tarnwick::http::test
