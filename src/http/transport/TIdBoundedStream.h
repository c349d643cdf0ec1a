// A stream that passes everything on to another stream but refuses to grow it past a fixed
// size, so a body from the network can never take more memory than its reader allows.
// Invariant: the inner stream's size never exceeds the limit through this stream.
#pragma once

#include <cstdint>

#include "http/transport/TIdStream.h"

namespace tarnwick::http {

class TIdBoundedStream : public TIdStream {
  public:
    // `inner` must outlive this stream; `limit` >= 0 is the largest size it may reach.
    TIdBoundedStream(TIdStream& inner, std::int64_t limit) : fInner(inner), fLimit(limit) {}

    std::int64_t Position() const override { return fInner.Position(); }
    void SetPosition(std::int64_t position) override { fInner.SetPosition(position); }
    std::int64_t Size() const override { return fInner.Size(); }
    // Raises EIdHTTPBodyTooLarge for a size beyond the limit.
    void SetSize(std::int64_t size) override;
    // Raises EIdHTTPBodyTooLarge, writing nothing, when the bytes would end beyond the limit.
    void Write(const std::uint8_t* data, std::size_t count) override;
    std::size_t Read(std::uint8_t* data, std::size_t count) override {
        return fInner.Read(data, count);
    }

  private:
    TIdStream& fInner;
    std::int64_t fLimit;
};

}  // namespace tarnwick::http
