#include "editor/control/MemoBlockMatchSource.h"

#include "editor/control/AdvCustomMemo.h"

namespace tarnwick::editor {

const TAdvMemoStrings& TMemoBlockMatchSource::Lines() const {
    return fMemo.Lines();
}

const TAdvCustomMemoStyler* TMemoBlockMatchSource::SyntaxStyles() const {
    return fMemo.SyntaxStyles();
}

bool TMemoBlockMatchSource::IsDelimiterChar(char c) const {
    return fMemo.IsDelimiterChar(c);
}

int TMemoBlockMatchSource::CurY() const {
    return fMemo.CurY();
}

int TMemoBlockMatchSource::FirstVisibleLine() const {
    return fMemo.FirstVisibleLine();
}

int TMemoBlockMatchSource::VisibleRows() const {
    return fMemo.VisibleRows();
}

void TMemoBlockMatchSource::InvalidateLine(int line) {
    fMemo.InvalidateLine(line);
}

}  // namespace tarnwick::editor
