// The editor's editing operations on whole lines.
#include "editor/AdvCustomMemo.h"

namespace tarnwick::editor {

void TAdvCustomMemo::DeleteCaretLine() {
    const int count = fLines->Count();
    if (count == 0) {
        return;
    }
    const TTextPos before{fCurX, fCurY};
    const std::string removed(fLines->View(std::clamp(fCurY, 0, count - 1)));
    SetCaretColumn(0);
    // The removal itself takes the list's plain path, not this operation again.
    if (count == 1) {
        fLines->Put(0, "");
    } else if (fCurY >= count - 1) {
        SetCaretLine(count - 2);
        fLines->RemoveLine(count - 1);
    } else {
        fLines->RemoveLine(fCurY);
    }
    CollapseSelection();
    Invalidate();
    fUndoList.Add(std::make_unique<TDeleteLineUndo>(this, before, TTextPos{fCurX, fCurY}, removed));
}

}  // namespace tarnwick::editor
