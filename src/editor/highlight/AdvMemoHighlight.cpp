// The editor's side of line highlighting: the start state of the first visible line, the
// per-line caches, and tokenizing for the painter.
#include "editor/control/AdvCustomMemo.h"
#include "editor/highlight/AdvCustomMemoStyler.h"

namespace tarnwick::editor {

void TAdvCustomMemo::RebuildDelimiters() {
    fDelimiters.clear();
    if (fSyntaxStyles == nullptr) {
        return;
    }
    const TElementStyles& styles = fSyntaxStyles->AllStyles();
    for (int i = 0; i < styles.Count(); ++i) {
        if (styles.Items(i).StyleType() == stSymbol) {
            fDelimiters += styles.Items(i).Symbols();
        }
    }
}

HighlightState TAdvCustomMemo::StartStateOfLine(int n) {
    RebuildDelimiters();
    return fScanner.Scan(*fLines, n, fSyntaxStyles, fUseStyler, fDelimiters, UrlAware);
}

HighlightState TAdvCustomMemo::FirstVisibleLineStartState() {
    const int first = FirstVisibleLine();
    if (fRememberedLine == first) {
        return fRememberedState;
    }
    {
        const auto quiet = SuspendNotify();
        fRememberedState = StartStateOfLine(first);
    }
    fRememberedLine = first;
    return fRememberedState;
}

void TAdvCustomMemo::InvalidateStartStateCaches(int a, int b) {
    if (a > b) {
        std::swap(a, b);
    }
    a = std::max(a, 0);
    b = std::min(b, fLines->Count() - 1);
    for (int i = a; i <= b; ++i) {
        if (TLineProp* record = fLines->StoredLineProp(i)) {
            record->StartStateValid = false;
        }
    }
}

void TAdvCustomMemo::InvalidateAllStartStateCaches() {
    InvalidateStartStateCaches(0, fLines->Count() - 1);
}

void TAdvCustomMemo::ScrollFirstVisibleLine(int line) {
    fView.ScrollTopLine(line);
}

void TAdvCustomMemo::TopLineChanged(int oldLine, int newLine) {
    InvalidateStartStateCaches(oldLine, newLine);
    Invalidate();
}

void TAdvCustomMemo::PrepareHighlighting() {
    TTokenizerSettings settings;
    settings.Styler = fSyntaxStyles;
    settings.UseStyler = fUseStyler;
    settings.CaseSensitive = fCaseSensitive;
    settings.Delimiters = fDelimiters;
    settings.HighlightText = HighlightText;
    settings.UrlAware = UrlAware;
    fTokenizer.Prepare(settings);
}

HighlightState TAdvCustomMemo::TokenizeLine(std::string_view text, HighlightState state,
                                            IHighlightRunSink& sink) const {
    return fTokenizer.TokenizeLine(text, state, sink);
}

HighlightState TAdvCustomMemo::TokenizeLineForPaint(int index, std::string_view text,
                                                    HighlightState state, IHighlightRunSink& sink,
                                                    size_t firstByte, size_t stopAt) {
    return fTokenCache.Tokenize(fTokenizer, *fLines, index, text, state, sink, firstByte, stopAt);
}

}  // namespace tarnwick::editor
