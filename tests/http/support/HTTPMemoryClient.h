// Helpers for HTTP client tests that need no sockets: a client whose connection is an
// in-memory handler holding the server's answer, and the request bytes it wrote.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "http/client/TIdHTTP.h"
#include "http/transport/TIdIOHandlerMemory.h"

namespace tarnwick::http::test {

struct MemoryHTTP {
    // `answer` is what the server sends; receives hand it out `pieceSize` bytes at a time.
    explicit MemoryHTTP(std::string_view answer, std::size_t pieceSize = 1)
        : handler(TIdBytes(answer.begin(), answer.end()), pieceSize) {
        client.SetIOHandler(&handler);
    }
    ~MemoryHTTP() { client.SetIOHandler(nullptr); }

    std::string Written() const {
        return std::string(handler.Written().begin(), handler.Written().end());
    }

    TIdIOHandlerMemory handler;
    TIdHTTP client;
};

// A short answer that ends the exchange at once.
inline constexpr std::string_view kOkAnswer = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";

}  // namespace tarnwick::http::test
