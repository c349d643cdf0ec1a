#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "http/core/EIdException.h"
#include "http/support/TransportClient.h"
#include "http/support/TransportScriptedServer.h"
#include "http/transport/TIdIOHandlerSocket.h"
#include "http/transport/TIdIOHandlerStack.h"

namespace tarnwick::http::test {

namespace {

using namespace std::chrono_literals;

int SocketOption(const TIdTCPClientCustom& client, int level, int name) {
    auto* handler = dynamic_cast<TIdIOHandlerSocket*>(client.IOHandler());
    int value = -1;
    socklen_t length = sizeof value;
    getsockopt(static_cast<int>(handler->Binding()->Handle()), level, name, &value, &length);
    return value;
}

TIdSocketHandle& BindingOf(const TIdTCPClientCustom& client) {
    return *dynamic_cast<TIdIOHandlerSocket*>(client.IOHandler())->Binding();
}

// A client that counts the disconnected hook.
class CountingClient : public TIdTCPClientCustom {
  public:
    int disconnects = 0;

  protected:
    void DoOnDisconnected() override { ++disconnects; }
};

ScriptedServer::Script Idle() {
    return [](ServerConnection& c) { c.ReadToEnd(); };
}

}  // namespace

TEST(TCPConnectTest, RefusedConnectionRaises10061AndFreesTheHandler) {
    ScriptedServer server(Idle());
    TIdTCPClientCustom client;
    client.Host = "127.0.0.1";
    client.Port = UnusedLoopbackPort();
    try {
        client.Connect();
        FAIL() << "connected to a port nobody listens on";
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.LastError(), 10061);
        EXPECT_EQ(e.Message(), "Socket Error # 10061\r\nConnection refused.");
    }
    EXPECT_EQ(client.IOHandler(), nullptr);
    EXPECT_FALSE(client.IsConnected());

    client.Port = server.Port();
    EXPECT_NO_THROW(client.Connect());
    EXPECT_TRUE(client.IsConnected());
}

TEST(TCPConnectTest, HostAndPortAreRequired) {
    TIdTCPClientCustom client;
    client.Port = 80;
    try {
        client.Connect();
        FAIL() << "no exception";
    } catch (const EIdHostRequired& e) {
        EXPECT_STREQ(e.what(), "");
    }
    client.Host = "127.0.0.1";
    client.Port = 0;
    try {
        client.Connect();
        FAIL() << "no exception";
    } catch (const EIdPortRequired& e) {
        EXPECT_STREQ(e.what(), "");
    }
}

TEST(TCPConnectTest, SecondConnectWhileConnectedRaises) {
    ScriptedServer server(Idle());
    TIdTCPClientCustom client;
    ConnectLoopback(client, server.Port());
    try {
        client.Connect();
        FAIL() << "no exception";
    } catch (const EIdAlreadyConnected& e) {
        EXPECT_STREQ(e.what(), "Already connected.");
    }
    EXPECT_TRUE(client.IsConnected());
}

TEST(TCPConnectTest, LocalhostInAnyCaseIsTheLoopbackAddress) {
    for (const char* host : {"LOCALHOST", "localhost", "LoCaLhOsT", " 127.0.0.001"}) {
        ScriptedServer server(Idle());
        TIdTCPClientCustom client;
        client.Host = host;
        client.Port = server.Port();
        client.Connect();
        EXPECT_EQ(BindingOf(client).PeerIP(), "127.0.0.1") << host;
        EXPECT_EQ(BindingOf(client).PeerPort(), server.Port()) << host;
        EXPECT_EQ(BindingOf(client).IP(), "127.0.0.1") << host;
        EXPECT_GT(BindingOf(client).Port(), 0) << host;
    }
}

TEST(TCPConnectTest, UnknownHostRaisesHostNotFound) {
    TIdTCPClientCustom client;
    client.Host = "no-such-host.invalid";
    client.Port = 80;
    try {
        client.Connect();
        FAIL() << "no exception";
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.LastError(), 11001);
    }
    EXPECT_EQ(client.IOHandler(), nullptr);
}

