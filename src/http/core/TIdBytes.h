// The byte array the HTTP client moves between the network, its buffers and its streams.
// A plain vector: the bytes are owned, contiguous and may hold any value, zeros included.
#pragma once

#include <cstdint>
#include <vector>

namespace tarnwick::http {

using TIdBytes = std::vector<std::uint8_t>;

}  // namespace tarnwick::http
