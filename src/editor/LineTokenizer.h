// TLineTokenizer: cuts one line into runs of equal HighlightState with the styler's rules
// (block and line comments, numbers with the hex prefix, keywords tried at every word start,
// symbols, bracketed elements, highlight-text occurrences). Prepare it once per paint; each
// call then costs time linear in the line length, also for one huge word.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editor/HighlightRunSink.h"
#include "editor/HighlightState.h"
#include "editor/TokenRest.h"

namespace tarnwick::editor {

class TAdvCustomMemoStyler;
class TStringList;

// The editor settings a paint tokenizes with.
struct TTokenizerSettings {
    TAdvCustomMemoStyler* Styler = nullptr;  // null: every line is plain text
    bool UseStyler = true;
    bool CaseSensitive = false;
    std::string Delimiters;  // the Symbols of all stSymbol styles, concatenated
    std::string HighlightText;
    bool UrlAware = false;
};

class TLineTokenizer {
  public:
    // Builds the character sets and delimiter lists (NumberStartSet, NumberBodySet, HexPrefix).
    void Prepare(const TTokenizerSettings& settings);
    // Tokenizes line with the running state and returns the state the next line starts with.
    HighlightState TokenizeLine(std::string_view line, HighlightState state,
                                IHighlightRunSink& sink) const;

    // Follows a bracketed element for one character, as tokenizing and the start-state scan
    // both do; returns how many characters it took (0: not part of an element).
    struct BracketStep {
        size_t Take = 0;           // characters emitted as part of the element
        HighlightState EmitState;  // the state they are emitted in
        HighlightState After;      // the state that follows
    };
    BracketStep StepBracket(std::string_view text, char previous,
                            const HighlightState& state) const;
    bool IsDelimiterChar(char c) const { return fDelimiterChar[Byte(c)]; }
    bool Active() const { return fActive; }

  private:
    struct KeywordStyle {
        int Index;
        const TStringList* Words;
    };
    // Delimiters searched in the rest: line comment, hex prefix, block starts, block ends.
    enum PatternIndex : size_t { kLineComment = 0, kHexPrefix = 1, kFirstBlockStart = 2 };
    class Run;  // the state of one call

    static size_t Byte(char c) { return static_cast<unsigned char>(c); }
    bool LiteralBefore(char previous) const;

    TTokenizerSettings fSettings;
    bool fActive = false;
    bool fHasBlockComments = false;
    std::vector<TTokenRest::Pattern> fPatterns;
    size_t fBlockStartCount = 0;
    size_t fBlockEndCount = 0;
    std::array<bool, 256> fNumberStart{};
    std::array<bool, 256> fNumberBody{};
    std::array<bool, 256> fNumberBodyHex{};
    std::array<bool, 256> fWordBreak{};
    std::array<bool, 256> fDelimiters{};
    std::array<bool, 256> fDelimiterChar{};
    std::array<bool, 256> fSpecial{};
    std::array<int, 256> fSymbolStyle{};
    std::array<int, 256> fBracketStyle{};
    std::vector<KeywordStyle> fKeywordStyles;
    std::vector<size_t> fKeywordLengths;  // distinct lengths in characters, ascending
    char fEscape = '\0';
    std::string fLiteralPrefix;
};

}  // namespace tarnwick::editor
