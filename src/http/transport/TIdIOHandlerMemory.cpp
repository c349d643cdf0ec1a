#include "http/transport/TIdIOHandlerMemory.h"

#include <algorithm>
#include <cstring>

#include "http/core/EIdException.h"

namespace tarnwick::http {

TIdIOHandlerMemory::TIdIOHandlerMemory(TIdBytes input, std::size_t pieceSize)
    : fInput(std::move(input)), fPieceSize(std::max<std::size_t>(pieceSize, 1)) {}

void TIdIOHandlerMemory::Open() {
    TIdIOHandler::Open();
    fAvailable = true;
}

std::size_t TIdIOHandlerMemory::ReceiveFromSource(std::uint8_t* data, std::size_t capacity) {
    if (!fAvailable) {
        throw EIdNotConnected();
    }
    const std::size_t n = std::min({capacity, fPieceSize, fInput.size() - fOffset});
    if (n > 0) {
        std::memcpy(data, fInput.data() + fOffset, n);
        fOffset += n;
    }
    return n;
}

std::size_t TIdIOHandlerMemory::SendToTarget(const std::uint8_t* data, std::size_t count) {
    if (!fAvailable) {
        throw EIdNotConnected();
    }
    fWritten.insert(fWritten.end(), data, data + count);
    return count;
}

}  // namespace tarnwick::http
