// Small helpers for the transport tests: a client connected to a loopback port, and byte
// patterns that show where a copy went wrong.
#pragma once

#include <string>

#include "http/transport/TIdIOHandler.h"
#include "http/transport/TIdIOHandlerSocket.h"
#include "http/transport/TIdTCPClientCustom.h"

namespace tarnwick::http::test {

// Connects the client to 127.0.0.1 at the port and returns its handler.
inline TIdIOHandler& ConnectLoopback(TIdTCPClientCustom& client, int port) {
    client.Host = "127.0.0.1";
    client.Port = port;
    client.Connect();
    return *client.IOHandler();
}

// Waits until the peer's close has reached the client's socket (it reads as readable at the
// end of the stream), or the client has already closed its side on seeing it; false when the
// close did not arrive within five seconds.
inline bool WaitForPeerClose(TIdIOHandler& handler) {
    auto* socket = dynamic_cast<TIdIOHandlerSocket*>(&handler);
    if (socket == nullptr) {
        return false;
    }
    TIdSocketHandle* binding = socket->Binding();
    return binding == nullptr || !binding->HandleAllocated() || binding->Readable(5000);
}

// `count` bytes in which no short run repeats at a nearby offset.
inline std::string Pattern(std::size_t count) {
    std::string text(count, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        text[i] = static_cast<char>('A' + (i * 7 + i / 251) % 26);
    }
    return text;
}

}  // namespace tarnwick::http::test
