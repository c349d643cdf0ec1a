#include "http/transport/TIdTCPConnection.h"

#include "http/core/EIdException.h"

namespace tarnwick::http {

TIdTCPConnection::TIdTCPConnection() = default;

TIdTCPConnection::~TIdTCPConnection() {
    if (ioHandler_ != nullptr) {
        ioHandler_->Close();
    }
    ReleaseIOHandler();
}

void TIdTCPConnection::SetIOHandler(TIdIOHandler* handler) {
    if (handler == ioHandler_) {
        return;
    }
    ReleaseIOHandler();
    ioHandler_ = handler;
}

void TIdTCPConnection::AdoptIOHandler(std::unique_ptr<TIdIOHandler> handler) {
    ReleaseIOHandler();
    ownedHandler_ = std::move(handler);
    ioHandler_ = ownedHandler_.get();
}

void TIdTCPConnection::ReleaseIOHandler() {
    ioHandler_ = nullptr;
    ownedHandler_.reset();
}

void TIdTCPConnection::DoStatus(TIdStatus status, const std::string& text) const {
    if (OnStatus) {
        OnStatus(status, text);
    }
}

bool TIdTCPConnection::IsConnected() {
    return ioHandler_ != nullptr && ioHandler_->Connected();
}

void TIdTCPConnection::Disconnect() {
    if (ioHandler_ == nullptr || !ioHandler_->Opened()) {
        return;
    }
    DoStatus(hsDisconnecting, "");
    ioHandler_->Close();
    DoOnDisconnected();
    DoStatus(hsDisconnected, "");
}

void TIdTCPConnection::CheckForGracefulDisconnect(bool raise) {
    if (ioHandler_ != nullptr) {
        ioHandler_->CheckDisconnected(raise, false);
    } else if (raise) {
        throw EIdNotConnected();
    }
}

}  // namespace tarnwick::http
