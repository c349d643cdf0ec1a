// The editor's side of the styler: attaching, detaching and the delimiter test.
#include "editor/control/AdvCustomMemo.h"
#include "editor/document/AnsiCase.h"
#include "editor/highlight/AdvCustomMemoStyler.h"

namespace tarnwick::editor {

void TAdvCustomMemo::SetSyntaxStyles(TAdvCustomMemoStyler* styler) {
    if (fSyntaxStyles != nullptr && fSyntaxStyles != styler) {
        fSyntaxStyles->RemoveFreeNotification(this);
    }
    fSyntaxStyles = styler;
    fUseStyler = styler != nullptr;
    if (styler != nullptr) {
        styler->AddFreeNotification(this);
        TElementStyles& styles = styler->AllStyles();
        styles.SetEditor(this);
        for (int i = 0; i < styles.Count(); ++i) {
            TElementStyle& style = styles.Items(i);
            if (style.StyleType() != stKeyword) {
                continue;
            }
            TStringList& words = style.KeyWords();
            words.SetSorted(false);
            if (!fCaseSensitive) {
                for (int k = 0; k < words.Count(); ++k) {
                    words.Put(k, AnsiLowerCase(words.View(k)));
                }
            }
            words.SetSorted(true);
        }
    }
    DropRememberedStartState();
    Invalidate();
}

void TAdvCustomMemo::SetUseStyler(bool use) {
    fUseStyler = use;
    Invalidate();
}

void TAdvCustomMemo::StylerDestroyed(TAdvCustomMemoStyler& styler) {
    if (fSyntaxStyles == &styler) {
        fSyntaxStyles = nullptr;
        DropRememberedStartState();
        Invalidate();
    }
}

bool TAdvCustomMemo::IsDelimiterChar(char c) const {
    if (c == ' ' || c == '"' || c == '\'' || c == ',' || c == ';') {
        return true;
    }
    if (fSyntaxStyles == nullptr || !fUseStyler) {
        return false;
    }
    const TElementStyles& styles = fSyntaxStyles->AllStyles();
    for (int i = 0; i < styles.Count(); ++i) {
        const TElementStyle& style = styles.Items(i);
        if (style.StyleType() == stSymbol && style.Symbols().find(c) != std::string::npos) {
            return true;
        }
        if (style.StyleType() == stBracket &&
            (style.BracketStart() == c || style.BracketEnd() == c)) {
            return true;
        }
    }
    return false;
}

}  // namespace tarnwick::editor
