#include "http/transport/TIdBuffer.h"

#include <algorithm>
#include <cstring>

#include "http/core/EIdException.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http {

void TIdBuffer::Reserve(std::size_t count) {
    if (count > kMaxSize - size_) {
        throw EIdTooMuchDataInBuffer();
    }
    const std::size_t needed = head_ + size_ + count;
    if (needed > array_.size()) {
        // The vector's own capacity grows geometrically, so repeated appends stay linear.
        array_.resize(needed + kGrowthSlack);
    }
}

void TIdBuffer::Append(const std::uint8_t* data, std::size_t count) {
    if (count == 0) {
        return;
    }
    Reserve(count);
    std::memcpy(array_.data() + head_ + size_, data, count);
    size_ += count;
}

std::uint8_t* TIdBuffer::PrepareAppend(std::size_t count) {
    Reserve(count);
    prepared_ = count;
    return array_.data() + head_ + size_;
}

void TIdBuffer::CommitAppend(std::size_t count) {
    size_ += std::min(count, prepared_);
    prepared_ = 0;
}

void TIdBuffer::Clear() {
    head_ = 0;
    size_ = 0;
    prepared_ = 0;
    array_.clear();
}

std::ptrdiff_t TIdBuffer::IndexOf(std::span<const std::uint8_t> needle,
                                  std::size_t startOffset) const {
    if (needle.empty() || startOffset >= size_ || needle.size() > size_ - startOffset) {
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
    if (startOffset >= size_) {
        return -1;
    }
    const std::uint8_t* start = array_.data() + head_;
    const void* hit = std::memchr(start + startOffset, byte, size_ - startOffset);
    return hit == nullptr ? -1 : static_cast<const std::uint8_t*>(hit) - start;
}

void TIdBuffer::RequireAtLeast(std::size_t count) const {
    if (count > size_) {
        throw EIdNotEnoughDataInBuffer(static_cast<std::int64_t>(count),
                                       static_cast<std::int64_t>(size_));
    }
}

TIdBytes TIdBuffer::Extract(std::size_t count) {
    TIdBytes bytes;
    ExtractAppendTo(bytes, count);
    return bytes;
}

void TIdBuffer::ExtractAppendTo(TIdBytes& destination, std::size_t count) {
    RequireAtLeast(count);
    const std::uint8_t* start = array_.data() + head_;
    destination.insert(destination.end(), start, start + count);
    Remove(count);
}

void TIdBuffer::ExtractToStream(TIdStream& stream, std::size_t count) {
    RequireAtLeast(count);
    stream.Write(array_.data() + head_, count);
    Remove(count);
}

void TIdBuffer::Remove(std::size_t count) {
    RequireAtLeast(count);
    head_ += count;
    size_ -= count;
    prepared_ = 0;
    if (size_ == 0) {
        head_ = 0;
    } else if (head_ > kCompactThreshold) {
        std::memmove(array_.data(), array_.data() + head_, size_);
        head_ = 0;
        array_.resize(size_ + kGrowthSlack);
    }
}

}  // namespace tarnwick::http