TEST(TCPConnectTest, StatusNotificationsAndHooksInOrder) {
    ScriptedServer server(Idle());
    CountingClient client;
    std::vector<std::pair<TIdStatus, std::string>> seen;
    client.OnStatus = [&](TIdStatus s, const std::string& text) { seen.emplace_back(s, text); };
    int connects = 0;
    client.OnConnected = [&] { ++connects; };
    client.Host = "localhost";
    client.Port = server.Port();
    client.Connect();
    client.Disconnect();
    client.Disconnect();  // a second one finds nothing open
    const std::vector<std::pair<TIdStatus, std::string>> expected = {
        {hsResolving, "localhost"}, {hsConnecting, "127.0.0.1"}, {hsConnected, "localhost"},
        {hsDisconnecting, ""},      {hsDisconnected, ""},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(connects, 1);
    EXPECT_EQ(client.disconnects, 1);
}

// Disconnect keeps the handler and its unread input; the next connect reuses the handler
// with empty buffers.
TEST(TCPConnectTest, ReconnectReusesTheHandlerWithFreshBuffers) {
    int served = 0;
    ScriptedServer server(
        [&](ServerConnection& c) {
            c.Send(++served == 1 ? "one\ntwo\n" : "three\n");
            c.ReadToEnd();
        },
        2);
    TIdTCPClientCustom client;
    TIdIOHandler& handler = ConnectLoopback(client, server.Port());
    EXPECT_EQ(handler.ReadLine(), "one");
    client.Disconnect();
    EXPECT_FALSE(handler.Opened());
    EXPECT_EQ(handler.ReadLine(), "two") << "buffered input survives the close";
    EXPECT_FALSE(client.IsConnected());
    client.Connect();
    EXPECT_EQ(client.IOHandler(), &handler);
    EXPECT_EQ(handler.ReadLine(), "three");
}

TEST(TCPConnectTest, BindsTheGivenLocalAddressAndPort) {
    const int localPort = UnusedLoopbackPort();
    ScriptedServer server(Idle());
    TIdTCPClientCustom client;
    client.BoundIP = "127.0.0.1";
    client.BoundPort = localPort;
    ConnectLoopback(client, server.Port());
    EXPECT_EQ(BindingOf(client).IP(), "127.0.0.1");
    EXPECT_EQ(BindingOf(client).Port(), localPort);
}

TEST(TCPConnectTest, PortAlreadyInUseCannotBeBound) {
    ScriptedServer server(Idle());
    TIdTCPClientCustom client;
    client.BoundIP = "127.0.0.1";
    client.BoundPort = server.Port();  // the server's listening port is taken
    try {
        ConnectLoopback(client, server.Port());
        FAIL() << "no exception";
    } catch (const EIdCouldNotBindSocket& e) {
        EXPECT_STREQ(e.what(), "Could not bind socket. Address and port are already in use.");
    }
    EXPECT_EQ(client.IOHandler(), nullptr);
    client.BoundPort = 0;
    EXPECT_NO_THROW(client.Connect());
}

// Holds a loopback port bound (without listening) for as long as it lives.
class HeldPort {
  public:
    explicit HeldPort(int port) : fFd(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        fBound = bind(fFd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        socklen_t length = sizeof a;
        getsockname(fFd, reinterpret_cast<sockaddr*>(&a), &length);
        fPort = ntohs(a.sin_port);
    }
    ~HeldPort() { close(fFd); }
    bool Bound() const { return fBound; }
    int Port() const { return fPort; }

  private:
    int fFd;
    bool fBound = false;
    int fPort = 0;
};

TEST(TCPConnectTest, PortRangeSkipsPortsInUse) {
    ScriptedServer server(Idle());
    // Two neighbouring free ports: the lower one stays taken, the upper one is released.
    int taken = 0;
    for (int attempt = 0; attempt < 50 && taken == 0; ++attempt) {
        HeldPort probe(0);
        HeldPort neighbour(probe.Port() + 1);
        if (neighbour.Bound()) {
            taken = probe.Port();
        }
    }
    ASSERT_NE(taken, 0);
    HeldPort holder(taken);
    ASSERT_TRUE(holder.Bound());

    TIdTCPClientCustom client;
    client.BoundIP = "127.0.0.1";
    client.BoundPortMin = taken;
    client.BoundPortMax = taken;
    EXPECT_THROW(ConnectLoopback(client, server.Port()), EIdCouldNotBindSocket);
    client.BoundPortMax = taken + 1;
    ConnectLoopback(client, server.Port());
    EXPECT_EQ(BindingOf(client).Port(), taken + 1);
}

TEST(TCPConnectTest, SocketOptionsFollowTheSettings) {
    ScriptedServer server(Idle(), 2);
    {
        TIdTCPClientCustom client;
        ConnectLoopback(client, server.Port());
        EXPECT_EQ(SocketOption(client, IPPROTO_TCP, TCP_NODELAY), 0);
        EXPECT_EQ(SocketOption(client, SOL_SOCKET, SO_REUSEADDR), 0);
        EXPECT_TRUE(BindingOf(client).UseNagle());
        EXPECT_EQ(BindingOf(client).SocketType(), platform::SocketKind::Stream);
    }
    {
        TIdTCPClientCustom client;
        client.UseNagle = false;
        client.ReuseSocket = rsTrue;
        ConnectLoopback(client, server.Port());
        EXPECT_NE(SocketOption(client, IPPROTO_TCP, TCP_NODELAY), 0);
        EXPECT_NE(SocketOption(client, SOL_SOCKET, SO_REUSEADDR), 0);
        EXPECT_FALSE(BindingOf(client).UseNagle());
    }
}

TEST(TCPConnectTest, ConnectsOverIPv6) {
    ScriptedServer server(
        [](ServerConnection& c) {
            c.Send("v6\n");
            c.ReadToEnd();
        },
        1, true);
    TIdTCPClientCustom client;
    client.Host = "::1";
    client.Port = server.Port();
    client.IPVersion = TIdIPVersion::Id_IPv6;
    client.Connect();
    EXPECT_EQ(BindingOf(client).PeerIP(), "::1");
    EXPECT_EQ(BindingOf(client).IPVersion(), TIdIPVersion::Id_IPv6);
    EXPECT_EQ(client.IOHandler()->ReadLine(), "v6");
}

TEST(TCPConnectTest, ChangingTheIPVersionOfAnOpenSocketIsRefused) {
    ScriptedServer server(Idle());
    TIdTCPClientCustom client;
    ConnectLoopback(client, server.Port());
    try {
        BindingOf(client).SetIPVersion(TIdIPVersion::Id_IPv6);
        FAIL() << "no exception";
    } catch (const EIdCannotSetIPVersionWhenConnected& e) {
        EXPECT_STREQ(e.what(), "Cannot change IPVersion when connected");
    }
}

// A listener whose accept queue is full leaves further connects unanswered, which is what a
// silent server looks like to the client.
TEST(TCPConnectTest, ConnectTimeoutEndsAnUnansweredConnect) {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(listen(listener, 0), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        connect(fd, reinterpret_cast<sockaddr*>(&address), length);
        fillers.push_back(fd);
    }
    std::this_thread::sleep_for(50ms);

    TIdTCPClientCustom client;
    client.Host = "127.0.0.1";
    client.Port = ntohs(address.sin_port);
    client.ConnectTimeout = 300;
    const auto start = std::chrono::steady_clock::now();
    try {
        client.Connect();
        FAIL() << "connected to a listener with a full queue";
    } catch (const EIdConnectTimeout& e) {
        EXPECT_STREQ(e.what(), "Connect timed out.");
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, 290ms);
    EXPECT_LT(elapsed, 3000ms);
    EXPECT_EQ(client.IOHandler(), nullptr);
    for (int fd : fillers) {
        close(fd);
    }
    close(listener);
}

TEST(TCPConnectTest, AttachedHandlerIsKeptAfterAFailedConnect) {
    TIdIOHandlerStack handler;
    TIdTCPClientCustom client;
    client.SetIOHandler(&handler);
    client.Host = "127.0.0.1";
    client.Port = UnusedLoopbackPort();
    EXPECT_THROW(client.Connect(), EIdSocketError);
    EXPECT_EQ(client.IOHandler(), &handler);
    EXPECT_FALSE(handler.Opened());
}

}  // namespace tarnwick::http::test
