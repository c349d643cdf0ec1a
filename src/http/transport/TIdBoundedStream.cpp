#include "http/transport/TIdBoundedStream.h"

#include "http/core/EIdException.h"

namespace tarnwick::http {

void TIdBoundedStream::SetSize(std::int64_t size) {
    if (size > limit_) {
        throw EIdHTTPBodyTooLarge();
    }
    inner_.SetSize(size);
}

void TIdBoundedStream::Write(const std::uint8_t* data, std::size_t count) {
    if (static_cast<std::uint64_t>(count) > static_cast<std::uint64_t>(limit_) ||
        inner_.Position() > limit_ - static_cast<std::int64_t>(count)) {
        throw EIdHTTPBodyTooLarge();
    }
    inner_.Write(data, count);
}

}  // namespace tarnwick::http
