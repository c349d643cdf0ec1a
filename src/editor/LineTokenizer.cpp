#include "editor/LineTokenizer.h"

#include <algorithm>

#include "editor/AdvCustomMemoStyler.h"
#include "editor/AnsiCase.h"
#include "editor/UrlFinder.h"

namespace tarnwick::editor {
namespace {

constexpr std::string_view kWordBreaks = " ;:";
constexpr std::string_view kFixedDelimiters = " \"',;";
constexpr std::string_view kHexDigits = "ABCDEF";
constexpr std::string_view kExponent = "E";
constexpr size_t kNone = std::string_view::npos;

void FillFromUpperSet(std::array<bool, 256>& table, std::string_view upperSet) {
    for (int c = 0; c < 256; ++c) {
        table[static_cast<size_t>(c)] =
            upperSet.find(AnsiUpperChar(static_cast<char>(c))) != std::string_view::npos;
    }
}

}  // namespace

void TLineTokenizer::Prepare(const TTokenizerSettings& settings) {
    fSettings = settings;
    fActive = settings.Styler != nullptr && settings.UseStyler;
    fPatterns.clear();
    fBlockStartCount = 0;
    fBlockEndCount = 0;
    fKeywordStyles.clear();
    fKeywordLengths.clear();
    fNumberStart.fill(false);
    fNumberBody.fill(false);
    fNumberBodyHex.fill(false);
    fWordBreak.fill(false);
    fDelimiters.fill(false);
    fDelimiterChar.fill(false);
    fSpecial.fill(false);
    fSymbolStyle.fill(-1);
    fBracketStyle.fill(-1);
    for (char c : kFixedDelimiters) {
        fDelimiterChar[Byte(c)] = true;
    }
    if (!fActive) {
        return;
    }
    TAdvCustomMemoStyler& styler = *settings.Styler;
    TElementStyles& styles = styler.AllStyles();
    fHasBlockComments = styler.HasBlockComments();

    fPatterns.push_back({styler.LineComment, false});
    fPatterns.push_back({AnsiUpperCase(styler.HexIdentifier), true});
    auto addDelimiters = [&](const std::string& own, bool left) {
        size_t count = 0;
        if (!own.empty()) {
            fPatterns.push_back({own, false});
            ++count;
        }
        for (int i = 0; i < styles.Count(); ++i) {
            const TElementStyle& style = styles.Items(i);
            const std::string& d = left ? style.CommentLeft() : style.CommentRight();
            if (style.StyleType() == stComment && !d.empty()) {
                fPatterns.push_back({d, false});
                ++count;
            }
        }
        return count;
    };
    fBlockStartCount = addDelimiters(styler.MultiCommentLeft, true);
    fBlockEndCount = addDelimiters(styler.MultiCommentRight, false);

    const std::string numberChars = AnsiUpperCase(styler.NumberChars);
    FillFromUpperSet(fNumberStart, numberChars + AnsiUpperCase(styler.HexIdentifier));
    const std::string body = numberChars + std::string(kExponent);
    FillFromUpperSet(fNumberBody, body);
    FillFromUpperSet(fNumberBodyHex, body + std::string(kHexDigits));

    for (char c : kWordBreaks) {
        fWordBreak[Byte(c)] = true;
    }
    for (char c : settings.Delimiters) {
        fWordBreak[Byte(c)] = true;
        fDelimiters[Byte(c)] = true;
    }
    for (int i = 0; i < styles.Count(); ++i) {
        TElementStyle& style = styles.Items(i);
        switch (style.StyleType()) {
            case stKeyword: {
                style.KeyWords().SetCaseSensitive(settings.CaseSensitive);
                fKeywordStyles.push_back({i, &style.KeyWords()});
                for (int k = 0; k < style.KeyWords().Count(); ++k) {
                    fKeywordLengths.push_back(style.KeyWords().View(k).size());
                }
                break;
            }
            case stSymbol:
                for (char c : style.Symbols()) {
                    fDelimiterChar[Byte(c)] = true;
                    if (fSymbolStyle[Byte(c)] < 0) {
                        fSymbolStyle[Byte(c)] = i;
                    }
                }
                break;
            case stBracket:
                fDelimiterChar[Byte(style.BracketStart())] = true;
                fDelimiterChar[Byte(style.BracketEnd())] = true;
                if (fBracketStyle[Byte(style.BracketStart())] < 0) {
                    fBracketStyle[Byte(style.BracketStart())] = i;
                }
                break;
            case stComment:
                break;
        }
    }
    std::sort(fKeywordLengths.begin(), fKeywordLengths.end());
    fKeywordLengths.erase(std::unique(fKeywordLengths.begin(), fKeywordLengths.end()),
                          fKeywordLengths.end());
    fEscape = styler.EscapeChar.empty() ? '\0' : styler.EscapeChar[0];
    fLiteralPrefix = styler.LiteralPrefix;

    // Characters at which anything but a plain character can happen.
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        bool special =
            fNumberStart[Byte(ch)] || fSymbolStyle[Byte(ch)] >= 0 || fBracketStyle[Byte(ch)] >= 0;
        for (const TTokenRest::Pattern& p : fPatterns) {
            if (!p.text.empty() &&
                (p.foldCase ? AnsiUpperChar(ch) == p.text[0] : ch == p.text[0])) {
                special = true;
            }
        }
        if (!settings.Delimiters.empty() && (ch == ' ' || fDelimiters[Byte(ch)])) {
            special = true;  // word starts there
        }
        fSpecial[Byte(ch)] = special;
    }
}

