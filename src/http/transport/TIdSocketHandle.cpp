#include "http/transport/TIdSocketHandle.h"

#include "http/core/EIdException.h"

namespace tarnwick::http {

void TIdSocketHandle::SetIPVersion(TIdIPVersion version) {
    if (version != ipVersion_ && HandleAllocated()) {
        throw EIdCannotSetIPVersionWhenConnected();
    }
    if (version != TIdIPVersion::Id_IPv4 && version != TIdIPVersion::Id_IPv6) {
        throw EIdIPVersionUnsupported();
    }
    ipVersion_ = version;
}

void TIdSocketHandle::AllocateSocket() {
    CloseSocket();
    TIdStack& stack = TIdStack::Instance();
    const platform::SocketHandle handle = stack.NewStreamSocket(ipVersion_);
    {
        std::lock_guard guard(lock_);
        handle_ = handle;
        allocated_ = true;
    }
    socketType_ = stack.SocketKindOf(handle);
    if (socketType_ == platform::SocketKind::Stream) {
        useNagle_ = !stack.NoDelay(handle);
    }
}

void TIdSocketHandle::Bind() {
    TIdStack& stack = TIdStack::Instance();
    const platform::SocketHandle handle = LiveHandle();
    stack.SetReuseAddress(handle, reuseSocket_ == rsTrue);
    stack.Bind(handle, ipVersion_, ip_, port_);
    UpdateBindingLocal();
}

void TIdSocketHandle::ApplyUseNagle(bool useNagle) {
    if (useNagle != useNagle_) {
        TIdStack::Instance().SetNoDelay(LiveHandle(), !useNagle);
        useNagle_ = useNagle;
    }
}

void TIdSocketHandle::SetBoundAddress(const std::string& ip, int port) {
    ip_ = ip;
    port_ = port;
}

void TIdSocketHandle::SetPeer(const std::string& ip, int port, TIdIPVersion version) {
    peerIP_ = ip;
    peerPort_ = port;
    ipVersion_ = version;
}

bool TIdSocketHandle::Connect(int timeoutMs) {
    return TIdStack::Instance().Connect(LiveHandle(), ipVersion_, peerIP_, peerPort_, timeoutMs);
}

void TIdSocketHandle::UpdateBindingLocal() {
    const platform::SocketEndpoint local = TIdStack::Instance().LocalEndpoint(LiveHandle());
    ip_ = local.IP;
    port_ = local.Port;
}

void TIdSocketHandle::UpdateBindingPeer() {
    const platform::SocketEndpoint peer = TIdStack::Instance().PeerEndpoint(LiveHandle());
    peerIP_ = peer.IP;
    peerPort_ = peer.Port;
}

void TIdSocketHandle::CloseSocket() {
    platform::SocketHandle handle = platform::kInvalidSocketHandle;
    {
        std::lock_guard guard(lock_);
        if (!allocated_) {
            return;
        }
        allocated_ = false;
        handle = handle_;
        handle_ = platform::kInvalidSocketHandle;
        TIdStack::Instance().ShutdownAndClose(handle);
    }
}

void TIdSocketHandle::Reset() {
    CloseSocket();
    socketType_ = platform::SocketKind::Other;
    ip_.clear();
    port_ = 0;
    peerIP_.clear();
    peerPort_ = 0;
    ipVersion_ = TIdIPVersion::Id_IPv4;
}

platform::SocketHandle TIdSocketHandle::Handle() const {
    std::lock_guard guard(lock_);
    return handle_;
}

platform::SocketHandle TIdSocketHandle::LiveHandle() const {
    std::lock_guard guard(lock_);
    if (!allocated_) {
        throw EIdNotConnected();
    }
    return handle_;
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
