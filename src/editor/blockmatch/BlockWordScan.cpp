#include "editor/blockmatch/BlockWordScan.h"

#include <algorithm>

namespace tarnwick::editor {
namespace {

constexpr size_t kNone = std::string_view::npos;
constexpr size_t kMaxWords = 32;  // bits of a pair entry

unsigned char Upper(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - ('a' - 'A')) : b;
}

bool MatchesAt(std::string_view text, std::string_view word, size_t at) {
    if (at + word.size() > text.size()) {
        return false;
    }
    for (size_t k = 0; k < word.size(); ++k) {
        if (Upper(text[at + k]) != static_cast<unsigned char>(word[k])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool TBlockWordScan::IsAsciiWord(std::string_view word) {
    return std::all_of(word.begin(), word.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x80 && !(b >= 'a' && b <= 'z');
    });
}

void TBlockWordScan::SetWords(const std::vector<std::string>& words) {
    fWords = words;
    fLongest = 0;
    fPairs.assign(size_t{1} << 16, 0);
    fSingles.fill(0);
    for (size_t i = 0; i < fWords.size() && i < kMaxWords; ++i) {
        const std::string& w = fWords[i];
        fLongest = std::max(fLongest, w.size());
        const uint32_t bit = uint32_t{1} << i;
        if (w.size() == 1) {
            fSingles[static_cast<unsigned char>(w[0])] |= bit;
        } else if (w.size() >= 2) {
            fPairs[(size_t{static_cast<unsigned char>(w[0])} << 8) |
                   static_cast<unsigned char>(w[1])] |= bit;
        }
    }
}

size_t TBlockWordScan::Find(std::string_view text, std::string_view word, size_t from) {
    if (word.empty()) {
        return kNone;
    }
    for (size_t at = from; at + word.size() <= text.size(); ++at) {
        if (Upper(text[at]) == static_cast<unsigned char>(word[0]) && MatchesAt(text, word, at)) {
            return at;
        }
    }
    return kNone;
}

std::vector<size_t> TBlockWordScan::FirstOccurrences(std::string_view text,
                                                     const std::vector<size_t>& known,
                                                     size_t samePrefix, size_t sameSuffix,
                                                     size_t knownSize) const {
    const size_t count = fWords.size();
    std::vector<size_t> first(count, kNone);
    if (count > kMaxWords) {
        for (size_t i = 0; i < count; ++i) {
            first[i] = Find(text, fWords[i], 0);
        }
        return first;
    }
    // An earlier answer lying wholly inside the unchanged front is still the first one; the
    // other words can only first occur where they reach past that front.
    // With the end the same too, a word's occurrences that reach into neither part start
    // before the shared end; one wholly in the shared end is the earlier answer moved, when
    // that answer lay wholly in it (or there was none). Only a word whose earlier answer lay
    // across the edited bytes needs the pass to go on to the text's end.
    uint32_t open = 0;
    size_t from = 0;
    const bool reuse = known.size() == count && samePrefix >= fLongest;
    const size_t prefix = std::min({samePrefix, text.size(), knownSize});
    const bool tail = reuse && sameSuffix > 0 && knownSize >= prefix &&
                      sameSuffix <= std::min(knownSize, text.size()) - prefix;
    size_t end = text.size();
    bool wholeRest = !tail;
    std::vector<size_t> moved(tail ? count : 0, kNone);  // answers from the shared end
    for (size_t i = 0; i < count; ++i) {
        if (fWords[i].empty()) {
            continue;
        }
        if (reuse && known[i] != kNone && known[i] + fWords[i].size() <= samePrefix) {
            first[i] = known[i];
            continue;
        }
        open |= uint32_t{1} << i;
        if (tail && known[i] != kNone) {
            if (known[i] >= knownSize - sameSuffix) {
                moved[i] = known[i] - (knownSize - sameSuffix) + (text.size() - sameSuffix);
            } else {
                wholeRest = true;
            }
        }
    }
    if (reuse) {
        from = samePrefix - fLongest + 1;
    }
    if (!wholeRest) {
        end = text.size() - sameSuffix;
    }
    if (open == 0 || text.empty()) {
        return first;
    }
    ScanRange(text, from, end, open, first);
    if (!wholeRest) {
        for (size_t i = 0; i < count; ++i) {
            if ((open & (uint32_t{1} << i)) != 0) {
                first[i] = moved[i];
            }
        }
    }
    return first;
}

void TBlockWordScan::ScanRange(std::string_view text, size_t from, size_t end, uint32_t& open,
                               std::vector<size_t>& first) const {
    const size_t n = text.size();
    for (size_t at = from; at < end && open != 0; ++at) {
        const unsigned char c0 = Upper(text[at]);
        uint32_t hits = fSingles[c0];
        if (at + 1 < n) {
            hits |= fPairs[(size_t{c0} << 8) | Upper(text[at + 1])];
        }
        hits &= open;
        while (hits != 0) {
            const int i = __builtin_ctz(hits);
            hits &= hits - 1;
            if (MatchesAt(text, fWords[static_cast<size_t>(i)], at)) {
                first[static_cast<size_t>(i)] = at;
                open &= ~(uint32_t{1} << i);
            }
        }
    }
}

}  // namespace tarnwick::editor
