// An I/O handler whose byte source is one socket (its binding), with the local binding and
// socket options the client copies in before opening. Invariant: the binding exists from
// the first Open on; closing the handler closes the socket but keeps buffered input.
#pragma once

#include <memory>
#include <string>

#include "http/transport/TIdIOHandler.h"
#include "http/transport/TIdSocketHandle.h"

namespace tarnwick::http {

class TIdIOHandlerSocket : public TIdIOHandler {
  public:
    TIdIOHandlerSocket();
    ~TIdIOHandlerSocket() override;

    std::string BoundIP;
    int BoundPort = 0;
    int BoundPortMin = 0;
    int BoundPortMax = 0;
    TIdIPVersion IPVersion = TIdIPVersion::Id_IPv4;
    TIdReuseSocket ReuseSocket = rsOSDependent;
    bool UseNagle = true;

    // Resets the binding and, when Host and Port are set, connects it.
    void Open() override;
    // Polls the socket without waiting first, so bytes and a close that have already
    // arrived are noticed, then reports whether the connection still has data to give.
    bool Connected() override;

    TIdSocketHandle* Binding() const { return fBinding.get(); }

  protected:
    // Allocates, binds and connects the binding to Host and Port.
    virtual void ConnectClient() = 0;

    bool SourceAvailable() const override;
    void CloseSource() override;
    bool SourceReadable(int timeoutMs) override;
    std::size_t ReceiveFromSource(std::uint8_t* data, std::size_t capacity) override;
    std::size_t SendToTarget(const std::uint8_t* data, std::size_t count) override;

  private:
    std::unique_ptr<TIdSocketHandle> fBinding;
};

}  // namespace tarnwick::http
