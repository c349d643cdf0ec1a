// The editor's document glue: construction, the line-change handler, and the editor's answers
// to what its line list reports.
#include "editor/completion/AdvMemoCompletion.h"
#include "editor/control/AdvCustomMemo.h"
#include "editor/highlight/AdvCustomMemoStyler.h"

namespace tarnwick::editor {

TAdvCustomMemo::TAdvCustomMemo()
    : fLines(std::make_unique<TAdvMemoStrings>(static_cast<ILinesObserver*>(this))),
      fCompletion(std::make_unique<TAdvMemoCompletion>(*this, fView)) {
    fBookmarks.fill(kNoLine);
    fLines->Add("");
    AttachLinesChanged();
    fView.OnTopLineChanged.Add(
        [this](int oldLine, int newLine) { TopLineChanged(oldLine, newLine); });
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

void TAdvCustomMemo::Invalidate() {
    ++fInvalidateCount;
    if (OnInvalidate) {
        OnInvalidate();
    }
}

void TAdvCustomMemo::InvalidateLine(int line) {
    const int row = line - FirstVisibleLine();
    if (row < 0 || row > VisibleRows()) {
        return;
    }
    if (!OnInvalidateRect) {
        Invalidate();
        return;
    }
    const platform::SurfaceRect area = fView.TextAreaRect();
    const platform::SurfaceRect cell = fView.CellRect(0, row);
    OnInvalidateRect({area.Left, cell.Top, area.Right, cell.Bottom});
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

// --- What the line list reports

void TAdvCustomMemo::LineChanged(int index) {
    if (index < FirstVisibleLine()) {
        DropRememberedStartState();
    }
}

void TAdvCustomMemo::LinesInserting() {
    CollapseSelection();
}

void TAdvCustomMemo::LineInserted(int index) {
    if (index < FirstVisibleLine()) {
        DropRememberedStartState();
    }
    for (int& bookmark : fBookmarks) {
        if (bookmark >= index) {
            ++bookmark;
        }
    }
}

void TAdvCustomMemo::LinesInserted() {
    SetCaretColumn(fCurX);
    SetCaretLine(fCurY);
    KeepCaretVisible();
    Invalidate();
}

void TAdvCustomMemo::LineDeleting(int index) {
    if (index < FirstVisibleLine()) {
        DropRememberedStartState();
    }
    const TTextPos caret{fCurX, fCurY};
    const int count = fLines->Count();
    // The line goes as the delete-line operation removes the caret line.
    SetCaretLine(index);
    fListRemoval = BeginCaretLineRemoval();
    fListRemoval->Caret = caret;
    fListRemoval->Count = count;
}

void TAdvCustomMemo::LineDeleted(int index) {
    if (!fListRemoval) {
        return;
    }
    TLineRemoval removal = std::move(*fListRemoval);
    fListRemoval.reset();
    const TTextPos caret = removal.Caret;
    const int count = removal.Count;
    EndCaretLineRemoval(std::move(removal));
    // The caret goes back to its line; the column is restored as it was, without padding
    // whatever line now stands under it.
    fCurX = count == 1 ? 0 : caret.X;
    SetCaretLine(index < caret.Y ? caret.Y - 1 : caret.Y);
}

void TAdvCustomMemo::LinesClearing() {
    ResetCaretAndSelection();
    Invalidate();
    fFoldedRegionCount = 0;
}

void TAdvCustomMemo::BulkCopyStarting() {
    ResetCaretAndSelection();
    fView.SetFirstVisibleLine(0);
    fView.SetFirstVisibleColumn(0);
    DropRememberedStartState();
}

void TAdvCustomMemo::BulkCopyFinished() {
    LinesChanged();
}

void TAdvCustomMemo::LoadStarting() {
    // Loading starts from a clean editor: no selection, no undo, caret home, and no change
    // handling until the whole text is in.
    CollapseSelection();
    fUndoList.Clear();
    fCurX = 0;
    fCurY = 0;
    fNotify = false;
    DetachLinesChanged();
}

void TAdvCustomMemo::LoadEnded(bool loaded) {
    if (loaded) {
        DropRememberedStartState();
        fCurX = 0;
        fCurY = 0;
    }
    fNotify = true;
    AttachLinesChanged();
    if (loaded) {
        // Lines came in through the loader, which already replaced their tabs.
        fLongestLineLength = fLines->LongestOfLineLengths();
        LinesChanged();
        // Every record was created by this load, so every LineModState is already 0.
        Invalidate();
    }
}

void TAdvCustomMemo::LineStatesChanged() {
    Invalidate();
}

}  // namespace tarnwick::editor
