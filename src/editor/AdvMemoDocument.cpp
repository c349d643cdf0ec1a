// The editor's document glue: construction, the line-change handler, bulk resets.
#include "editor/AdvCustomMemo.h"
#include "editor/AdvCustomMemoStyler.h"

namespace tarnwick::editor {

TAdvCustomMemo::TAdvCustomMemo() : fLines(std::make_unique<TAdvMemoStrings>(this)) {
    fBookmarks.fill(kNoLine);
    fLines->Add("");
    AttachLinesChanged();
}

void TAdvCustomMemo::AttachLinesChanged() {
    fLines->OnChange = [this](TStrings&) { LinesChanged(); };
}

void TAdvCustomMemo::DetachLinesChanged() {
    fLines->OnChange = nullptr;
}

TAdvCustomMemo::~TAdvCustomMemo() {
    DetachLinesChanged();
    fUndoList.SetDestroying();
    if (fSyntaxStyles != nullptr) {
        fSyntaxStyles->RemoveFreeNotification(this);
    }
}

void TAdvCustomMemo::SetBkColor(TColor color) {
    fBkColor = color;
    Invalidate();
}

void TAdvCustomMemo::LinesChanged() {
    if (!fNotify) {
        return;
    }
    if (OnChange) {
        OnChange(*this);
    }
    // Only a LineLengths in step with the lines gives a meaningful longest length.
    if (static_cast<int>(fLines->LineLengths().size()) == fLines->Count()) {
        fLongestLineLength = fLines->LongestOfLineLengths();
    }
    KeepCaretVisible();
    Invalidate();
}

void TAdvCustomMemo::ResetCaretAndSelection() {
    fAnchor = {};
    fActiveEnd = {};
    fFollowPoint = {};
    fCurY = 0;
    fCurX = 0;
}

void TAdvCustomMemo::ResetForBulkCopy() {
    ResetCaretAndSelection();
    fFirstVisibleLine = 0;
    fFirstVisibleColumn = 0;
    DropRememberedStartState();
    fLines->fStore.FreeAllRecords();
}

}  // namespace tarnwick::editor
