#include "editor/highlight/TokenRest.h"

#include "editor/document/AnsiCase.h"

namespace tarnwick::editor {
namespace {

bool SameChar(char a, char patternChar, bool foldCase) {
    return foldCase ? AnsiUpperChar(a) == patternChar : a == patternChar;
}

}  // namespace

TTokenRest::TTokenRest(std::string_view piece, const std::vector<Pattern>& patterns)
    : fPiece(piece), fPatterns(patterns), fInKept(patterns.size(), false), fNext(patterns.size()) {
    for (const Pattern& p : patterns) {
        if (!p.text.empty() && p.text.size() - 1 > fTailLimit) {
            fTailLimit = p.text.size() - 1;
        }
    }
}

void TTokenRest::Restore(const Snapshot& saved) {
    fCursor = saved.Cursor;
    fKeptLength = saved.KeptLength;
    fTail = saved.Tail;
    fInKept = saved.InKept;
    fNext.assign(fPatterns.size(), Cache{});
}

void TTokenRest::KeepOne(char c) {
    for (size_t i = 0; i < fPatterns.size(); ++i) {
        const Pattern& p = fPatterns[i];
        const size_t m = p.text.size();
        if (m == 0 || fInKept[i] || fKeptLength + 1 < m) {
            continue;
        }
        // The window of the last m kept characters: m-1 from the tail, then c.
        bool match = SameChar(c, p.text[m - 1], p.foldCase);
        for (size_t k = 0; match && k + 1 < m; ++k) {
            match = SameChar(fTail[fTail.size() - (m - 1) + k], p.text[k], p.foldCase);
        }
        if (match) {
            fInKept[i] = true;
        }
    }
    if (fTailLimit > 0) {
        if (fTail.size() == fTailLimit) {
            fTail.erase(0, 1);
        }
        fTail.push_back(c);
    }
    ++fKeptLength;
}

void TTokenRest::Keep(size_t count) {
    const size_t careful = count < fTailLimit ? count : fTailLimit;
    for (size_t k = 0; k < careful; ++k) {
        KeepOne(fPiece[fCursor + k]);
    }
    if (count > careful) {
        // Windows ending further on start inside this stretch, which holds no pattern start.
        fKeptLength += count - careful;
        if (fTailLimit > 0) {
            fTail.assign(fPiece.substr(fCursor + count - fTailLimit, fTailLimit));
        }
    }
    fCursor += count;
}

void TTokenRest::DeleteFrontTo(size_t end) {
    fCursor = end;
    fKeptLength = 0;
    fTail.clear();
    fInKept.assign(fPatterns.size(), false);
}

bool TTokenRest::MatchesAt(size_t i, size_t offset) const {
    const Pattern& p = fPatterns[i];
    if (p.text.empty() || offset + p.text.size() > fPiece.size()) {
        return false;
    }
    for (size_t k = 0; k < p.text.size(); ++k) {
        if (!SameChar(fPiece[offset + k], p.text[k], p.foldCase)) {
            return false;
        }
    }
    return true;
}

bool TTokenRest::Spans(size_t i) const {
    const Pattern& p = fPatterns[i];
    const size_t m = p.text.size();
    for (size_t j = 1; j < m && j <= fKeptLength; ++j) {
        // j characters from the end of the kept prefix, m-j from the suffix.
        if (fCursor + (m - j) > fPiece.size()) {
            continue;
        }
        bool match = true;
        for (size_t k = 0; match && k < j; ++k) {
            match = SameChar(fTail[fTail.size() - j + k], p.text[k], p.foldCase);
        }
        for (size_t k = j; match && k < m; ++k) {
            match = SameChar(fPiece[fCursor + k - j], p.text[k], p.foldCase);
        }
        if (match) {
            return true;
        }
    }
    return false;
}

size_t TTokenRest::NextInSuffix(size_t i) const {
    Cache& c = fNext[i];
    if (c.from != std::string_view::npos && c.from <= fCursor &&
        (c.pos == std::string_view::npos || c.pos >= fCursor)) {
        return c.pos;
    }
    const Pattern& p = fPatterns[i];
    size_t pos = std::string_view::npos;
    if (!p.text.empty()) {
        if (!p.foldCase) {
            pos = fPiece.find(p.text, fCursor);
        } else {
            for (size_t k = fCursor; k + p.text.size() <= fPiece.size(); ++k) {
                if (MatchesAt(i, k)) {
                    pos = k;
                    break;
                }
            }
        }
    }
    c = {fCursor, pos};
    return pos;
}

bool TTokenRest::Occurs(size_t i) const {
    return fInKept[i] || Spans(i) || NextInSuffix(i) != std::string_view::npos;
}

bool TTokenRest::FirstOccurrenceAtCursor(size_t i) const {
    return !fInKept[i] && !Spans(i) && MatchesAt(i, fCursor);
}

}  // namespace tarnwick::editor
