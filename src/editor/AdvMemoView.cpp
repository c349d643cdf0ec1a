// The editor's view state: the text area in cells and repaint requests to the host.
#include "editor/AdvCustomMemo.h"

namespace tarnwick::editor {

void TAdvCustomMemo::SetTextAreaCells(int columns, int rows) {
    fVisibleColumns = columns < 0 ? 0 : columns;
    fVisibleRows = rows < 0 ? 0 : rows;
    Invalidate();
}

void TAdvCustomMemo::Invalidate() {
    ++fInvalidateCount;
    if (OnInvalidate) {
        OnInvalidate();
    }
}

}  // namespace tarnwick::editor