bool TLineTokenizer::LiteralBefore(char previous) const {
    return fLiteralPrefix.size() == 1 && previous == fLiteralPrefix[0];
}

TLineTokenizer::BracketStep TLineTokenizer::StepBracket(std::string_view text, char previous,
                                                        const HighlightState& state) const {
    BracketStep step;
    step.EmitState = state;
    step.After = state;
    if (text.empty()) {
        return step;
    }
    const char c = text[0];
    if (state.InBracket) {
        if (fEscape != '\0' && c == fEscape) {
            step.Take = text.size() > 1 ? 2 : 1;  // the escape and whatever follows it
            return step;
        }
        const bool closes = state.BracketEnd != '\0'
                                ? c == state.BracketEnd && !LiteralBefore(previous)
                                : fDelimiterChar[Byte(c)];
        if (closes) {
            step.Take = state.BracketEnd != '\0' ? 1 : 0;  // a delimiter is not part of it
            step.After.InBracket = false;
            step.After.BracketStart = '\0';
            step.After.BracketEnd = '\0';
            step.After.StyleIndex = HighlightState::kNoStyle;
            return step;
        }
        step.Take = 1;
        return step;
    }
    const int style = fBracketStyle[Byte(c)];
    if (style >= 0 && !LiteralBefore(previous)) {
        const TElementStyle& element = fSettings.Styler->AllStyles().Items(style);
        step.Take = 1;
        step.EmitState.InBracket = true;
        step.EmitState.BracketStart = element.BracketStart();
        step.EmitState.BracketEnd = element.BracketEnd();
        step.EmitState.StyleIndex = style;
        step.After = step.EmitState;
    }
    return step;
}

// One call of TokenizeLine: the running state, the pending run and the search caches.
class TLineTokenizer::Run {
  public:
    Run(const TLineTokenizer& t, std::string_view line, HighlightState state,
        IHighlightRunSink& sink)
        : fT(t), fSink(sink), fState(state), fPendingBegin(line.data()), fPendingState(state) {}

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
        if (fState == fPendingState && fPendingBegin + fPendingLength == text) {
            fPendingLength += length;
        } else {
            Flush();
            fPendingBegin = text;
            fPendingLength = length;
            fPendingState = fState;
        }
        fState.ClearOneShotFlags();
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

  private:
    void Flush() {
        if (fPendingLength > 0) {
            fSink.Run({fPendingBegin, fPendingLength}, fPendingState);
        }
        fPendingLength = 0;
    }
    size_t WordEnd(std::string_view piece, size_t cursor);
    size_t NextSpecial(std::string_view piece, size_t cursor);
    size_t PlainStretch(std::string_view piece, size_t cursor, bool wordStart);
    size_t BlockStartAtCursor(const TTokenRest& rest) const;
    size_t BlockEndAfterCursor(const TTokenRest& rest) const;
    size_t NumberLength(const TTokenRest& rest) const;
    bool Keyword(std::string_view piece, size_t cursor, size_t end);

    const TLineTokenizer& fT;
    IHighlightRunSink& fSink;
    HighlightState fState;
    const char* fPendingBegin;
    size_t fPendingLength = 0;
    HighlightState fPendingState;
    bool fLineCommentStarted = false;
    size_t fBreakFrom = kNone;  // WordEnd cache: searched from fBreakFrom, found fBreakAt
    size_t fBreakAt = kNone;
    size_t fSpecialAt = kNone;  // next special character at or after the last query
    size_t fSpecialFrom = kNone;
};

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

