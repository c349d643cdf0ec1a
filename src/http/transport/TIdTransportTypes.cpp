#include "http/transport/TIdTransportTypes.h"

namespace tarnwick::http {

namespace {

constexpr std::uint8_t kHighestAscii = 127;
constexpr char kReplacement = '?';

}  // namespace

std::string AsciiBytesToText(const std::uint8_t* data, std::size_t count) {
    std::string text(count, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        text[i] = data[i] > kHighestAscii ? kReplacement : static_cast<char>(data[i]);
    }
    return text;
}

TIdBytes AsciiTextToBytes(std::string_view text) {
    TIdBytes bytes(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<std::uint8_t>(text[i]);
        bytes[i] = c > kHighestAscii ? static_cast<std::uint8_t>(kReplacement) : c;
    }
    return bytes;
}

}  // namespace tarnwick::http
