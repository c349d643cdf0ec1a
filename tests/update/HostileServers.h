// Loopback servers that answer an HTTP request the way no client should have to put up with:
// silence, stalls, a trickle, and answers that never end. Each script runs until the client
// goes away (its sends fail or it closes), so a client that never gives up fails its test.
#pragma once

#include <poll.h>
#include <sys/socket.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "http/support/TransportScriptedServer.h"

namespace tarnwick::testing {

// The HTTP tests' loopback server, which the update check's tests script.
using http::test::ScriptedServer;
using http::test::ServerConnection;
using http::test::UnusedLoopbackPort;

// Sends all bytes; false once the client has gone.
inline bool SendQuietly(ServerConnection& c, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = send(c.Fd(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Waits up to `waitMs` for the client to close; what it sends meanwhile is dropped.
inline bool ClientClosed(ServerConnection& c, int waitMs) {
    pollfd p{c.Fd(), POLLIN, 0};
    if (poll(&p, 1, waitMs) <= 0) {
        return false;
    }
    char drop[4096];
    return recv(c.Fd(), drop, sizeof drop, MSG_DONTWAIT) <= 0;
}

// Reads the request head (or whatever arrives first), then the script goes on.
inline void TakeRequest(ServerConnection& c) {
    pollfd p{c.Fd(), POLLIN, 0};
    if (poll(&p, 1, 10000) > 0) {
        char head[4096];
        (void)recv(c.Fd(), head, sizeof head, 0);
    }
}

inline void HoldUntilClosed(ServerConnection& c) {
    while (!ClientClosed(c, 100)) {
    }
}

// Sends `head` once, then `piece` again and again until the client goes away.
inline ScriptedServer::Script Endless(std::string head, std::string piece) {
    return [head, piece](ServerConnection& c) {
        TakeRequest(c);
        std::string block;
        while (block.size() < 64 * 1024) {
            block += piece;
        }
        if (SendQuietly(c, head)) {
            while (SendQuietly(c, block)) {
            }
        }
    };
}

struct HostileServer {
    const char* name;
    ScriptedServer::Script script;
};

inline std::vector<HostileServer> HostileServers() {
    return {
        {"NeverAnswers",
         [](ServerConnection& c) {
             TakeRequest(c);
             HoldUntilClosed(c);
         }},
        {"StallsAfterTheStatusLine",
         [](ServerConnection& c) {
             TakeRequest(c);
             SendQuietly(c, "HTTP/1.1 200 OK\r\n");
             HoldUntilClosed(c);
         }},
        {"TricklesAByteASecond",
         [](ServerConnection& c) {
             TakeRequest(c);
             SendQuietly(c, "HTTP/1.1 200 OK\r\n\r\n{");
             while (!ClientClosed(c, 1000) && SendQuietly(c, " ")) {
             }
         }},
        {"EndlessContinueHeads", Endless("", "HTTP/1.1 100 Continue\r\n\r\n")},
        {"EndlessHeaderLine", Endless("HTTP/1.1 200 OK\r\nX-Long: ", "a")},
        {"EndlessHeaderLines", Endless("HTTP/1.1 200 OK\r\n", "X-Many: a\r\n")},
        {"EndlessTrailers",
         Endless("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\n{\r\n0\r\n",
                 "X-Trailer: a\r\n")},
        {"HundredMegabyteBody",
         [](ServerConnection& c) {
             TakeRequest(c);
             const std::string block(64 * 1024, ' ');
             bool open = SendQuietly(c, "HTTP/1.1 200 OK\r\n\r\n{");
             for (int i = 0; open && i < 100 * 16; ++i) {
                 open = SendQuietly(c, block);
             }
             if (open) {
                 HoldUntilClosed(c);
             }
         }},
        {"EndlessOneByteChunks",
         Endless("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", "1\r\n \r\n")},
    };
}

}  // namespace tarnwick::testing
