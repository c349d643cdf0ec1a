// TTokenRest: "the rest" of a piece while it is tokenized, without copying or erasing text.
// The rest is a kept prefix (characters already emitted that stay in the rest) followed by the
// untouched suffix of the piece starting at the cursor. Searches for the comment and prefix
// delimiters answer as if they ran over that concatenated text, in amortised constant time.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::editor {

class TTokenRest {
  public:
    // A delimiter searched in the rest; foldCase compares upper-cased characters (the pattern
    // itself must be upper-cased then).
    struct Pattern {
        std::string text;
        bool foldCase = false;
    };

    TTokenRest(std::string_view piece, const std::vector<Pattern>& patterns);

    // What the rest holds apart from the piece, so that tokenizing can go on from a saved point.
    struct Snapshot {
        size_t Cursor = 0;
        size_t KeptLength = 0;
        std::string Tail;
        std::vector<bool> InKept;
    };
    Snapshot Save() const { return {fCursor, fKeptLength, fTail, fInKept}; }
    // Takes up a saved rest of the same piece (or one with the same bytes up to the cursor).
    void Restore(const Snapshot& saved);

    // The cursor: offset in the piece of the character at position p.
    size_t Cursor() const { return fCursor; }
    std::string_view Piece() const { return fPiece; }
    bool Empty() const { return fKeptLength == 0 && fCursor == fPiece.size(); }
    bool AtEnd() const { return fCursor == fPiece.size(); }
    bool KeptEmpty() const { return fKeptLength == 0; }
    char Current() const { return fPiece[fCursor]; }
    std::string_view Suffix() const { return fPiece.substr(fCursor); }

    // The characters at the cursor were emitted and stay in the rest (the cursor moves on).
    // Past the first few, none of them may begin a pattern (the fast path guarantees this).
    void Keep(size_t count);
    // The characters at the cursor are removed from the rest.
    void DeleteAtCursor(size_t count) { fCursor += count; }
    // Everything from the rest's first character up to piece offset end is removed.
    void DeleteFrontTo(size_t end);

    // Whether pattern i occurs anywhere in the rest.
    bool Occurs(size_t i) const;
    // Whether the first occurrence of pattern i in the rest starts at the cursor.
    bool FirstOccurrenceAtCursor(size_t i) const;
    // Offset in the piece of the next occurrence of pattern i at or after the cursor.
    size_t NextInSuffix(size_t i) const;

  private:
    struct Cache {
        size_t from = std::string_view::npos;  // cursor of the search that found pos
        size_t pos = std::string_view::npos;
    };
    void KeepOne(char c);
    bool MatchesAt(size_t i, size_t offset) const;
    bool Spans(size_t i) const;  // an occurrence starting in the kept prefix, ending after it

    std::string_view fPiece;
    const std::vector<Pattern>& fPatterns;
    size_t fCursor = 0;
    size_t fKeptLength = 0;
    size_t fTailLimit = 0;             // longest pattern minus one
    std::string fTail;                 // last characters of the kept prefix
    std::vector<bool> fInKept;         // pattern occurs entirely within the kept prefix
    mutable std::vector<Cache> fNext;  // next occurrence in the suffix
};

}  // namespace tarnwick::editor
