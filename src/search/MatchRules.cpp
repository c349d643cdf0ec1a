// Name and extension rules of the folder walk.
#include "search/MatchRules.h"

#include <cstdint>

#include "platform/PathDelimiter.h"
#include "platform/TextFolding.h"

namespace tarnwick {
namespace {

// The characters of `text`, letter case folded.
std::u32string FoldedChars(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        out.push_back(FoldCase(NextUtf8Char(text, i)));
    }
    return out;
}

}  // namespace

bool MatchesNamePattern(std::string_view nameText, std::string_view name) {
    // The pattern is the name text followed by "*": a prefix match with wildcards.
    std::u32string pattern = FoldedChars(nameText);
    pattern.push_back(U'*');
    const std::u32string subject = FoldedChars(name);
    std::size_t p = 0, s = 0;
    std::size_t starP = std::u32string::npos, starS = 0;
    while (s < subject.size()) {
        if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starS = s;
        } else if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == subject[s])) {
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
