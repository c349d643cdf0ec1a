// One socket and what is known about it: handle, kind, local and peer endpoints, IP version
// and options. Invariant: HandleAllocated() is true exactly while Handle() is an open socket;
// closing is serialised against readers of the handle by the handle's lock.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "http/transport/TIdStack.h"
#include "http/transport/TIdTransportTypes.h"

namespace tarnwick::http {

class TIdSocketHandle {
  public:
    TIdSocketHandle() = default;
    ~TIdSocketHandle() { CloseSocket(); }
    TIdSocketHandle(const TIdSocketHandle&) = delete;  // owns the platform handle
    TIdSocketHandle& operator=(const TIdSocketHandle&) = delete;

    // Raises EIdCannotSetIPVersionWhenConnected when a socket of another version is open.
    void SetIPVersion(TIdIPVersion version);
    // Opens a stream socket of IPVersion(), reads back its kind and, for a stream socket,
    // its no-delay option (UseNagle() becomes its negation).
    void AllocateSocket();
    // Sets the reuse-address option exactly when ReuseSocket() is rsTrue, binds to IP() and
    // Port() (wildcard and 0 when unset) and reads the local endpoint back.
    void Bind();
    // Sets the no-delay option when the wanted value differs from the socket's.
    void ApplyUseNagle(bool useNagle);
    void SetPeer(const std::string& ip, int port, TIdIPVersion version);
    // Connects to the peer; returns false when timeoutMs > 0 ran out first.
    bool Connect(int timeoutMs);
    void UpdateBindingLocal();
    void UpdateBindingPeer();
    // Marks the handle unallocated, shuts down the sending direction and closes the socket.
    void CloseSocket();
    // Closes the socket and forgets every endpoint.
    void Reset();

    bool Readable(int timeoutMs);
    std::size_t Receive(std::uint8_t* data, std::size_t capacity);
    std::size_t Send(const std::uint8_t* data, std::size_t count);

    bool HandleAllocated() const { return fAllocated.load(); }
    platform::SocketHandle Handle() const;
    platform::SocketKind SocketType() const { return fSocketType; }
    const std::string& IP() const { return fIp; }
    int Port() const { return fPort; }
    void SetBoundAddress(const std::string& ip, int port);
    const std::string& PeerIP() const { return fPeerIP; }
    int PeerPort() const { return fPeerPort; }
    TIdIPVersion IPVersion() const { return fIpVersion; }
    TIdReuseSocket ReuseSocket() const { return fReuseSocket; }
    void SetReuseSocket(TIdReuseSocket reuse) { fReuseSocket = reuse; }
    bool UseNagle() const { return fUseNagle; }

  private:
    // The handle for a call, or raise EIdNotConnected when the socket is gone.
    platform::SocketHandle LiveHandle() const;

    TIdStackUsage fUsage;
    mutable std::mutex fLock;
    platform::SocketHandle fHandle = platform::kInvalidSocketHandle;
    std::atomic<bool> fAllocated{false};
    platform::SocketKind fSocketType = platform::SocketKind::Other;
    std::string fIp;
    int fPort = 0;
    std::string fPeerIP;
    int fPeerPort = 0;
    TIdIPVersion fIpVersion = TIdIPVersion::Id_IPv4;
    TIdReuseSocket fReuseSocket = rsOSDependent;
    bool fUseNagle = true;
};

}  // namespace tarnwick::http
