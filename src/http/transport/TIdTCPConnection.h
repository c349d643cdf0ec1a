// A TCP connection: the I/O handler it reads and writes through (owned when the connection
// created it) and the disconnect procedure. Invariant: an owned handler is the attached one.
#pragma once

#include <memory>

#include "http/transport/TIdIOHandler.h"
#include "http/transport/TIdTransportTypes.h"

namespace tarnwick::http {

class TIdTCPConnection {
  public:
    TIdTCPConnection();
    TIdTCPConnection(const TIdTCPConnection&) = delete;  // owns its handler and socket
    TIdTCPConnection& operator=(const TIdTCPConnection&) = delete;
    // Closes the handler and destroys it if this connection created it.
    virtual ~TIdTCPConnection();

    TIdIOHandler* IOHandler() const { return fIoHandler; }
    // Attaches a handler the caller keeps owning (nullptr detaches); an owned one is freed.
    void SetIOHandler(TIdIOHandler* handler);

    // True while a handler exists and reports itself connected.
    virtual bool IsConnected();
    // Closes the connection if open; the handler stays attached for the next connect.
    void Disconnect();
    // Notices a close that has already arrived; raises only when asked and nothing is
    // buffered.
    void CheckForGracefulDisconnect(bool raise);

    TIdStatusEvent OnStatus;

  protected:
    // Runs after the handler has been closed by Disconnect.
    virtual void DoOnDisconnected() {}
    // Attaches a handler this connection owns from now on.
    void AdoptIOHandler(std::unique_ptr<TIdIOHandler> handler);
    // Frees the handler if owned and detaches it.
    void ReleaseIOHandler();
    bool OwnsIOHandler() const { return fOwnedHandler != nullptr; }
    void DoStatus(TIdStatus status, const std::string& text) const;

  private:
    TIdIOHandler* fIoHandler = nullptr;
    std::unique_ptr<TIdIOHandler> fOwnedHandler;
};

}  // namespace tarnwick::http
