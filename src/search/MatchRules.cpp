// Name and extension rules of the folder walk.
#include "search/MatchRules.h"

#include <cstdint>

#include "platform/PathDelimiter.h"
#include "platform/TextFolding.h"

namespace tarnwick::search {

using platform::FoldCase;
using platform::kPathDelimiter;
using platform::NextUtf8Char;

namespace {

char AsciiFold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

NamePattern::NamePattern(std::string_view nameText) {
    fFolded.reserve(nameText.size());
    fAsciiPlain = true;
    for (std::size_t i = 0; i < nameText.size();) {
        const char32_t c = FoldCase(NextUtf8Char(nameText, i));
        fFolded.push_back(c);
        if (c >= 0x80 || c == U'*' || c == U'?') {
            fAsciiPlain = false;
        }
    }
    if (fAsciiPlain) {
        fAsciiPrefix.assign(fFolded.begin(), fFolded.end());
    }
}

bool NamePattern::Matches(std::string_view name) const {
    if (fAsciiPlain) {
        // The common case: a plain ASCII prefix, compared byte by byte. A non-ASCII character
        // in the compared part may still fold to an ASCII letter (the Kelvin sign to k), so it
        // takes the general path.
        const std::size_t n = fAsciiPrefix.size();
        if (name.size() < n) {
            return false;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const char c = name[i];
            if ((static_cast<unsigned char>(c) & 0x80) != 0) {
                return MatchesWithWildcards(name);
            }
            if (AsciiFold(c) != fAsciiPrefix[i]) {
                return false;
            }
        }
        return true;
    }
    return MatchesWithWildcards(name);
}

bool NamePattern::MatchesWithWildcards(std::string_view name) const {
    // The pattern is the name text followed by "*". Positions in `name` are byte offsets; each
    // character is decoded and folded as it is reached.
    const std::size_t end = fFolded.size();
    std::size_t p = 0;
    std::size_t s = 0;
    std::size_t starP = std::u32string::npos;
    std::size_t starS = 0;
    for (;;) {
        while (p < end && fFolded[p] == U'*') {
            starP = p++;
            starS = s;
        }
        if (p == end) {
            return true;  // the implied trailing '*' takes any remainder
        }
        if (s < name.size()) {
            std::size_t next = s;
            const char32_t c = FoldCase(NextUtf8Char(name, next));
            if (fFolded[p] == U'?' || fFolded[p] == c) {
                ++p;
                s = next;
                continue;
            }
        }
        if (starP == std::u32string::npos || starS >= name.size()) {
            return false;
        }
        // Let the last '*' take one more character and try again from there.
        NextUtf8Char(name, starS);
        p = starP + 1;
        s = starS;
    }
}

bool MatchesNamePattern(std::string_view nameText, std::string_view name) {
    return NamePattern(nameText).Matches(name);
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
    // An empty name text selects every entry; its empty stem would otherwise reject all names
    // that have one, leaving a whole-word content search with nothing.
    return nameText.empty() || StemOf(nameText) == StemOf(name);
}

}  // namespace tarnwick::search
