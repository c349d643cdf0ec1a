// TLineTokenizer: cuts one line into runs of equal HighlightState with the styler's rules
// (block and line comments, numbers with the hex prefix, keywords tried at every word start,
// symbols, bracketed elements, highlight-text occurrences). Prepare it once per paint; each
// call then costs time linear in the line length, also for one huge word.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editor/highlight/HighlightRunSink.h"
#include "editor/highlight/HighlightState.h"
#include "editor/highlight/TokenRest.h"

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

// A point inside a line's tokenizing from which it can go on: everything the tokenizer holds
// at the head of its loop. Horizon bounds the bytes every decision up to here looked at
// (line.size() + 1 when the end of the line was among them), so the point stays good for any
// line whose first Horizon bytes are the same.
struct TTokenizerCheckpoint {
    TTokenRest::Snapshot Rest;
    bool WordStart = true;
    bool Consumed = false;
    char Previous = '\0';
    HighlightState State;
    size_t PendingBegin = 0;  // the pending run: offset and length in the line, and its state
    size_t PendingLength = 0;
    HighlightState PendingState;
    size_t Owed = 0;
    bool LineCommentStarted = false;
    size_t Horizon = 0;
};

// Limits of one tokenizing for a paint that shows only part of a line.
struct TTokenizeWindow {
    // Nothing from this byte on needs runs, and the state after the line is not wanted.
    size_t StopAt = std::string_view::npos;
    // Go on from here instead of the line's start; the runs before its pending run are then
    // not handed over (the sink learns their text through Skipped).
    const TTokenizerCheckpoint* Resume = nullptr;
    // Checkpoints taken on the way, at least Every bytes apart, are appended here.
    std::vector<TTokenizerCheckpoint>* Record = nullptr;
    size_t Every = 1 << 16;
};

class TLineTokenizer {
  public:
    // Builds the character sets and delimiter lists (NumberStartSet, NumberBodySet, HexPrefix).
    void Prepare(const TTokenizerSettings& settings);
    // Tokenizes line with the running state and returns the state the next line starts with.
    HighlightState TokenizeLine(std::string_view line, HighlightState state,
                                IHighlightRunSink& sink) const;
    // The same within a window. Resuming and checkpoints need Resumable(); without it only
    // the whole line is tokenized. With a StopAt inside the line the returned state means
    // nothing.
    HighlightState TokenizeLine(std::string_view line, HighlightState state,
                                IHighlightRunSink& sink, const TTokenizeWindow& window) const;
    // Whether the settings let tokenizing stop and go on from checkpoints: no highlight text,
    // no addresses, no symbol delimiters, at most one block-comment opener and no keyword the
    // styler draws itself. Every decision then depends only on the bytes near it.
    bool Resumable() const { return fResumable; }
    // Changes whenever Prepare is given settings that tokenize differently from the last.
    uint64_t Generation() const { return fGeneration; }

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

    void PrepareTables(const TTokenizerSettings& settings);
    std::string Fingerprint() const;

    TTokenizerSettings fSettings;
    bool fActive = false;
    bool fResumable = false;
    uint64_t fGeneration = 0;
    std::string fFingerprint;
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
