#include "editor/highlight/LineTokenizer.h"

#include <algorithm>

#include "editor/highlight/AdvCustomMemoStyler.h"
#include "editor/highlight/UrlFinder.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {
namespace {

constexpr size_t kNone = std::string_view::npos;
constexpr size_t kSpecialChunk = 1 << 14;

}  // namespace

// One call of TokenizeLine: the running state, the pending run and the search caches.
class TLineTokenizer::Run {
  public:
    Run(const TLineTokenizer& t, std::string_view line, HighlightState state,
        IHighlightRunSink& sink)
        : fT(t),
          fSink(sink),
          fState(state),
          fLine(line),
          fPendingBegin(line.data()),
          fPendingState(state) {}

    HighlightState Finish() {
        Flush();
        if (fLineCommentStarted) {
            fState.InComment = false;
        }
        if (fState.InBracket && fState.BracketEnd == ' ') {
            fState.InBracket = false;  // a space-ended element never continues
            fState.BracketStart = '\0';
            fState.BracketEnd = '\0';
            fState.StyleIndex = HighlightState::kNoStyle;
        }
        return fState;
    }

    void Emit(const char* text, size_t length) {
        SkipOwed(text, length);
        if (length > 0 && fState == fPendingState && fPendingBegin + fPendingLength == text) {
            fPendingLength += length;
        } else if (length > 0) {
            Flush();
            SkipOwed(text, length);  // the flushed run may have taken this text's first bytes
            if (length > 0) {
                fPendingBegin = text;
                fPendingLength = length;
                fPendingState = fState;
            }
        }
        fState.ClearOneShotFlags();
    }
    // Bytes a run already took to finish its last character belong to that run.
    void SkipOwed(const char*& text, size_t& length) {
        const size_t owed = std::min(fOwed, length);
        fOwed -= owed;
        text += owed;
        length -= owed;
    }

    void Highlight(const char* text, size_t length) {
        fState.IsHighlight = true;
        Emit(text, length);
    }

    // Cuts text into address and other pieces when the editor shows addresses as links.
    void Pieces(std::string_view text) {
        if (!fT.fSettings.UrlAware) {
            Piece(text);
            return;
        }
        size_t from = 0;
        for (TUrlSpan url = FindUrl(text); url.Start != std::string_view::npos;
             url = FindUrl(text, from)) {
            Piece(text.substr(from, url.Start - from));
            fState.IsUrl = true;
            Emit(text.data() + url.Start, url.Length);
            from = url.Start + url.Length;
        }
        Piece(text.substr(from));
    }

    void Piece(std::string_view piece);

    // Limits of this call; resumes from window.Resume when set (a resumable tokenizer).
    void SetWindow(const TTokenizeWindow& window) { fWindow = &window; }
    void Restore(const TTokenizerCheckpoint& cp) {
        fState = cp.State;
        fPendingBegin = fLine.data() + cp.PendingBegin;
        fPendingLength = cp.PendingLength;
        fPendingState = cp.PendingState;
        fOwed = cp.Owed;
        fLineCommentStarted = cp.LineCommentStarted;
        fHorizon = cp.Horizon;
        fLastCheckpoint = cp.Rest.Cursor;
    }
    bool Stopped() const { return fStopped; }

