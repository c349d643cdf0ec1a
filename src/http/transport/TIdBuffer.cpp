#include "http/transport/TIdBuffer.h"

#include <algorithm>
#include <cstring>

#include "http/core/EIdException.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http {

void TIdBuffer::Reserve(std::size_t count) {
    if (count > kMaxSize - fSize) {
        throw EIdTooMuchDataInBuffer();
    }
    const std::size_t needed = fHead + fSize + count;
    if (needed > fArray.size()) {
        // The vector's own capacity grows geometrically, so repeated appends stay linear.
        fArray.resize(needed + kGrowthSlack);
    }
}

void TIdBuffer::Append(const std::uint8_t* data, std::size_t count) {
    if (count == 0) {
        return;
    }
    Reserve(count);
    std::memcpy(fArray.data() + fHead + fSize, data, count);
    fSize += count;
}

std::uint8_t* TIdBuffer::PrepareAppend(std::size_t count) {
    Reserve(count);
    fPrepared = count;
    return fArray.data() + fHead + fSize;
}

void TIdBuffer::CommitAppend(std::size_t count) {
    fSize += std::min(count, fPrepared);
    fPrepared = 0;
}

void TIdBuffer::Clear() {
    fHead = 0;
    fSize = 0;
    fPrepared = 0;
    fArray.clear();
}

std::ptrdiff_t TIdBuffer::IndexOf(std::span<const std::uint8_t> needle,
                                  std::size_t startOffset) const {
    if (needle.empty() || startOffset >= fSize || needle.size() > fSize - startOffset) {
        return -1;
    }
    if (needle.size() == 1) {
        return IndexOf(needle[0], startOffset);
    }
    const auto live = Bytes();
    const auto found = std::search(live.begin() + static_cast<std::ptrdiff_t>(startOffset),
                                   live.end(), needle.begin(), needle.end());
    return found == live.end() ? -1 : found - live.begin();
}

std::ptrdiff_t TIdBuffer::IndexOf(std::uint8_t byte, std::size_t startOffset) const {
    if (startOffset >= fSize) {
        return -1;
    }
    const std::uint8_t* start = fArray.data() + fHead;
    const void* hit = std::memchr(start + startOffset, byte, fSize - startOffset);
    return hit == nullptr ? -1 : static_cast<const std::uint8_t*>(hit) - start;
}

void TIdBuffer::RequireAtLeast(std::size_t count) const {
    if (count > fSize) {
        throw EIdNotEnoughDataInBuffer(static_cast<std::int64_t>(count),
                                       static_cast<std::int64_t>(fSize));
    }
}

TIdBytes TIdBuffer::Extract(std::size_t count) {
    TIdBytes bytes;
    ExtractAppendTo(bytes, count);
    return bytes;
}

void TIdBuffer::ExtractAppendTo(TIdBytes& destination, std::size_t count) {
    RequireAtLeast(count);
    const std::uint8_t* start = fArray.data() + fHead;
    destination.insert(destination.end(), start, start + count);
    Remove(count);
}

void TIdBuffer::ExtractToStream(TIdStream& stream, std::size_t count) {
    RequireAtLeast(count);
    stream.Write(fArray.data() + fHead, count);
    Remove(count);
}

void TIdBuffer::Remove(std::size_t count) {
    RequireAtLeast(count);
    fHead += count;
    fSize -= count;
    fPrepared = 0;
    if (fSize == 0) {
        fHead = 0;
    } else if (fHead > kCompactThreshold) {
        std::memmove(fArray.data(), fArray.data() + fHead, fSize);
        fHead = 0;
        fArray.resize(fSize + kGrowthSlack);
    }
}

}  // namespace tarnwick::http
