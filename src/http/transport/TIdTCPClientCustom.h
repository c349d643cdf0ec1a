// The client side of a TCP connection: the connection settings and Connect, which creates a
// socket handler when none is attached, copies the settings into it and opens it. Invariant:
// after a failed Connect no handler created by that Connect remains attached.
#pragma once

#include <functional>
#include <string>

#include "http/transport/TIdTCPConnection.h"

namespace tarnwick::http {

class TIdTCPClientCustom : public TIdTCPConnection {
  public:
    static constexpr int kDefaultConnectTimeout = 0;
    static constexpr int kDefaultReadTimeout = -1;

    std::string Host;
    int Port = 0;
    TIdIPVersion IPVersion = TIdIPVersion::Id_IPv4;
    // Milliseconds; 0 lets the connect block until the platform completes or fails it.
    int ConnectTimeout = kDefaultConnectTimeout;
    // Milliseconds; -1 and 0 wait without limit.
    int ReadTimeout = kDefaultReadTimeout;
    std::string BoundIP;
    int BoundPort = 0;
    int BoundPortMin = 0;
    int BoundPortMax = 0;
    TIdReuseSocket ReuseSocket = rsOSDependent;
    bool UseNagle = true;
    // When set, the connect and every read end by this moment (copied into the handler).
    TIdDeadline Deadline;

    std::function<void()> OnConnected;

    // Raises EIdAlreadyConnected, EIdHostRequired, EIdPortRequired, and whatever opening the
    // handler raises (EIdSocketError, EIdCouldNotBindSocket, EIdConnectTimeout...).
    void Connect();
};

}  // namespace tarnwick::http