  private:
    // Byte pos of the line (its size: the end) took part in a decision.
    void Saw(size_t pos) { fHorizon = std::max(fHorizon, std::min(pos, fLine.size()) + 1); }
    void SawPattern(const TTokenRest& rest, size_t i) {
        if (!fT.fPatterns[i].text.empty()) {
            Saw(rest.Cursor() + fT.fPatterns[i].text.size() - 1);
        }
    }
    // At the head of the loop: stop at the window's end, or leave a checkpoint.
    bool AtWindowEdge(const TTokenRest& rest, bool wordStart, bool consumed, char previous);
    void Flush() {
        if (fPendingLength > 0) {
            // A run never ends inside a character: it takes the rest of the character along.
            const size_t end = static_cast<size_t>(fPendingBegin - fLine.data()) + fPendingLength;
            Saw(end + 3);
            const size_t rest = BytesToCharacterEnd(end);
            fPendingLength += rest;
            fOwed += rest;
            fSink.Run({fPendingBegin, fPendingLength}, fPendingState);
        }
        fPendingLength = 0;
    }
    // How many bytes from offset `at` of the line finish a character that began before it.
    size_t BytesToCharacterEnd(size_t at) const {
        constexpr unsigned char kContinuationFirst = 0x80;
        constexpr unsigned char kContinuationLast = 0xBF;
        constexpr size_t kLongestSequence = 4;
        if (at >= fLine.size() || static_cast<unsigned char>(fLine[at]) < kContinuationFirst ||
            static_cast<unsigned char>(fLine[at]) > kContinuationLast) {
            return 0;
        }
        for (size_t back = 1; back < kLongestSequence && back <= at; ++back) {
            const size_t lead = at - back;
            const size_t length = platform::utf8::CharLength(fLine, lead);
            if (length > back) {
                return length - back;
            }
        }
        return 0;
    }
    size_t WordEnd(std::string_view piece, size_t cursor);
    size_t CharsToWordEnd(std::string_view piece, size_t cursor, size_t wordEnd);
    size_t Advance(std::string_view piece, size_t cursor, size_t chars, size_t limit) const;
    size_t NextSpecial(std::string_view piece, size_t cursor);
    size_t PlainStretch(std::string_view piece, size_t cursor, bool wordStart);
    size_t BlockStartAtCursor(const TTokenRest& rest);
    size_t BlockEndAfterCursor(const TTokenRest& rest);
    size_t NumberLength(const TTokenRest& rest);
    bool Keyword(std::string_view piece, size_t cursor, size_t end);

    const TLineTokenizer& fT;
    IHighlightRunSink& fSink;
    HighlightState fState;
    std::string_view fLine;
    size_t fOwed = 0;  // bytes at the front of the next emitted text a run has taken already
    const char* fPendingBegin;
    size_t fPendingLength = 0;
    HighlightState fPendingState;
    bool fLineCommentStarted = false;
    size_t fBreakFrom = kNone;  // WordEnd cache: searched from fBreakFrom, found fBreakAt
    size_t fBreakAt = kNone;
    size_t fSpecialAt = kNone;  // next special character at or after the last query
    size_t fSpecialFrom = kNone;
    // CharsToWordEnd cache: fCountChars characters from fCountPos to the word end fCountEnd.
    size_t fCountEnd = kNone;
    size_t fCountPos = 0;
    size_t fCountChars = 0;
    bool fCountAscii = true;
    const TTokenizeWindow* fWindow = nullptr;
    size_t fHorizon = 0;         // bytes [0, fHorizon) took part in the decisions so far
    size_t fLastCheckpoint = 0;  // cursor of the last checkpoint (or of the start)
    bool fStopped = false;
};

bool TLineTokenizer::Run::AtWindowEdge(const TTokenRest& rest, bool wordStart, bool consumed,
                                       char previous) {
    const size_t at = rest.Cursor();
    if (at >= fWindow->StopAt) {
        fStopped = true;
        return true;
    }
    if (fWindow->Record != nullptr && at >= fLastCheckpoint + fWindow->Every) {
        TTokenizerCheckpoint cp;
        cp.Rest = rest.Save();
        cp.WordStart = wordStart;
        cp.Consumed = consumed;
        cp.Previous = previous;
        cp.State = fState;
        cp.PendingBegin = static_cast<size_t>(fPendingBegin - fLine.data());
        cp.PendingLength = fPendingLength;
        cp.PendingState = fPendingState;
        cp.Owed = fOwed;
        cp.LineCommentStarted = fLineCommentStarted;
        cp.Horizon = fHorizon;
        fWindow->Record->push_back(std::move(cp));
        fLastCheckpoint = at;
    }
    return false;
}

HighlightState TLineTokenizer::TokenizeLine(std::string_view line, HighlightState state,
                                            IHighlightRunSink& sink,
                                            const TTokenizeWindow& window) const {
    if (!fResumable || !fActive) {
        return TokenizeLine(line, state, sink);
    }
    Run run(*this, line, state, sink);
    run.SetWindow(window);
    if (window.Resume != nullptr) {
        sink.Skipped(line.substr(0, window.Resume->PendingBegin));
        run.Restore(*window.Resume);
    }
    run.Piece(line);
    return run.Finish();
}