size_t TLineTokenizer::Run::NextSpecial(std::string_view piece, size_t cursor) {
    if (fSpecialFrom != kNone && fSpecialFrom <= cursor && cursor <= fSpecialAt) {
        return fSpecialAt;
    }
    size_t at = cursor;
    while (at < piece.size() && !fT.fSpecial[Byte(piece[at])]) {
        ++at;
    }
    fSpecialFrom = cursor;
    fSpecialAt = at;
    return at;
}

size_t TLineTokenizer::Run::PlainStretch(std::string_view piece, size_t cursor, bool wordStart) {
    size_t end = NextSpecial(piece, cursor);
    if (!fT.fSettings.Delimiters.empty()) {
        // Inside a word only its first character is a word start.
        return wordStart ? 0 : end - cursor;
    }
    if (!fT.fKeywordStyles.empty()) {
        // Every position is a word start, but a keyword can only match where the rest of the
        // word is exactly as long as one of the keywords.
        const size_t wordEnd = WordEnd(piece, cursor);
        end = std::min(end, wordEnd);
        for (size_t length : fT.fKeywordLengths) {
            if (length > wordEnd) {
                break;
            }
            const size_t candidate = wordEnd - length;
            if (candidate == cursor) {
                return 0;
            }
            if (candidate > cursor && candidate < end) {
                end = candidate;
            }
        }
    }
    return end - cursor;
}

size_t TLineTokenizer::Run::BlockStartAtCursor(const TTokenRest& rest) const {
    for (size_t i = kFirstBlockStart; i < kFirstBlockStart + fT.fBlockStartCount; ++i) {
        if (rest.Occurs(i)) {
            return rest.FirstOccurrenceAtCursor(i) ? fT.fPatterns[i].text.size() : 0;
        }
    }
    return 0;
}

size_t TLineTokenizer::Run::BlockEndAfterCursor(const TTokenRest& rest) const {
    // Inside a comment nothing stays in front of the cursor, so the rest is the suffix.
    const size_t first = kFirstBlockStart + fT.fBlockStartCount;
    for (size_t i = first; i < first + fT.fBlockEndCount; ++i) {
        const size_t at = rest.NextInSuffix(i);
        if (at != kNone) {
            return at + fT.fPatterns[i].text.size();
        }
    }
    return kNone;
}

size_t TLineTokenizer::Run::NumberLength(const TTokenRest& rest) const {
    const std::string_view piece = rest.Piece();
    const size_t start = rest.Cursor();
    size_t q = start;
    const std::array<bool, 256>* allowed = &fT.fNumberBody;
    if (!fT.fPatterns[kHexPrefix].text.empty() && rest.FirstOccurrenceAtCursor(kHexPrefix)) {
        allowed = &fT.fNumberBodyHex;
        q += fT.fPatterns[kHexPrefix].text.size();
    }
    size_t firstPeriod = kNone;
    while (q < piece.size() && (*allowed)[Byte(piece[q])]) {
        if (piece[q] == '.') {
            if (firstPeriod != kNone) {
                return firstPeriod - start;  // a second period: the number ends at the first
            }
            firstPeriod = q;
        }
        ++q;
    }
    return q - start;
}

bool TLineTokenizer::Run::Keyword(std::string_view piece, size_t cursor, size_t end) {
    const std::string_view word = piece.substr(cursor, end - cursor);
    if (!std::binary_search(fT.fKeywordLengths.begin(), fT.fKeywordLengths.end(), word.size())) {
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
    TTokenRest rest(piece, fT.fPatterns);
    bool wordStart = true;
    bool consumed = false;
    char previous = '\0';
    const bool noDelimiters = fT.fSettings.Delimiters.empty();
    while (!rest.Empty() && !rest.AtEnd()) {
        size_t at = rest.Cursor();
        const char c = piece[at];
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
            if (!fState.InBracket && rest.FirstOccurrenceAtCursor(kLineComment)) {
                fState.InComment = true;
                Emit(piece.data() + at, piece.size() - at);
                fLineCommentStarted = true;
                return;
            }
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
            if (Keyword(piece, at, end)) {
                rest.DeleteAtCursor(end - at);
                consumed = true;
                continue;
            }
        }

        Emit(piece.data() + at, 1);
        rest.Keep(1);
    }
}

}  // namespace tarnwick::editor
