// The editor's editing glue: the clipboard in use, the caret cell, the feature hooks, events
// raised on behalf of the operations, and writing undo records.
#include "editor/completion/AdvMemoCompletion.h"
#include "editor/control/AdvCustomMemo.h"
#include "editor/editing/EditColumns.h"
#include "platform/Clipboard.h"

namespace tarnwick::editor {

platform::Clipboard* TAdvCustomMemo::ActiveClipboard() const {
    return fClipboard != nullptr ? fClipboard : platform::Clipboard::Installed();
}

TTextPos TAdvCustomMemo::CaretCell() const {
    return {fCurX - FirstVisibleColumn(), fCurY - FirstVisibleLine()};
}

void TAdvCustomMemo::RefreshParameterHint() {
    if (fCompletion) {
        fCompletion->CaretMoved();
    }
}

void TAdvCustomMemo::UpdateBlockMatch() {
    fBlockMatch.Update(fBlockMatchSource);
    if (OnCursorChange) {
        OnCursorChange(*this);
    }
}

void TAdvCustomMemo::RaiseSelectionChange() {
    if (OnSelectionChange) {
        OnSelectionChange(*this);
    }
}

void TAdvCustomMemo::MarkCaretLine() {
    fLines->SetLineModState(fCurY, lmsModified);
}

size_t TAdvCustomMemo::CaretByte() const {
    if (fCurY < 0 || fCurY >= fLines->Count()) {
        return 0;
    }
    return columns::Byte(fLines->View(fCurY), fCurX);
}

void TAdvCustomMemo::AddRecord(std::unique_ptr<TUndo> record, TEditStep step) {
    record->Steps.push_back(std::move(step));
    fUndoList.Add(std::move(record));
}

}  // namespace tarnwick::editor