HighlightState TLineTokenizer::TokenizeLine(std::string_view line, HighlightState state,
                                            IHighlightRunSink& sink) const {
    Run run(*this, line, state, sink);
    const std::string& highlight = fSettings.HighlightText;
    if (highlight.empty()) {
        run.Pieces(line);
    } else {
        size_t from = 0;
        for (size_t at = line.find(highlight); at != kNone; at = line.find(highlight, from)) {
            run.Pieces(line.substr(from, at - from));
            run.Highlight(line.data() + at, highlight.size());
            from = at + highlight.size();
        }
        run.Pieces(line.substr(from));
    }
    return run.Finish();
}

size_t TLineTokenizer::Run::WordEnd(std::string_view piece, size_t cursor) {
    // The word at the cursor ends before the first later break character; the answer is the
    // same for every cursor up to that character, so it is searched once per word.
    const size_t from = cursor + 1;
    if (fBreakFrom != kNone && fBreakFrom <= from && from <= fBreakAt) {
        return fBreakAt;
    }
    size_t at = from;
    while (at < piece.size() && !fT.fWordBreak[Byte(piece[at])]) {
        ++at;
    }
    fBreakFrom = from;
    fBreakAt = at;
    return at;
}

size_t TLineTokenizer::Run::CharsToWordEnd(std::string_view piece, size_t cursor, size_t wordEnd) {
    // The cursor only moves forward, so the count of a word is taken once and then walked down
    // as the cursor passes its characters.
    if (fCountEnd == wordEnd && fCountPos <= cursor) {
        if (fCountAscii) {
            fCountChars -= cursor - fCountPos;
            fCountPos = cursor;
        } else {
            while (fCountPos < cursor) {
                fCountPos += platform::utf8::CharLength(piece, fCountPos);
                --fCountChars;
            }
        }
        if (fCountPos == cursor) {
            return fCountChars;
        }
    }
    const std::string_view word = piece.substr(cursor, wordEnd - cursor);
    fCountEnd = wordEnd;
    fCountPos = cursor;
    fCountAscii = platform::utf8::IsAscii(word);
    fCountChars = fCountAscii ? word.size() : static_cast<size_t>(platform::utf8::CharCount(word));
    return fCountChars;
}

size_t TLineTokenizer::Run::Advance(std::string_view piece, size_t cursor, size_t chars,
                                    size_t limit) const {
    if (fCountAscii) {
        return std::min(cursor + chars, limit);
    }
    size_t at = cursor;
    for (; chars > 0 && at < limit; --chars) {
        at += platform::utf8::CharLength(piece, at);
    }
    return at;
}

size_t TLineTokenizer::Run::NextSpecial(std::string_view piece, size_t cursor) {
    if (fSpecialFrom != kNone && fSpecialFrom <= cursor && cursor <= fSpecialAt) {
        return fSpecialAt;
    }
    // The search stops after a chunk: a stretch cut there goes on as the same plain run in
    // the next step, and a window's end is never searched far past.
    const size_t limit = std::min(piece.size(), cursor + kSpecialChunk);
    size_t at = cursor;
    while (at < limit && !fT.fSpecial[Byte(piece[at])]) {
        ++at;
    }
    fSpecialFrom = cursor;
    fSpecialAt = at;
    return at;
}

size_t TLineTokenizer::Run::PlainStretch(std::string_view piece, size_t cursor, bool wordStart) {
    size_t end = NextSpecial(piece, cursor);
    if (fT.fKeywordStyles.empty()) {
        Saw(end);  // the stretch runs to the next special character
    }
    if (!fT.fSettings.Delimiters.empty()) {
        // Inside a word only its first character is a word start.
        return wordStart ? 0 : end - cursor;
    }
    if (!fT.fKeywordStyles.empty()) {
        // Every character is a word start, but a keyword can only match where the rest of the
        // word holds exactly as many characters as one of the keywords (letter case never
        // changes the count, though it may change the bytes).
        const size_t wordEnd = WordEnd(piece, cursor);
        Saw(wordEnd);  // the stretch and the keyword starts in it follow from the word end
        end = std::min(end, wordEnd);
        const size_t chars = CharsToWordEnd(piece, cursor, wordEnd);
        size_t steps = kNone;  // characters to the nearest such start
        for (size_t length : fT.fKeywordLengths) {
            if (length > chars) {
                break;
            }
            steps = chars - length;
        }
        if (steps == 0) {
            return 0;
        }
        if (steps != kNone) {
            end = Advance(piece, cursor, steps, end);
        }
    }
    return end - cursor;
}

