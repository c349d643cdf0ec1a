// The operating system's TCP socket calls behind one small interface, so the HTTP transport
// builds and is tested without knowing the platform. Every call returns 0 on success or a
// Winsock-numbered error code (10061 for a refused connection, 11001 for an unknown host...);
// implementations translate their native errors onto those numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Interface.h"

namespace tarnwick::platform {

using SocketHandle = std::intptr_t;
inline constexpr SocketHandle kInvalidSocketHandle = -1;

enum class SocketFamily { IPv4, IPv6 };
enum class SocketKind { Stream, Datagram, Other };

// An address in its text form ("127.0.0.1", "::1") and a port in host byte order.
struct SocketEndpoint {
    std::string IP;
    std::uint16_t Port = 0;
};

// One implementation exists per platform; it is stateless apart from the library start-up
// and safe to call from any thread. Handles are owned by the caller, who must Close them.
class SocketApi : public Interface {
  public:
    // Starts the socket library with the requested version; on failure `failure` names why.
    virtual int Startup(int versionMajor, int versionMinor, std::string& failure) = 0;
    virtual void Cleanup() = 0;

    // A stream socket of the family with the default protocol.
    virtual int CreateStream(SocketFamily family, SocketHandle& handle) = 0;
    virtual int GetKind(SocketHandle handle, SocketKind& kind) = 0;
    virtual int GetNoDelay(SocketHandle handle, bool& noDelay) = 0;
    virtual int SetNoDelay(SocketHandle handle, bool noDelay) = 0;
    virtual int SetReuseAddress(SocketHandle handle, bool reuse) = 0;
    // An empty IP binds the family's wildcard address, port 0 lets the platform choose.
    virtual int Bind(SocketHandle handle, SocketFamily family, const SocketEndpoint& local) = 0;
    // With timeoutMs <= 0 the call blocks until the platform completes or fails the connect;
    // otherwise `timedOut` is set and 0 returned when the time runs out first.
    virtual int Connect(SocketHandle handle, SocketFamily family, const SocketEndpoint& peer,
                        int timeoutMs, bool& timedOut) = 0;
    virtual int LocalEndpoint(SocketHandle handle, SocketEndpoint& local) = 0;
    virtual int PeerEndpoint(SocketHandle handle, SocketEndpoint& peer) = 0;
    // Waits until the socket is readable (data, end of stream or error); timeoutMs < 0 waits
    // without limit, 0 only looks.
    virtual int WaitReadable(SocketHandle handle, int timeoutMs, bool& readable) = 0;
    // `received` 0 means the peer has closed its sending direction.
    virtual int Receive(SocketHandle handle, std::uint8_t* data, std::size_t capacity,
                        std::size_t& received) = 0;
    virtual int Send(SocketHandle handle, const std::uint8_t* data, std::size_t count,
                     std::size_t& sent) = 0;
    virtual int ShutdownSend(SocketHandle handle) = 0;
    virtual int Close(SocketHandle handle) = 0;

    // The first stream address the resolver gives for the host, in text form.
    virtual int Resolve(const std::string& host, SocketFamily family, std::string& address) = 0;
    // Whether the text is an address literal of the family.
    virtual bool IsAddress(const std::string& text, SocketFamily family) = 0;
};

// The platform's implementation, alive for the whole process.
SocketApi& SystemSocketApi();

}  // namespace tarnwick::platform
