#include "http/transport/TIdTCPClientCustom.h"

#include <memory>

#include "http/core/EIdException.h"
#include "http/transport/TIdIOHandlerStack.h"

namespace tarnwick::http {

void TIdTCPClientCustom::Connect() {
    if (IsConnected()) {
        throw EIdAlreadyConnected();
    }
    if (Host.empty()) {
        throw EIdHostRequired();
    }
    if (Port == 0) {
        throw EIdPortRequired();
    }
    const bool created = IOHandler() == nullptr;
    if (created) {
        AdoptIOHandler(std::make_unique<TIdIOHandlerStack>());
        IOHandler()->OnStatus = OnStatus;
    }
    TIdIOHandler& handler = *IOHandler();
    try {
        handler.Port = Port;
        handler.Host = Host;
        handler.ConnectTimeout = ConnectTimeout;
        handler.ReadTimeout = ReadTimeout;
        handler.Deadline = Deadline;
        if (auto* socketHandler = dynamic_cast<TIdIOHandlerSocket*>(&handler)) {
            socketHandler->BoundIP = BoundIP;
            socketHandler->BoundPort = BoundPort;
            socketHandler->BoundPortMin = BoundPortMin;
            socketHandler->BoundPortMax = BoundPortMax;
            socketHandler->IPVersion = IPVersion;
            socketHandler->ReuseSocket = ReuseSocket;
            socketHandler->UseNagle = UseNagle;
        }
        handler.Open();
        if (OnConnected) {
            OnConnected();
        }
    } catch (...) {
        handler.Close();
        if (OwnsIOHandler()) {
            ReleaseIOHandler();
        }
        throw;
    }
}

}  // namespace tarnwick::http