size_t TLineTokenizer::Run::BlockStartAtCursor(const TTokenRest& rest) {
    if (fT.fBlockStartCount == 1) {
        // The only opener matters where it occurs first; looking further on changes nothing.
        SawPattern(rest, kFirstBlockStart);
        return rest.FirstOccurrenceAtCursor(kFirstBlockStart)
                   ? fT.fPatterns[kFirstBlockStart].text.size()
                   : 0;
    }
    Saw(fLine.size());
    for (size_t i = kFirstBlockStart; i < kFirstBlockStart + fT.fBlockStartCount; ++i) {
        if (rest.Occurs(i)) {
            return rest.FirstOccurrenceAtCursor(i) ? fT.fPatterns[i].text.size() : 0;
        }
    }
    return 0;
}

size_t TLineTokenizer::Run::BlockEndAfterCursor(const TTokenRest& rest) {
    // Inside a comment nothing stays in front of the cursor, so the rest is the suffix.
    const size_t first = kFirstBlockStart + fT.fBlockStartCount;
    for (size_t i = first; i < first + fT.fBlockEndCount; ++i) {
        const size_t at = rest.NextInSuffix(i);
        if (at != kNone) {
            Saw(at + fT.fPatterns[i].text.size() - 1);
            return at + fT.fPatterns[i].text.size();
        }
        Saw(fLine.size());
    }
    return kNone;
}

size_t TLineTokenizer::Run::NumberLength(const TTokenRest& rest) {
    const std::string_view piece = rest.Piece();
    const size_t start = rest.Cursor();
    size_t q = start;
    const std::array<bool, 256>* allowed = &fT.fNumberBody;
    SawPattern(rest, kHexPrefix);
    if (!fT.fPatterns[kHexPrefix].text.empty() && rest.FirstOccurrenceAtCursor(kHexPrefix)) {
        allowed = &fT.fNumberBodyHex;
        q += fT.fPatterns[kHexPrefix].text.size();
    }
    size_t firstPeriod = kNone;
    while (q < piece.size() && (*allowed)[Byte(piece[q])]) {
        if (piece[q] == '.') {
            if (firstPeriod != kNone) {
                Saw(q);
                return firstPeriod - start;  // a second period: the number ends at the first
            }
            firstPeriod = q;
        }
        ++q;
    }
    Saw(q);
    return q - start;
}

bool TLineTokenizer::Run::Keyword(std::string_view piece, size_t cursor, size_t end) {
    const std::string_view word = piece.substr(cursor, end - cursor);
    if (!std::binary_search(fT.fKeywordLengths.begin(), fT.fKeywordLengths.end(),
                            CharsToWordEnd(piece, cursor, end))) {
        return false;
    }
    for (const KeywordStyle& style : fT.fKeywordStyles) {
        int index = 0;
        if (!style.Words->Find(word, index)) {
            continue;
        }
        fState.IsKeyword = true;
        fState.StyleIndex = style.Index;
        TAdvCustomMemoStyler& styler = *fT.fSettings.Styler;
        if (styler.CustomKeywordDraw) {
            Flush();
            fSink.CustomKeyword(word, fState);
            styler.KeywordDrawHook(word);
            fState.ClearOneShotFlags();
            fPendingBegin = word.data() + word.size();
            fPendingState = fState;
        } else {
            Emit(word.data(), word.size());
        }
        return true;
    }
    return false;
}

