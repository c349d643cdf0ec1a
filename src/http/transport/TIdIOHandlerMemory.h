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
    const TIdBytes& Written() const { return written_; }
    std::size_t Remaining() const { return input_.size() - offset_; }

  protected:
    bool SourceAvailable() const override { return available_; }
    void CloseSource() override { available_ = false; }
    // Bytes or the end of the input are always ready at once.
    bool SourceReadable(int) override { return available_; }
    std::size_t ReceiveFromSource(std::uint8_t* data, std::size_t capacity) override;
    std::size_t SendToTarget(const std::uint8_t* data, std::size_t count) override;

  private:
    TIdBytes input_;
    std::size_t pieceSize_;
    std::size_t offset_ = 0;
    bool available_ = false;
    TIdBytes written_;
};

}  // namespace tarnwick::http
