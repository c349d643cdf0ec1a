#include "editor/highlight/UrlFinder.h"

#include <array>

#include "editor/document/AnsiCase.h"

namespace tarnwick::editor {
namespace {

constexpr std::array<std::string_view, 6> kPrefixes = {"http://", "https://", "ftp://",
                                                       "mailto:", "file://",  "www."};
constexpr std::string_view kEnds = " \t\"'<>";
constexpr std::string_view kTrailing = ".,;:!?)]}";

bool IsWordChar(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || AnsiUpperChar(c) != AnsiLowerChar(c) || c == '_' || u >= 0x80;
}

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) {
        return false;
    }
    for (size_t k = 0; k < prefix.size(); ++k) {
        if (AnsiLowerChar(text[at + k]) != prefix[k]) {
            return false;
        }
    }
    return true;
}

}  // namespace

TUrlSpan FindUrl(std::string_view text, size_t from) {
    for (size_t at = from; at < text.size(); ++at) {
        if (at > 0 && IsWordChar(text[at - 1])) {
            continue;
        }
        for (std::string_view prefix : kPrefixes) {
            if (!StartsWithNoCase(text, at, prefix)) {
                continue;
            }
            size_t end = at + prefix.size();
            while (end < text.size() && kEnds.find(text[end]) == std::string_view::npos &&
                   static_cast<unsigned char>(text[end]) >= ' ') {
                ++end;
            }
            while (end > at + prefix.size() &&
                   kTrailing.find(text[end - 1]) != std::string_view::npos) {
                --end;
            }
            if (end > at + prefix.size()) {
                return {at, end - at};
            }
        }
    }
    return {};
}

}  // namespace tarnwick::editor
