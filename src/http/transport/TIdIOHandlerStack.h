// The socket I/O handler that connects through the process-wide socket layer: binding,
// name resolution, and a plain or time-limited connect. After a failed connect the socket
// is closed; the handler itself can be opened again.
#pragma once

#include "http/transport/TIdIOHandlerSocket.h"

namespace tarnwick::http {

class TIdIOHandlerStack : public TIdIOHandlerSocket {
  protected:
    void ConnectClient() override;

  private:
    // Binds to BoundIP and BoundPort, or to the first free port of BoundPortMin..BoundPortMax
    // when no port is given; raises EIdCouldNotBindSocket when nothing can be bound.
    void BindWithinPortRange(TIdSocketHandle& binding);
};

}  // namespace tarnwick::http
