// The process-wide socket layer: one instance shared by every connection, alive while its
// usage count is above zero. The count and the creation are guarded by one process-wide lock;
// every call turns a platform failure into EIdSocketError with the Winsock-numbered code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "http/transport/TIdTransportTypes.h"
#include "platform/SocketApi.h"

namespace tarnwick::http {

class TIdStack {
  public:
    static constexpr int kRequestedVersionMajor = 2;
    static constexpr int kRequestedVersionMinor = 2;

    TIdStack(const TIdStack&) = delete;
    TIdStack& operator=(const TIdStack&) = delete;

    // The first increment creates the layer (starting the socket library once per process),
    // the last decrement destroys it. A failed start raises EIdStackInitializationFailed.
    static void IncUsage();
    static void DecUsage();
    static int UsageCount();
    // The live layer; only valid while the usage count is above zero.
    static TIdStack& Instance();
    // Replaces the platform interface the layer calls, also for the live layer (nullptr:
    // the system's again). For tests that watch or script the platform; the caller keeps the
    // interface alive while it is set.
    static void SetPlatform(platform::SocketApi* api);

    platform::SocketHandle NewStreamSocket(TIdIPVersion version);
    platform::SocketKind SocketKindOf(platform::SocketHandle handle);
    bool NoDelay(platform::SocketHandle handle);
    void SetNoDelay(platform::SocketHandle handle, bool noDelay);
    void SetReuseAddress(platform::SocketHandle handle, bool reuse);
    void Bind(platform::SocketHandle handle, TIdIPVersion version, const std::string& ip, int port);
    // Returns false when timeoutMs > 0 ran out before the connect completed.
    bool Connect(platform::SocketHandle handle, TIdIPVersion version, const std::string& ip,
                 int port, int timeoutMs);
    platform::SocketEndpoint LocalEndpoint(platform::SocketHandle handle);
    platform::SocketEndpoint PeerEndpoint(platform::SocketHandle handle);
    bool Readable(platform::SocketHandle handle, int timeoutMs);
    std::size_t Receive(platform::SocketHandle handle, std::uint8_t* data, std::size_t capacity);
    std::size_t Send(platform::SocketHandle handle, const std::uint8_t* data, std::size_t count);
    // Closing never raises: shutting down a socket that never connected is no failure.
    void ShutdownAndClose(platform::SocketHandle handle);

    // The address to connect to for a host text: "LOCALHOST" (any case) is 127.0.0.1, an
    // address literal is used as it is, anything else goes to the resolver.
    std::string ResolveHost(const std::string& host, TIdIPVersion version);
    // Four dot-separated parts, each trimmed a decimal number from 0 to 255.
    static bool IsIPv4(const std::string& text);
    bool IsIPv6(const std::string& text);

  private:
    explicit TIdStack(platform::SocketApi& api) : fApi(&api) {}
    static platform::SocketFamily FamilyOf(TIdIPVersion version);
    void Check(int code);

    platform::SocketApi* fApi;
};

// Holds one usage of the socket layer for the lifetime of its owner.
class TIdStackUsage {
  public:
    TIdStackUsage() { TIdStack::IncUsage(); }
    ~TIdStackUsage() { TIdStack::DecUsage(); }
    TIdStackUsage(const TIdStackUsage&) = delete;
    TIdStackUsage& operator=(const TIdStackUsage&) = delete;
};

}  // namespace tarnwick::http
