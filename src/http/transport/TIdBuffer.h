// The byte buffer behind reads and buffered writes: live bytes sit at [head, head + size) of
// one array. Removing from the front only moves the head; once the head passes the
// compaction threshold the live bytes move back to the start. Size never exceeds kMaxSize.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "http/core/TIdBytes.h"
#include "http/transport/TIdStack.h"

namespace tarnwick::http {

class TIdStream;

class TIdBuffer {
  public:
    // Slack added whenever the array grows, and the array size over the live bytes after a
    // compaction.
    static constexpr std::size_t kGrowthSlack = 2048;
    // The head index past which the live bytes are moved back to the array start.
    static constexpr std::size_t kCompactThreshold = 2048;
    static constexpr std::size_t kMaxSize = 2147483647;

    TIdBuffer() = default;
    TIdBuffer(const TIdBuffer&) = delete;  // owns a usage of the socket layer
    TIdBuffer& operator=(const TIdBuffer&) = delete;

    std::size_t Size() const { return fSize; }
    bool Empty() const { return fSize == 0; }
    // The live bytes; valid until the next change of the buffer.
    std::span<const std::uint8_t> Bytes() const { return {fArray.data() + fHead, fSize}; }
    std::uint8_t At(std::size_t offset) const { return fArray[fHead + offset]; }

    void Append(const std::uint8_t* data, std::size_t count);
    void Append(std::span<const std::uint8_t> bytes) { Append(bytes.data(), bytes.size()); }
    // Room for up to `count` bytes after the live ones, to be filled in place and then
    // committed with the number actually written.
    std::uint8_t* PrepareAppend(std::size_t count);
    void CommitAppend(std::size_t count);

    void Clear();
    // Offset (relative to the head) of the first occurrence of `needle` at or after
    // `startOffset`, or -1.
    std::ptrdiff_t IndexOf(std::span<const std::uint8_t> needle, std::size_t startOffset = 0) const;
    std::ptrdiff_t IndexOf(std::uint8_t byte, std::size_t startOffset = 0) const;

    // These raise EIdNotEnoughDataInBuffer when fewer than `count` bytes are held.
    TIdBytes Extract(std::size_t count);
    void ExtractAppendTo(TIdBytes& destination, std::size_t count);
    void ExtractToStream(TIdStream& stream, std::size_t count);
    void Remove(std::size_t count);

  private:
    void Reserve(std::size_t count);
    void RequireAtLeast(std::size_t count) const;

    TIdStackUsage fUsage;
    TIdBytes fArray;
    std::size_t fHead = 0;
    std::size_t fSize = 0;
    std::size_t fPrepared = 0;
};

}  // namespace tarnwick::http
