// Name and extension rules of the folder walk.
#include "search/MatchRules.h"

#include <cstdint>

#include "platform/PathDelimiter.h"

namespace tarnwick {
namespace {

// Decodes UTF-8 into code points; a byte that is not part of a valid sequence stands for
// itself (shifted out of the character range) so every name still compares.
std::u32string DecodeForMatch(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            cp = b & 0x07;
        } else {
            out.push_back(0x110000 + b);
            ++i;
            continue;
        }
        bool valid = i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const unsigned char c = static_cast<unsigned char>(text[i + k]);
            if ((c & 0xC0) != 0x80) {
                valid = false;
            } else {
                cp = (cp << 6) | (c & 0x3F);
            }
        }
        if (!valid) {
            out.push_back(0x110000 + b);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

// Simple case folding for the scripts file names are usually written in: ASCII, Latin-1,
// Latin Extended-A, Greek and Cyrillic capitals map to their small letters.
char32_t FoldCase(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    }
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 32;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 80;
    }
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F) {
        // Pairs alternate capital/small; the run 0x139-0x148 and 0x179-0x17E are odd-capital.
        const bool oddCapital = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddCapital) {
            return (c % 2 == 1) ? c + 1 : c;
        }
        return (c % 2 == 0) ? c + 1 : c;
    }
    return c;
}

}  // namespace

bool MatchesNamePattern(std::string_view nameText, std::string_view name) {
    // The pattern is the name text followed by "*": a prefix match with wildcards.
    std::u32string pattern = DecodeForMatch(nameText);
    pattern.push_back(U'*');
    const std::u32string subject = DecodeForMatch(name);
    std::size_t p = 0, s = 0;
    std::size_t starP = std::u32string::npos, starS = 0;
    while (s < subject.size()) {
        if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starS = s;
        } else if (p < pattern.size() &&
                   (pattern[p] == U'?' || FoldCase(pattern[p]) == FoldCase(subject[s]))) {
            ++p;
            ++s;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            s = ++starS;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') {
        ++p;
    }
    return p == pattern.size();
}

std::string_view ExtractFileExt(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    constexpr char kSeparators[] = {kPathDelimiter, ':', '\0'};
    const std::size_t sep = name.find_first_of(kSeparators, dot);
    if (sep != std::string_view::npos) {
        return {};
    }
    return name.substr(dot);
}

std::string_view StemOf(std::string_view name) {
    return name.substr(0, name.size() - ExtractFileExt(name).size());
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

std::vector<std::string> SplitList(char delimiter, std::string_view listText) {
    constexpr char kQuote = '"';
    // Quote every piece between delimiters, then read the result as a delimited text.
    std::string text(1, kQuote);
    for (const char c : listText) {
        if (c == delimiter) {
            text += kQuote;
            text += delimiter;
            text += kQuote;
        } else {
            text += c;
        }
    }
    text += kQuote;

    const auto at = [&](std::size_t i) -> unsigned char {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    };
    const auto isBlank = [](unsigned char c) { return c >= 1 && c <= ' '; };
    std::vector<std::string> items;
    std::size_t p = 0;
    while (isBlank(at(p))) {
        ++p;
    }
    while (at(p) != 0) {
        std::string item;
        if (at(p) == kQuote) {
            ++p;
            while (at(p) != 0) {
                if (at(p) == kQuote) {
                    if (at(p + 1) == kQuote) {
                        item += kQuote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += static_cast<char>(at(p++));
            }
        } else {
            while (at(p) > ' ' && at(p) != static_cast<unsigned char>(delimiter)) {
                item += static_cast<char>(at(p++));
            }
        }
        items.push_back(std::move(item));
        while (isBlank(at(p))) {
            ++p;
        }
        if (at(p) == static_cast<unsigned char>(delimiter)) {
            if (at(p + 1) == 0) {
                items.emplace_back();
            }
            do {
                ++p;
            } while (isBlank(at(p)));
        }
    }
    return items;
}

bool ItemsHaveExtension(const std::vector<std::string>& items, std::string_view ext) {
    if (ext.empty() || ext.front() != '.') {
        return false;
    }
    const std::string lowered = AsciiLower(ext.substr(1));
    for (const std::string& item : items) {
        if (item == lowered) {
            return true;
        }
    }
    return false;
}

bool ListHasExtension(std::string_view listText, std::string_view ext) {
    return ItemsHaveExtension(SplitList(',', AsciiLower(listText)), ext);
}

bool WholeWordNameMatches(std::string_view nameText, std::string_view name) {
    return StemOf(nameText) == StemOf(name);
}

}  // namespace tarnwick
