#include "http/transport/TIdSocketHandle.h"

#include "http/core/EIdException.h"

namespace tarnwick::http {

void TIdSocketHandle::SetIPVersion(TIdIPVersion version) {
    if (version != fIpVersion && HandleAllocated()) {
        throw EIdCannotSetIPVersionWhenConnected();
    }
    if (version != TIdIPVersion::Id_IPv4 && version != TIdIPVersion::Id_IPv6) {
        throw EIdIPVersionUnsupported();
    }
    fIpVersion = version;
}

void TIdSocketHandle::AllocateSocket() {
    CloseSocket();
    TIdStack& stack = TIdStack::Instance();
    const platform::SocketHandle handle = stack.NewStreamSocket(fIpVersion);
    {
        std::lock_guard guard(fLock);
        fHandle = handle;
        fAllocated = true;
    }
    fSocketType = stack.SocketKindOf(handle);
    if (fSocketType == platform::SocketKind::Stream) {
        fUseNagle = !stack.NoDelay(handle);
    }
}

void TIdSocketHandle::Bind() {
    TIdStack& stack = TIdStack::Instance();
    const platform::SocketHandle handle = LiveHandle();
    stack.SetReuseAddress(handle, fReuseSocket == rsTrue);
    stack.Bind(handle, fIpVersion, fIp, fPort);
    UpdateBindingLocal();
}

void TIdSocketHandle::ApplyUseNagle(bool useNagle) {
    if (useNagle != fUseNagle) {
        TIdStack::Instance().SetNoDelay(LiveHandle(), !useNagle);
        fUseNagle = useNagle;
    }
}

void TIdSocketHandle::SetBoundAddress(const std::string& ip, int port) {
    fIp = ip;
    fPort = port;
}

void TIdSocketHandle::SetPeer(const std::string& ip, int port, TIdIPVersion version) {
    fPeerIP = ip;
    fPeerPort = port;
    fIpVersion = version;
}

bool TIdSocketHandle::Connect(int timeoutMs) {
    return TIdStack::Instance().Connect(LiveHandle(), fIpVersion, fPeerIP, fPeerPort, timeoutMs);
}

void TIdSocketHandle::UpdateBindingLocal() {
    const platform::SocketEndpoint local = TIdStack::Instance().LocalEndpoint(LiveHandle());
    fIp = local.IP;
    fPort = local.Port;
}

void TIdSocketHandle::UpdateBindingPeer() {
    const platform::SocketEndpoint peer = TIdStack::Instance().PeerEndpoint(LiveHandle());
    fPeerIP = peer.IP;
    fPeerPort = peer.Port;
}

void TIdSocketHandle::CloseSocket() {
    platform::SocketHandle handle = platform::kInvalidSocketHandle;
    {
        std::lock_guard guard(fLock);
        if (!fAllocated) {
            return;
        }
        fAllocated = false;
        handle = fHandle;
        fHandle = platform::kInvalidSocketHandle;
        TIdStack::Instance().ShutdownAndClose(handle);
    }
}

void TIdSocketHandle::Reset() {
    CloseSocket();
    fSocketType = platform::SocketKind::Other;
    fIp.clear();
    fPort = 0;
    fPeerIP.clear();
    fPeerPort = 0;
    fIpVersion = TIdIPVersion::Id_IPv4;
}

platform::SocketHandle TIdSocketHandle::Handle() const {
    std::lock_guard guard(fLock);
    return fHandle;
}

platform::SocketHandle TIdSocketHandle::LiveHandle() const {
    std::lock_guard guard(fLock);
    if (!fAllocated) {
        throw EIdNotConnected();
    }
    return fHandle;
}

bool TIdSocketHandle::Readable(int timeoutMs) {
    return TIdStack::Instance().Readable(LiveHandle(), timeoutMs);
}

std::size_t TIdSocketHandle::Receive(std::uint8_t* data, std::size_t capacity) {
    return TIdStack::Instance().Receive(LiveHandle(), data, capacity);
}

std::size_t TIdSocketHandle::Send(const std::uint8_t* data, std::size_t count) {
    return TIdStack::Instance().Send(LiveHandle(), data, count);
}

}  // namespace tarnwick::http
