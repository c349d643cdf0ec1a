// TFindPattern: a search text prepared for matching against the parts of lines a search looks
// at. Without match case both sides compare as if lowercased with ASCII rules (only A-Z fold;
// letters above 127 stay distinct). A match starts and ends on character boundaries, so a
// pattern never matches half of a multi-byte character. Searching down the match is the first
// occurrence, searching up the last; with whole word that single occurrence is accepted only
// when it touches no word character inside the searched part, otherwise the part has no match.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick::editor {

class TFindPattern {
  public:
    static constexpr size_t npos = std::string_view::npos;

    TFindPattern(std::string_view text, bool matchCase, bool wholeWord);

    bool Empty() const { return fText.empty(); }
    // Length of the search text in bytes and in characters (columns).
    size_t Bytes() const { return fText.size(); }
    int Characters() const { return fCharacters; }

    // Line matching on the part s: the byte position of the match in s, or npos.
    size_t Match(std::string_view s, bool down) const;

  private:
    // The first byte occurrence at or after from (character boundaries not checked), or npos.
    size_t NextOccurrence(std::string_view s, size_t from) const;
    bool SameAt(const char* at) const;
    bool TouchesWord(std::string_view s, size_t pos) const;

    std::string fText;  // lowercased with ASCII rules unless case matters
    bool fMatchCase;
    bool fWholeWord;
    int fCharacters;
    bool fAscii;  // every byte below 128
    // The first and last byte of the text, and whether each may also occur in upper case.
    char fFirst = 0;
    char fLast = 0;
    bool fFoldFirst = false;
    bool fFoldLast = false;
};

}  // namespace tarnwick::editor
