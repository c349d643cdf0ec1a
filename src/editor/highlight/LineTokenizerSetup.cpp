// Preparing the tokenizer for a paint: the character sets, delimiter lists and keyword
// lengths taken from the styler, and the bracketed-element step shared with the scanner.
#include <algorithm>

#include "editor/document/AnsiCase.h"
#include "editor/highlight/AdvCustomMemoStyler.h"
#include "editor/highlight/LineTokenizer.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {
namespace {

constexpr std::string_view kWordBreaks = " ;:";
constexpr std::string_view kFixedDelimiters = " \"',;";
constexpr std::string_view kHexDigits = "ABCDEF";
constexpr std::string_view kExponent = "E";

void FillFromUpperSet(std::array<bool, 256>& table, std::string_view upperSet) {
    for (int c = 0; c < 256; ++c) {
        table[static_cast<size_t>(c)] =
            upperSet.find(AnsiUpperChar(static_cast<char>(c))) != std::string_view::npos;
    }
}

}  // namespace

void TLineTokenizer::Prepare(const TTokenizerSettings& settings) {
    PrepareTables(settings);
    std::string fingerprint = Fingerprint();
    if (fingerprint != fFingerprint) {
        fFingerprint = std::move(fingerprint);
        ++fGeneration;
    }
}

// Everything a line's runs depend on besides its text and start state, as one string.
std::string TLineTokenizer::Fingerprint() const {
    std::string key;
    auto add = [&key](std::string_view part) {
        key += std::to_string(part.size());
        key += ':';
        key += part;
    };
    auto addTable = [&key](const auto& table) {
        for (const auto v : table) {
            key += std::to_string(static_cast<int>(v));
            key += ',';
        }
    };
    add(std::to_string(reinterpret_cast<uintptr_t>(fSettings.Styler)));
    add(std::string{fSettings.UseStyler, fSettings.CaseSensitive, fSettings.UrlAware, fActive,
                    fHasBlockComments, fResumable, fEscape});
    add(fSettings.Delimiters);
    add(fSettings.HighlightText);
    add(fLiteralPrefix);
    for (const TTokenRest::Pattern& p : fPatterns) {
        add(p.text);
        key += p.foldCase ? 'f' : 'x';
    }
    add(std::to_string(fBlockStartCount) + "/" + std::to_string(fBlockEndCount));
    for (const auto* table : {&fNumberStart, &fNumberBody, &fNumberBodyHex, &fWordBreak,
                              &fDelimiters, &fDelimiterChar, &fSpecial}) {
        addTable(*table);
    }
    addTable(fSymbolStyle);
    addTable(fBracketStyle);
    if (fActive) {
        const TElementStyles& styles = fSettings.Styler->AllStyles();
        for (int i = 0; i < styles.Count(); ++i) {
            const TElementStyle& style = styles.Items(i);
            add(std::string{style.BracketStart(), style.BracketEnd()});
        }
        key += fSettings.Styler->CustomKeywordDraw ? 'c' : 'n';
    }
    for (const KeywordStyle& style : fKeywordStyles) {
        add(std::to_string(style.Index) + (style.Words->Sorted() ? "s" : "u") +
            (style.Words->CaseSensitive() ? "c" : "i"));
        for (int k = 0; k < style.Words->Count(); ++k) {
            add(style.Words->View(k));
        }
    }
    return key;
}

void TLineTokenizer::PrepareTables(const TTokenizerSettings& settings) {
    fSettings = settings;
    fActive = settings.Styler != nullptr && settings.UseStyler;
    fResumable = false;
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
                    fKeywordLengths.push_back(
                        static_cast<size_t>(platform::utf8::CharCount(style.KeyWords().View(k))));
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
    fResumable = settings.HighlightText.empty() && !settings.UrlAware &&
                 settings.Delimiters.empty() && fBlockStartCount <= 1 && !styler.CustomKeywordDraw;

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

}  // namespace tarnwick::editor
