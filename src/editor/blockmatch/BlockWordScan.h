// TBlockWordScan: where block words first occur in an ASCII line, compared with the line
// upper-cased, found without upper-casing or copying the line. For a line of ASCII characters
// and upper-cased ASCII words, upper-casing one byte at a time keeps every byte position and
// column, so the first occurrence in the upper-cased line is the first position whose bytes
// upper-case to the word. One pass finds the first occurrence of every word; a line edited
// behind a front part keeps what was found in that part.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::editor {

class TBlockWordScan {
  public:
    // The words searched; each must be upper-case ASCII (IsAsciiWord) or empty.
    void SetWords(const std::vector<std::string>& words);
    const std::vector<std::string>& Words() const { return fWords; }
    static bool IsAsciiWord(std::string_view word);

    // Byte offset of the first occurrence of every word in text (npos: none), one pass.
    // known holds earlier answers for a text of knownSize bytes that agrees with this one in
    // its first samePrefix and last sameSuffix bytes (empty: none); with both the pass covers
    // only what reaches into the bytes between, unless an earlier answer lies across them.
    std::vector<size_t> FirstOccurrences(std::string_view text,
                                         const std::vector<size_t>& known = {},
                                         size_t samePrefix = 0, size_t sameSuffix = 0,
                                         size_t knownSize = 0) const;
    // Byte offset of the first occurrence of word at or after from (npos: none).
    static size_t Find(std::string_view text, std::string_view word, size_t from);

  private:
    // Finds the words of open (bit i: word i) starting in from..end-1, in first; clears the
    // bits of those found.
    void ScanRange(std::string_view text, size_t from, size_t end, uint32_t& open,
                   std::vector<size_t>& first) const;

    std::vector<std::string> fWords;
    size_t fLongest = 0;
    // Words (bit i: word i) by their first two upper-cased bytes, and one-byte words.
    std::vector<uint32_t> fPairs;
    std::array<uint32_t, 256> fSingles{};
};

}  // namespace tarnwick::editor