void TLineTokenizer::Run::Piece(std::string_view piece) {
    if (!fT.fActive || (fState.IsUrl && fT.fSettings.UrlAware) || fState.IsHighlight) {
        Emit(piece.data(), piece.size());
        return;
    }
    fBreakFrom = kNone;
    fSpecialFrom = kNone;
    fCountEnd = kNone;
    TTokenRest rest(piece, fT.fPatterns);
    bool wordStart = true;
    bool consumed = false;
    char previous = '\0';
    if (fWindow != nullptr && fWindow->Resume != nullptr) {
        const TTokenizerCheckpoint& cp = *fWindow->Resume;
        rest.Restore(cp.Rest);
        wordStart = cp.WordStart;
        consumed = cp.Consumed;
        previous = cp.Previous;
    }
    const bool noDelimiters = fT.fSettings.Delimiters.empty();
    while (!rest.Empty() && !rest.AtEnd()) {
        if (fWindow != nullptr && AtWindowEdge(rest, wordStart, consumed, previous)) {
            return;
        }
        size_t at = rest.Cursor();
        const char c = piece[at];
        Saw(at);
        const bool fresh = !consumed;
        if (fresh) {
            wordStart = rest.KeptEmpty() || c == ' ' || noDelimiters || fT.fDelimiters[Byte(c)];
        }
        consumed = false;

        if (fresh && !fState.InComment && !fState.InBracket && !fT.fSpecial[Byte(c)]) {
            // A stretch of characters that can only be plain: emitted as one piece.
            const size_t n = PlainStretch(piece, at, wordStart);
            if (n > 0) {
                Emit(piece.data() + at, n);
                previous = piece[at + n - 1];
                rest.Keep(n);
                continue;
            }
        }

        if (!fState.InBracket && fT.fHasBlockComments) {
            if (fState.InComment) {
                const size_t end = BlockEndAfterCursor(rest);
                if (end == kNone) {
                    Emit(piece.data() + at, piece.size() - at);  // continues on the next line
                    return;
                }
                Emit(piece.data() + at, end - at);
                rest.DeleteFrontTo(end);
                fState.InComment = false;
                if (rest.Empty()) {
                    return;
                }
                consumed = true;
            } else if (const size_t length = BlockStartAtCursor(rest); length > 0) {
                rest.DeleteFrontTo(at + length);
                fState.InComment = true;
                Emit(piece.data() + at, length);
                if (rest.Empty()) {
                    return;
                }
                consumed = true;
            }
        }

        if (!consumed && !fState.InComment) {
            SawPattern(rest, kLineComment);
            if (!fState.InBracket && rest.FirstOccurrenceAtCursor(kLineComment)) {
                fState.InComment = true;
                Emit(piece.data() + at, piece.size() - at);
                fLineCommentStarted = true;
                return;
            }
            Saw(at + 1);
            const BracketStep step = fT.StepBracket(piece.substr(at), previous, fState);
            if (step.Take > 0) {
                fState = step.EmitState;
                Emit(piece.data() + at, step.Take);
                previous = piece[at + step.Take - 1];
                rest.Keep(step.Take);
                consumed = true;
            }
            fState = step.After;
        }
        if (rest.Empty() || rest.AtEnd()) {
            break;
        }
        at = rest.Cursor();

        if (!consumed && fT.fSymbolStyle[Byte(c)] >= 0) {
            fState.IsSymbol = true;
            fState.StyleIndex = fT.fSymbolStyle[Byte(c)];
            Emit(piece.data() + at, 1);
            rest.DeleteAtCursor(1);
            wordStart = true;
            consumed = true;
        }
        if (consumed) {
            continue;
        }

        if (wordStart && fT.fNumberStart[Byte(c)]) {
            const size_t length = NumberLength(rest);
            if (length > 0) {
                fState.IsNumber = true;
                fState.IsKeyword = false;
                fState.IsSymbol = false;
                fState.InComment = false;
                Emit(piece.data() + at, length);
                rest.DeleteAtCursor(length);
                wordStart = false;
                consumed = true;
                continue;
            }
        }

        previous = c;
        if (wordStart && !fT.fKeywordStyles.empty()) {
            const size_t end = WordEnd(piece, at);
            Saw(end);
            if (Keyword(piece, at, end)) {
                rest.DeleteAtCursor(end - at);
                consumed = true;
                continue;
            }
        }

        // A plain character, whole: the cursor stays on character boundaries, so a keyword is
        // never tried from inside a character (a stray byte of a keyword would match there).
        Saw(at + 3);
        const size_t length = platform::utf8::CharLength(piece, at);
        Emit(piece.data() + at, length);
        rest.Keep(length);
    }
}

}  // namespace tarnwick::editor
