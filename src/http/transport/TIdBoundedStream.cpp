#include "http/transport/TIdBoundedStream.h"

#include "http/core/EIdException.h"

namespace tarnwick::http {

void TIdBoundedStream::SetSize(std::int64_t size) {
    if (size > fLimit) {
        throw EIdHTTPBodyTooLarge();
    }
    fInner.SetSize(size);
}

void TIdBoundedStream::Write(const std::uint8_t* data, std::size_t count) {
    if (static_cast<std::uint64_t>(count) > static_cast<std::uint64_t>(fLimit) ||
        fInner.Position() > fLimit - static_cast<std::int64_t>(count)) {
        throw EIdHTTPBodyTooLarge();
    }
    fInner.Write(data, count);
}

}  // namespace tarnwick::http
