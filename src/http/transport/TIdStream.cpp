#include "http/transport/TIdStream.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/MemoryAdvice.h"

namespace tarnwick::http {

void TIdMemoryStream::SetPosition(std::int64_t position) {
    if (position < 0) {
        throw std::out_of_range("negative stream position");
    }
    fPosition = position;
}

void TIdMemoryStream::Grow(std::size_t size) {
    if (size > fBytes.size()) {
        // A large body is written into a block advised for huge pages before anything is
        // copied into it, instead of faulting it in page by page.
        platform::MakeRoomAdvised(fBytes, size - fBytes.size());
    }
    fBytes.resize(size);
}

void TIdMemoryStream::SetSize(std::int64_t size) {
    if (size < 0) {
        throw std::out_of_range("negative stream size");
    }
    if (static_cast<std::size_t>(size) > fBytes.size()) {
        Grow(static_cast<std::size_t>(size));
    } else {
        fBytes.resize(static_cast<std::size_t>(size));
    }
}

void TIdMemoryStream::Write(const std::uint8_t* data, std::size_t count) {
    if (count == 0) {
        return;
    }
    const auto start = static_cast<std::size_t>(fPosition);
    if (start + count > fBytes.size()) {
        Grow(start + count);
    }
    std::memcpy(fBytes.data() + start, data, count);
    fPosition += static_cast<std::int64_t>(count);
}

std::size_t TIdMemoryStream::Read(std::uint8_t* data, std::size_t count) {
    const auto start = static_cast<std::size_t>(fPosition);
    if (start >= fBytes.size()) {
        return 0;
    }
    const std::size_t n = std::min(count, fBytes.size() - start);
    std::memcpy(data, fBytes.data() + start, n);
    fPosition += static_cast<std::int64_t>(n);
    return n;
}

}  // namespace tarnwick::http
