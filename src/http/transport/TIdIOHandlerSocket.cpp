#include "http/transport/TIdIOHandlerSocket.h"

#include "http/core/EIdException.h"

namespace tarnwick::http {

namespace {

constexpr int kNoWait = 0;

}  // namespace

TIdIOHandlerSocket::TIdIOHandlerSocket() = default;

TIdIOHandlerSocket::~TIdIOHandlerSocket() {
    if (binding_) {
        binding_->CloseSocket();
    }
}

void TIdIOHandlerSocket::Open() {
    TIdIOHandler::Open();
    if (binding_) {
        binding_->Reset();
    } else {
        binding_ = std::make_unique<TIdSocketHandle>();
    }
    if (!Host.empty() && Port > 0) {
        ConnectClient();
    }
}

bool TIdIOHandlerSocket::Connected() {
    if (SourceAvailable() && Opened()) {
        try {
            ReceiveSome(false, kNoWait, false);
        } catch (const EIdSocketError&) {
            // A reset or failed socket is no connection any more.
            CloseSource();
        }
    }
    return TIdIOHandler::Connected();
}

bool TIdIOHandlerSocket::SourceAvailable() const {
    return binding_ != nullptr && binding_->HandleAllocated();
}

void TIdIOHandlerSocket::CloseSource() {
    if (binding_) {
        binding_->CloseSocket();
    }
}

bool TIdIOHandlerSocket::SourceReadable(int timeoutMs) {
    if (!binding_) {
        throw EIdNotConnected();
    }
    return binding_->Readable(timeoutMs);
}

std::size_t TIdIOHandlerSocket::ReceiveFromSource(std::uint8_t* data, std::size_t capacity) {
    if (!binding_) {
        throw EIdNotConnected();
    }
    return binding_->Receive(data, capacity);
}

std::size_t TIdIOHandlerSocket::SendToTarget(const std::uint8_t* data, std::size_t count) {
    if (!binding_) {
        throw EIdNotConnected();
    }
    return binding_->Send(data, count);
}

}  // namespace tarnwick::http
