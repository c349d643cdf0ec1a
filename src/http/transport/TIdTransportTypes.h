// The small value types shared by the transport classes: address family, reuse policy, the
// action for over-long lines, the status notifications and the text conversions of the wire.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "http/core/TIdBytes.h"
#include "http/transport/TIdIPVersion.h"

namespace tarnwick::http {

// Only rsTrue turns the reuse-address option on.
enum TIdReuseSocket { rsOSDependent, rsTrue, rsFalse };

// maException raises on an over-long line, maSplit hands out its first part as the line.
enum TIdMaxLineAction { maException, maSplit };

enum TIdStatus {
    hsResolving,
    hsConnecting,
    hsConnected,
    hsDisconnecting,
    hsDisconnected,
    hsStatusText
};

// The moment by which a whole exchange must be over, or none for no limit.
using TIdDeadline = std::optional<std::chrono::steady_clock::time_point>;

// Optional listener for status notifications: the status and its text (host, address...).
using TIdStatusEvent = std::function<void(TIdStatus status, const std::string& text)>;

// Turns bytes read from the wire into the program's 8-bit text (line reads).
using TIdBytesToText = std::function<std::string(const std::uint8_t* data, std::size_t count)>;
// Turns the program's 8-bit text into bytes for the wire (text writes).
using TIdTextToBytes = std::function<TIdBytes(std::string_view text)>;

// The transport's own conversions, used until a caller installs others: the wire is 7-bit
// ASCII, so every byte or character above 127 becomes '?' in either direction.
std::string AsciiBytesToText(const std::uint8_t* data, std::size_t count);
TIdBytes AsciiTextToBytes(std::string_view text);

}  // namespace tarnwick::http
