// The POSIX implementation of the socket interface: BSD sockets, poll and getaddrinfo, with
// every errno and resolver failure translated onto its Winsock number. Stateless.
#pragma once

#include "platform/SocketApi.h"

namespace tarnwick::platform {

class PosixSocketApi final : public SocketApi {
  public:
    int Startup(int versionMajor, int versionMinor, std::string& failure) override;
    void Cleanup() override;
    int CreateStream(SocketFamily family, SocketHandle& handle) override;
    int GetKind(SocketHandle handle, SocketKind& kind) override;
    int GetNoDelay(SocketHandle handle, bool& noDelay) override;
    int SetNoDelay(SocketHandle handle, bool noDelay) override;
    int SetReuseAddress(SocketHandle handle, bool reuse) override;
    int Bind(SocketHandle handle, SocketFamily family, const SocketEndpoint& local) override;
    int Connect(SocketHandle handle, SocketFamily family, const SocketEndpoint& peer, int timeoutMs,
                bool& timedOut) override;
    int LocalEndpoint(SocketHandle handle, SocketEndpoint& local) override;
    int PeerEndpoint(SocketHandle handle, SocketEndpoint& peer) override;
    int WaitReadable(SocketHandle handle, int timeoutMs, bool& readable) override;
    int Receive(SocketHandle handle, std::uint8_t* data, std::size_t capacity,
                std::size_t& received) override;
    int Send(SocketHandle handle, const std::uint8_t* data, std::size_t count,
             std::size_t& sent) override;
    int ShutdownSend(SocketHandle handle) override;
    int Close(SocketHandle handle) override;
    int Resolve(const std::string& host, SocketFamily family, std::string& address) override;
    bool IsAddress(const std::string& text, SocketFamily family) override;
};

}  // namespace tarnwick::platform
