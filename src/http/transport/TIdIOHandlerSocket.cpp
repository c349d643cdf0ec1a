#include "http/transport/TIdIOHandlerSocket.h"

#include "http/core/EIdException.h"

namespace tarnwick::http {

namespace {

constexpr int kNoWait = 0;

}  // namespace

TIdIOHandlerSocket::TIdIOHandlerSocket() = default;

TIdIOHandlerSocket::~TIdIOHandlerSocket() {
    if (fBinding) {
        fBinding->CloseSocket();
    }
}

void TIdIOHandlerSocket::Open() {
    TIdIOHandler::Open();
    if (fBinding) {
        fBinding->Reset();
    } else {
        fBinding = std::make_unique<TIdSocketHandle>();
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
    return fBinding != nullptr && fBinding->HandleAllocated();
}

void TIdIOHandlerSocket::CloseSource() {
    if (fBinding) {
        fBinding->CloseSocket();
    }
}

bool TIdIOHandlerSocket::SourceReadable(int timeoutMs) {
    if (!fBinding) {
        throw EIdNotConnected();
    }
    return fBinding->Readable(timeoutMs);
}

std::size_t TIdIOHandlerSocket::ReceiveFromSource(std::uint8_t* data, std::size_t capacity) {
    if (!fBinding) {
        throw EIdNotConnected();
    }
    return fBinding->Receive(data, capacity);
}

std::size_t TIdIOHandlerSocket::SendToTarget(const std::uint8_t* data, std::size_t count) {
    if (!fBinding) {
        throw EIdNotConnected();
    }
    return fBinding->Send(data, count);
}

}  // namespace tarnwick::http
