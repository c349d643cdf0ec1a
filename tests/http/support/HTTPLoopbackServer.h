// Helpers for HTTP client tests against the scripted loopback server: reading one request
// head on the server's side, and the base URL of a server.
#pragma once

#include <string>

#include "http/client/TIdHTTP.h"
#include "http/support/TransportScriptedServer.h"

namespace tarnwick::http::test {

// No client read in these tests may wait for longer: a fault must fail, not hang.
inline constexpr int kClientReadTimeoutMs = 8000;

inline std::string ReadRequestHead(ServerConnection& c) {
    return c.ReadUntil("\r\n\r\n");
}

inline std::string BaseURL(const ScriptedServer& server, const char* host = "127.0.0.1") {
    return "http://" + std::string(host) + ":" + std::to_string(server.Port());
}

// A client that gives up reading after kClientReadTimeoutMs.
struct BoundedHTTP : TIdHTTP {
    BoundedHTTP() { ReadTimeout = kClientReadTimeoutMs; }
};

}  // namespace tarnwick::http::test
