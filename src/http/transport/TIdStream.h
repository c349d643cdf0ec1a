// A seekable byte stream as the HTTP client reads bodies into it, and the in-memory stream
// it uses for them. Invariant: 0 <= Position(); writing past Size() grows the stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "http/core/TIdBytes.h"

namespace tarnwick::http {

class TIdStream {
  public:
    TIdStream() = default;
    TIdStream(const TIdStream&) = delete;
    TIdStream& operator=(const TIdStream&) = delete;
    virtual ~TIdStream() = default;

    virtual std::int64_t Position() const = 0;
    // Any non-negative position is allowed, also past the end.
    virtual void SetPosition(std::int64_t position) = 0;
    virtual std::int64_t Size() const = 0;
    // Grows with zero bytes or cuts; the position does not move.
    virtual void SetSize(std::int64_t size) = 0;
    // Writes all bytes at the position and advances it.
    virtual void Write(const std::uint8_t* data, std::size_t count) = 0;
    // Reads up to count bytes from the position; returns how many were read.
    virtual std::size_t Read(std::uint8_t* data, std::size_t count) = 0;
};

class TIdMemoryStream : public TIdStream {
  public:
    TIdMemoryStream() = default;
    explicit TIdMemoryStream(TIdBytes bytes) : fBytes(std::move(bytes)) {}

    std::int64_t Position() const override { return fPosition; }
    void SetPosition(std::int64_t position) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(fBytes.size()); }
    void SetSize(std::int64_t size) override;
    void Write(const std::uint8_t* data, std::size_t count) override;
    std::size_t Read(std::uint8_t* data, std::size_t count) override;

    // All bytes of the stream, independent of the position.
    const TIdBytes& Bytes() const { return fBytes; }

  private:
    void Grow(std::size_t size);

    TIdBytes fBytes;
    std::int64_t fPosition = 0;
};

}  // namespace tarnwick::http
