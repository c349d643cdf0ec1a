// An I/O handler whose byte source is a fixed byte string instead of a socket: each receive
// hands out at most PieceSize bytes, and after the last byte the source reports a graceful
// close. Writes are collected. It lets readers be driven without sockets (fuzzing, tests of
// every way a stream can be cut into receives). Invariant: handed out + left = input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

#include "http/core/TIdBytes.h"
#include "http/transport/TIdIOHandler.h"

namespace tarnwick::http {

class TIdIOHandlerMemory : public TIdIOHandler {
  public:
    explicit TIdIOHandlerMemory(TIdBytes input,
                                std::size_t pieceSize = std::numeric_limits<std::size_t>::max());
    ~TIdIOHandlerMemory() override = default;

    // Makes the source available again from where it stopped (Open clears the buffers).
    void Open() override;
    const TIdBytes& Written() const { return fWritten; }
    std::size_t Remaining() const { return fInput.size() - fOffset; }

  protected:
    bool SourceAvailable() const override { return fAvailable; }
    void CloseSource() override { fAvailable = false; }
    // Bytes or the end of the input are always ready at once.
    bool SourceReadable(int) override { return fAvailable; }
    std::size_t ReceiveFromSource(std::uint8_t* data, std::size_t capacity) override;
    std::size_t SendToTarget(const std::uint8_t* data, std::size_t count) override;

  private:
    TIdBytes fInput;
    std::size_t fPieceSize;
    std::size_t fOffset = 0;
    bool fAvailable = false;
    TIdBytes fWritten;
};

}  // namespace tarnwick::http
