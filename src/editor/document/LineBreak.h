// TLineBreak: how a line read from a file ended there. Saving writes an untouched line back
// with its own break, so a file keeps its LF, CR LF or CR line ends, mixed or not.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnwick::editor {

enum class TLineBreak : uint8_t {
    None,  // the file's last line, with no break after it
    LF,
    CRLF,
    CR,
};

// The bytes of a break ("" for None).
constexpr std::string_view LineBreakText(TLineBreak brk) {
    switch (brk) {
        case TLineBreak::LF:
            return "\n";
        case TLineBreak::CRLF:
            return "\r\n";
        case TLineBreak::CR:
            return "\r";
        case TLineBreak::None:
            break;
    }
    return {};
}

}  // namespace tarnwick::editor
