// The editor's own clipboard commands: Copy, Cut and Paste through the platform clipboard.
#include <algorithm>

#include "editor/AdvCustomMemo.h"
#include "editor/EditColumns.h"
#include "editor/ScopedValue.h"
#include "platform/Clipboard.h"

namespace tarnwick::editor {

namespace {
// Every lone CR, lone LF and LF CR pair becomes CR LF.
std::string NormaliseLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            result.push_back(c);
            continue;
        }
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') &&
            text[i + 1] != c) {
            ++i;  // CR LF or LF CR: one break
        }
        result.append("\r\n");
    }
    return result;
}

bool Allowed(TAdvCustomMemo& memo, TClipboardAction action, bool ask) {
    bool allow = true;
    if (ask && memo.OnClipboardAction) {
        memo.OnClipboardAction(memo, action, allow);
    }
    return allow;
}
}  // namespace

void TAdvCustomMemo::CopySelection(bool ask) {
    if (!Allowed(*this, caCopy, ask)) {
        return;
    }
    Clipboard* clipboard = ActiveClipboard();
    if (clipboard != nullptr && (fEditSettings.ClipboardFormats & cfText) != 0) {
        clipboard->SetText(SelectedText());
    }
}

void TAdvCustomMemo::CutSelection(bool ask) {
    if (fEditSettings.ReadOnly || !Allowed(*this, caCut, ask)) {
        return;
    }
    if (Clipboard* clipboard = ActiveClipboard()) {
        clipboard->SetText(SelectedText());
    }
    DeleteSelectedText(true);
}

void TAdvCustomMemo::PasteClipboard(bool ask) {
    if (fEditSettings.ReadOnly || !Allowed(*this, caPaste, ask)) {
        return;
    }
    const int firstLine = fCurY;
    if (fAutoExpand && fCurY >= 0 && fCurY < fLines->Count()) {
        const std::string_view line = fLines->View(fCurY);
        const int length = columns::Length(line);
        if (fCurX > length) {
            TScopedValue<bool> quiet(fNotify, false);
            std::string padded(line);
            padded.append(static_cast<size_t>(fCurX - length), ' ');
            fLines->Put(fCurY, padded);
        }
    }
    Clipboard* clipboard = ActiveClipboard();
    if (clipboard != nullptr && clipboard->HasText()) {
        InsertAtCaret(NormaliseLineBreaks(clipboard->Text()));
    }
    for (int y = std::max(firstLine, 0); y <= fCurY && y < fLines->Count(); ++y) {
        fLines->SetLineModState(y, lmsModified);
    }
    Invalidate();
}

}  // namespace tarnwick::editor
