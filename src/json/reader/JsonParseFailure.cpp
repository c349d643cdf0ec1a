#include "json/reader/JsonParseFailure.h"

#include <cstdio>

namespace tarnwick::json {

namespace {

bool IsPrintableAscii(char c) {
    return c >= ' ' && c < 0x7F;
}

}  // namespace

std::string_view ReasonName(JsonFailureReason reason) {
    switch (reason) {
        case JsonFailureReason::None:
            return "None";
        case JsonFailureReason::EmptyText:
            return "EmptyText";
        case JsonFailureReason::NoValue:
            return "NoValue";
        case JsonFailureReason::BadWord:
            return "BadWord";
        case JsonFailureReason::MissingDigit:
            return "MissingDigit";
        case JsonFailureReason::NumberOutOfRange:
            return "NumberOutOfRange";
        case JsonFailureReason::UnterminatedString:
            return "UnterminatedString";
        case JsonFailureReason::BadUnicodeEscape:
            return "BadUnicodeEscape";
        case JsonFailureReason::MissingMemberName:
            return "MissingMemberName";
        case JsonFailureReason::MissingColon:
            return "MissingColon";
        case JsonFailureReason::TooDeep:
            return "TooDeep";
        case JsonFailureReason::OutOfMemory:
            return "OutOfMemory";
    }
    return "Unknown";
}

std::string DescribeTextAt(std::string_view text, std::size_t offset, std::size_t length) {
    if (offset >= text.size()) {
        return "the end of the text";
    }
    std::size_t printable = 0;
    while (printable < length && offset + printable < text.size() &&
           IsPrintableAscii(text[offset + printable])) {
        ++printable;
    }
    if (printable == 0) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "byte 0x%02X",
                      static_cast<unsigned>(static_cast<unsigned char>(text[offset])));
        return buffer;
    }
    std::string quoted = "'";
    quoted.append(text.substr(offset, printable)).append("'");
    return quoted;
}

std::string JsonParseFailure::Describe() const {
    if (!Failed()) {
        return "no failure";
    }
    std::string line;
    if (!Expected.empty()) {
        line.append("expected ").append(Expected).append(" but found ").append(Found);
    } else {
        line.append(ReasonName(Reason));
    }
    line.append(" at byte offset ").append(std::to_string(Offset));
    return line;
}

}  // namespace tarnwick::json
