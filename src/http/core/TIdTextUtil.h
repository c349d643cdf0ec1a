// Small byte-string helpers shared by the header, URI and charset code: ASCII-only case folding
// and trimming of blanks and control characters, never locale-dependent.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::http {

// True for every byte up to and including the space, as the header rules trim them.
inline bool IsTrimmable(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

inline std::string_view TrimBlank(std::string_view s) {
    while (!s.empty() && IsTrimmable(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsTrimmable(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

inline std::string_view TrimBlankLeft(std::string_view s) {
    while (!s.empty() && IsTrimmable(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

inline char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLowerCopy(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = AsciiLower(c);
    }
    return out;
}

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

inline bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && EqualsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

}  // namespace tarnwick::http
