// The process-wide clipboard instance and the clipboard's line breaks.
#include "platform/Clipboard.h"

#include <atomic>

namespace tarnwick::platform {

namespace {
std::atomic<Clipboard*> gInstalled{nullptr};
}

Clipboard* Clipboard::Installed() {
    return gInstalled.load();
}

void Clipboard::Install(Clipboard* clipboard) {
    gInstalled.store(clipboard);
}

std::string WithLfLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            result.push_back(text[i]);
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        result.push_back('\n');
    }
    return result;
}

std::string WithCrLfLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            result.push_back(c);
            continue;
        }
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') &&
            text[i + 1] != c) {
            ++i;  // CR LF or LF CR: one break
        }
        result.append("\r\n");
    }
    return result;
}

}  // namespace tarnwick::platform
