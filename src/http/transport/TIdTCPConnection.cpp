#include "http/transport/TIdTCPConnection.h"

#include "http/core/EIdException.h"

namespace tarnwick::http {

TIdTCPConnection::TIdTCPConnection() = default;

TIdTCPConnection::~TIdTCPConnection() {
    if (fIoHandler != nullptr) {
        fIoHandler->Close();
    }
    ReleaseIOHandler();
}

void TIdTCPConnection::SetIOHandler(TIdIOHandler* handler) {
    if (handler == fIoHandler) {
        return;
    }
    ReleaseIOHandler();
    fIoHandler = handler;
}

void TIdTCPConnection::AdoptIOHandler(std::unique_ptr<TIdIOHandler> handler) {
    ReleaseIOHandler();
    fOwnedHandler = std::move(handler);
    fIoHandler = fOwnedHandler.get();
}

void TIdTCPConnection::ReleaseIOHandler() {
    fIoHandler = nullptr;
    fOwnedHandler.reset();
}

void TIdTCPConnection::DoStatus(TIdStatus status, const std::string& text) const {
    if (OnStatus) {
        OnStatus(status, text);
    }
}

bool TIdTCPConnection::IsConnected() {
    return fIoHandler != nullptr && fIoHandler->Connected();
}

void TIdTCPConnection::Disconnect() {
    if (fIoHandler == nullptr || !fIoHandler->Opened()) {
        return;
    }
    DoStatus(hsDisconnecting, "");
    fIoHandler->Close();
    DoOnDisconnected();
    DoStatus(hsDisconnected, "");
}

void TIdTCPConnection::CheckForGracefulDisconnect(bool raise) {
    if (fIoHandler != nullptr) {
        fIoHandler->CheckDisconnected(raise, false);
    } else if (raise) {
        throw EIdNotConnected();
    }
}

}  // namespace tarnwick::http
