#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "http/core/EIdException.h"
#include "http/support/TransportClient.h"
#include "http/support/TransportScriptedServer.h"
#include "http/transport/TIdBuffer.h"
#include "http/transport/TIdStack.h"

namespace tarnwick::http::test {

namespace {

// Forwards to the real sockets, but records and refuses resolver calls and can be told to
// fail start-up, receives, or to accept nothing on send.
class ScriptedSocketApi : public platform::SocketApi {
  public:
    std::vector<std::string> resolved;
    int startupResult = 0;
    std::string startupFailure;
    int receiveError = 0;
    bool acceptNothing = false;

    int Startup(int major, int minor, std::string& failure) override {
        EXPECT_EQ(major, 2);
        EXPECT_EQ(minor, 2);
        failure = startupFailure;
        return startupResult;
    }
    void Cleanup() override {}
    int CreateStream(platform::SocketFamily f, platform::SocketHandle& h) override {
        return fReal.CreateStream(f, h);
    }
    int GetKind(platform::SocketHandle h, platform::SocketKind& k) override {
        return fReal.GetKind(h, k);
    }
    int GetNoDelay(platform::SocketHandle h, bool& v) override { return fReal.GetNoDelay(h, v); }
    int SetNoDelay(platform::SocketHandle h, bool v) override { return fReal.SetNoDelay(h, v); }
    int SetReuseAddress(platform::SocketHandle h, bool v) override {
        return fReal.SetReuseAddress(h, v);
    }
    int Bind(platform::SocketHandle h, platform::SocketFamily f,
             const platform::SocketEndpoint& e) override {
        return fReal.Bind(h, f, e);
    }
    int Connect(platform::SocketHandle h, platform::SocketFamily f,
                const platform::SocketEndpoint& e, int t, bool& out) override {
        return fReal.Connect(h, f, e, t, out);
    }
    int LocalEndpoint(platform::SocketHandle h, platform::SocketEndpoint& e) override {
        return fReal.LocalEndpoint(h, e);
    }
    int PeerEndpoint(platform::SocketHandle h, platform::SocketEndpoint& e) override {
        return fReal.PeerEndpoint(h, e);
    }
    int WaitReadable(platform::SocketHandle h, int t, bool& r) override {
        return fReal.WaitReadable(h, t, r);
    }
    int Receive(platform::SocketHandle h, std::uint8_t* d, std::size_t c, std::size_t& n) override {
        if (receiveError != 0) {
            n = 0;
            return receiveError;
        }
        return fReal.Receive(h, d, c, n);
    }
    int Send(platform::SocketHandle h, const std::uint8_t* d, std::size_t c,
             std::size_t& n) override {
        if (acceptNothing) {
            n = 0;
            return 0;
        }
        return fReal.Send(h, d, c, n);
    }
    int ShutdownSend(platform::SocketHandle h) override { return fReal.ShutdownSend(h); }
    int Close(platform::SocketHandle h) override { return fReal.Close(h); }
    int Resolve(const std::string& host, platform::SocketFamily, std::string&) override {
        resolved.push_back(host);
        return 11001;
    }
    bool IsAddress(const std::string& t, platform::SocketFamily f) override {
        return fReal.IsAddress(t, f);
    }

  private:
    platform::SocketApi& fReal = platform::SystemSocketApi();
};

// Puts the scripted interface under the socket layer for one test.
class SocketLayerTest : public ::testing::Test {
  protected:
    SocketLayerTest() { TIdStack::SetPlatform(&api); }
    ~SocketLayerTest() override { TIdStack::SetPlatform(nullptr); }
    ScriptedSocketApi api;
};

}  // namespace

TEST_F(SocketLayerTest, OnlyTextsThatAreNoAddressReachTheResolver) {
    struct Row {
        const char* host;
        bool asksResolver;
    };
    const Row rows[] = {
        {"LOCALHOST", false}, {"localhost", false}, {"127.0.0.1", false},   {"0.0.0.0", false},
        {"256.1.1.1", true},  {"1.2.3", true},      {"example.test", true},
    };
    TIdBuffer holdsTheStack;
    for (const Row& row : rows) {
        api.resolved.clear();
        try {
            TIdStack::Instance().ResolveHost(row.host, TIdIPVersion::Id_IPv4);
        } catch (const EIdSocketError& e) {
            EXPECT_EQ(e.LastError(), 11001);
        }
        EXPECT_EQ(api.resolved, row.asksResolver ? std::vector<std::string>{row.host}
                                                 : std::vector<std::string>{})
            << row.host;
    }
}

TEST_F(SocketLayerTest, ConnectToLocalhostNeverAsksTheResolver) {
    ScriptedServer server([](ServerConnection& c) { c.ReadToEnd(); });
    TIdTCPClientCustom client;
    client.Host = "LocalHost";
    client.Port = server.Port();
    EXPECT_NO_THROW(client.Connect());
    EXPECT_TRUE(api.resolved.empty());
}

TEST_F(SocketLayerTest, FailedStartLeavesNoLayerBehind) {
    const int before = TIdStack::UsageCount();
    ASSERT_EQ(before, 0) << "another object still holds the layer";
    api.startupResult = 10091;
    api.startupFailure = EIdStackInitializationFailed::LoadFailureMessage("WS2_32.DLL");
    try {
        TIdBuffer buffer;
        FAIL() << "the layer started";
    } catch (const EIdStackInitializationFailed& e) {
        EXPECT_STREQ(e.what(), "Error on loading Winsock2 library (WS2_32.DLL)");
    }
    EXPECT_EQ(TIdStack::UsageCount(), 0);
    api.startupResult = 0;
    EXPECT_NO_THROW(TIdBuffer());
}

TEST_F(SocketLayerTest, PlatformFailuresReachTheReaderAsSocketErrors) {
    ScriptedServer server([](ServerConnection& c) {
        c.Send("x");
        c.ReadToEnd();
    });
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    api.receiveError = 10038;
    try {
        handler.ReadLine();
        FAIL() << "no exception";
    } catch (const EIdNotASocket& e) {
        EXPECT_EQ(e.LastError(), 10038);
    }
    api.receiveError = 10054;
    EXPECT_THROW(handler.ReadExact(1), EIdSocketError);
    EXPECT_FALSE(client.IsConnected()) << "a failing socket is no connection";
}

// A send that takes no bytes means the peer is gone: the write must fail, also when
// received bytes are still waiting, instead of looping or dropping the bytes silently.
TEST_F(SocketLayerTest, SendThatAcceptsNothingEndsTheWrite) {
    Gate received;
    ScriptedServer server([&](ServerConnection& c) {
        c.Send("waiting");
        received.Wait();
    });
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    ASSERT_TRUE(handler.PollForData(5000));
    api.acceptNothing = true;
    EXPECT_THROW(handler.WriteLine("request"), EIdConnClosedGracefully);
    EXPECT_TRUE(handler.ClosedGracefully());
    EXPECT_FALSE(handler.InputEmpty());
    received.Open();
}

}  // namespace tarnwick::http::test
