#include "http/support/TransportScriptedServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

namespace tarnwick::http::test {

namespace {

// No script may wait for longer than this: a client fault must fail the test, not hang it.
constexpr int kScriptWaitLimitMs = 10000;

bool Readable(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    int r = 0;
    do {
        r = poll(&p, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    return r > 0;
}

}  // namespace

ServerConnection::~ServerConnection() {
    Close();
}

void ServerConnection::Send(std::string_view bytes) {
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const ssize_t n = send(fFd, bytes.data() + offset, bytes.size() - offset, MSG_NOSIGNAL);
        if (n <= 0) {
            ADD_FAILURE() << "server send failed: " << std::strerror(errno);
            return;
        }
        offset += static_cast<std::size_t>(n);
    }
}

std::string ServerConnection::ReadUntil(std::string_view marker) {
    std::string got;
    char c = 0;
    while (got.size() < marker.size() ||
           got.compare(got.size() - marker.size(), marker.size(), marker) != 0) {
        if (!Readable(fFd, kScriptWaitLimitMs) || recv(fFd, &c, 1, 0) != 1) {
            ADD_FAILURE() << "server did not receive the expected bytes; got: " << got;
            return got;
        }
        got.push_back(c);
    }
    return got;
}

std::string ServerConnection::ReadExactly(std::size_t count) {
    std::string got(count, '\0');
    std::size_t offset = 0;
    while (offset < count) {
        if (!Readable(fFd, kScriptWaitLimitMs)) {
            ADD_FAILURE() << "server timed out reading";
            break;
        }
        const ssize_t n = recv(fFd, got.data() + offset, count - offset, 0);
        if (n <= 0) {
            ADD_FAILURE() << "client closed early";
            break;
        }
        offset += static_cast<std::size_t>(n);
    }
    got.resize(offset);
    return got;
}

std::string ServerConnection::ReadToEnd() {
    std::string got;
    char chunk[4096];
    for (;;) {
        if (!Readable(fFd, kScriptWaitLimitMs)) {
            ADD_FAILURE() << "client never closed";
            return got;
        }
        const ssize_t n = recv(fFd, chunk, sizeof chunk, 0);
        if (n <= 0) {
            return got;
        }
        got.append(chunk, static_cast<std::size_t>(n));
    }
}

bool ServerConnection::WaitReadable(int timeoutMs) {
    return Readable(fFd, timeoutMs);
}

void ServerConnection::ShutdownWrite() {
    shutdown(fFd, SHUT_WR);
}

void ServerConnection::Close() {
    if (fFd >= 0) {
        close(fFd);
        fFd = -1;
    }
}

ScriptedServer::ScriptedServer(Script script, int connections, bool ipv6)
    : fScript(std::move(script)) {
    fListenFd = socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM, 0);
    sockaddr_storage storage{};
    socklen_t length = 0;
    if (ipv6) {
        auto* a = reinterpret_cast<sockaddr_in6*>(&storage);
        a->sin6_family = AF_INET6;
        a->sin6_addr = in6addr_loopback;
        length = sizeof *a;
    } else {
        auto* a = reinterpret_cast<sockaddr_in*>(&storage);
        a->sin_family = AF_INET;
        a->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        length = sizeof *a;
    }
    if (bind(fListenFd, reinterpret_cast<sockaddr*>(&storage), length) != 0 ||
        listen(fListenFd, 16) != 0) {
        ADD_FAILURE() << "cannot listen: " << std::strerror(errno);
        return;
    }
    getsockname(fListenFd, reinterpret_cast<sockaddr*>(&storage), &length);
    fPort = ntohs(ipv6 ? reinterpret_cast<sockaddr_in6*>(&storage)->sin6_port
                       : reinterpret_cast<sockaddr_in*>(&storage)->sin_port);
    fThread = std::thread([this, connections] { Run(connections); });
}

ScriptedServer::~ScriptedServer() {
    Join();
    if (fListenFd >= 0) {
        close(fListenFd);
    }
}

void ScriptedServer::Join() {
    if (fThread.joinable()) {
        fThread.join();
    }
}

void ScriptedServer::Run(int connections) {
    for (int i = 0; i < connections; ++i) {
        if (!Readable(fListenFd, kScriptWaitLimitMs)) {
            ADD_FAILURE() << "client never connected (connection " << i << ")";
            return;
        }
        const int fd = accept(fListenFd, nullptr, nullptr);
        if (fd < 0) {
            ADD_FAILURE() << "accept failed: " << std::strerror(errno);
            return;
        }
        ++fAccepted;
        ServerConnection connection(fd);
        fScript(connection);
    }
}

int UnusedLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    bind(fd, reinterpret_cast<sockaddr*>(&a), length);
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    close(fd);
    return ntohs(a.sin_port);
}

}  // namespace tarnwick::http::test
