// TAdvMemoBlockMatch: the block-opening word above the caret and the block-closing word below
// it (the styler's BlockStart and BlockEnd lists), searched among the visible lines whenever
// the caret moves, and the settings the painter colours them with. Both matches are either
// found together or both cleared to (-1, -1, -1); positions count characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/blockmatch/BlockMatchSource.h"
#include "editor/blockmatch/BlockWordScan.h"
#include "editor/view/Colors.h"

namespace tarnwick::editor {

// One matched word: its line, its column in the searched text, its length; -1 each when none.
struct TBlockMatch {
    int Line = -1;
    int Column = -1;
    int Length = -1;
    bool operator==(const TBlockMatch&) const = default;
};

// 1-based character position of the first occurrence of word in text (exact comparison) when
// both its neighbours are absent or delimiters of the editor; 0 otherwise. Later occurrences are
// not tried.
int FindWholeWord(const TBlockMatchSource& source, std::string_view word, std::string_view text);

// FindWholeWord for a comma-separated list: the first item found wins, and list is replaced
// by that item so that the caller learns the word and its length. A list without a comma is
// one word.
int FindBlockWord(const TBlockMatchSource& source, std::string& list, std::string_view text);

class TAdvMemoBlockMatch {
  public:
    static constexpr TColor kClAqua = 0xFFFF00;  // 16776960

    bool BlockShow = true;
    TColor BlockColor = kClAqua;
    TColor BlockLineColor = kClNone;  // none: no underline

    const TBlockMatch& Closing() const { return fClosing; }
    const TBlockMatch& Opening() const { return fOpening; }
    // The match on line starting at column while matches are painted, or nullptr.
    const TBlockMatch* MatchAt(int line, int column) const;

    // Searches both words for the caret of the editor and invalidates the rows whose match changed.
    // Without a styler, lines or block lists the matches stay as they are. Does not raise the
    // cursor event; the caller does.
    void Update(TBlockMatchSource& source);

  private:
    // The searches over line text T (the line upper-cased, less its first dropped bytes) with
    // ASCII block words: the first occurrences come from a per-line cache.
    struct LineWords {
        int Line = -1;
        uint64_t Version = 0;
        size_t Size = 0;  // the line's bytes at Version
        std::vector<size_t> First;
    };
    bool Fast() const { return fFast; }
    void PrepareWords(const std::string& start, const std::string& end);
    const std::vector<size_t>& FirstOccurrences(const TBlockMatchSource& source, int line) const;
    int FindWord(const TBlockMatchSource& source, std::string_view word, int line,
                 size_t dropped) const;
    int FindList(const TBlockMatchSource& source, std::string& list, int line,
                 size_t dropped) const;
    // Bytes of the line making up the first count characters of T.
    static size_t DropBytes(std::string_view line, size_t dropped, int count);

    // What is left of one line as a search steps through it (T): positions in the line itself
    // on the fast path, an upper-cased copy otherwise.
    class TLineRest;

    TBlockMatch SearchClosing(const TBlockMatchSource& source, const std::string& start,
                              std::string& end) const;
    TBlockMatch SearchOpening(const TBlockMatchSource& source, const std::string& start,
                              std::string& end) const;
    void Store(TBlockMatchSource& source, TBlockMatch& slot, const TBlockMatch& value);

    TBlockMatch fClosing;
    TBlockMatch fOpening;
    bool fFast = false;
    TBlockWordScan fScan;
    mutable std::vector<LineWords> fLines;  // a few lines' first occurrences
    mutable size_t fNextSlot = 0;
};

}  // namespace tarnwick::editor
