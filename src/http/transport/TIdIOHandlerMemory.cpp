#include "http/transport/TIdIOHandlerMemory.h"

#include <algorithm>
#include <cstring>

#include "http/core/EIdException.h"

namespace tarnwick::http {

TIdIOHandlerMemory::TIdIOHandlerMemory(TIdBytes input, std::size_t pieceSize)
    : input_(std::move(input)), pieceSize_(std::max<std::size_t>(pieceSize, 1)) {}

void TIdIOHandlerMemory::Open() {
    TIdIOHandler::Open();
    available_ = true;
}

std::size_t TIdIOHandlerMemory::ReceiveFromSource(std::uint8_t* data, std::size_t capacity) {
    if (!available_) {
        throw EIdNotConnected();
    }
    const std::size_t n = std::min({capacity, pieceSize_, input_.size() - offset_});
    if (n > 0) {
        std::memcpy(data, input_.data() + offset_, n);
        offset_ += n;
    }
    return n;
}

std::size_t TIdIOHandlerMemory::SendToTarget(const std::uint8_t* data, std::size_t count) {
    if (!available_) {
        throw EIdNotConnected();
    }
    written_.insert(written_.end(), data, data + count);
    return count;
}

}  // namespace tarnwick::http
