// The editor's own clipboard commands: Copy, Cut and Paste through the platform clipboard.
#include <algorithm>

#include "editor/control/AdvCustomMemo.h"
#include "editor/control/ScopedValue.h"
#include "editor/editing/EditColumns.h"
#include "platform/Clipboard.h"

namespace tarnwick::editor {

using platform::Clipboard;
using platform::WithCrLfLineBreaks;
using platform::WithLfLineBreaks;

namespace {
bool Allowed(TAdvCustomMemo& memo, TClipboardAction action, bool ask) {
    bool allow = true;
    if (ask && memo.OnClipboardAction) {
        memo.OnClipboardAction(memo, action, allow);
    }
    return allow;
}
}  // namespace

// Copy and Cut with nothing selected leave the clipboard alone: putting an empty text there
// would throw away what the user copied elsewhere. What they put there has LF line breaks.
void TAdvCustomMemo::CopySelection(bool ask) {
    if (SelectionLength() == 0 || !Allowed(*this, caCopy, ask)) {
        return;
    }
    Clipboard* clipboard = ActiveClipboard();
    if (clipboard != nullptr && (fEditSettings.ClipboardFormats & cfText) != 0) {
        clipboard->SetText(WithLfLineBreaks(SelectedText()));
    }
}

void TAdvCustomMemo::CutSelection(bool ask) {
    if (fEditSettings.ReadOnly || SelectionLength() == 0 || !Allowed(*this, caCut, ask)) {
        return;
    }
    if (Clipboard* clipboard = ActiveClipboard()) {
        clipboard->SetText(WithLfLineBreaks(SelectedText()));
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
        InsertAtCaret(WithCrLfLineBreaks(clipboard->Text()));
    }
    for (int y = std::max(firstLine, 0); y <= fCurY && y < fLines->Count(); ++y) {
        fLines->SetLineModState(y, lmsModified);
    }
    Invalidate();
}

}  // namespace tarnwick::editor
