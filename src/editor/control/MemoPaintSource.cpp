#include "editor/control/MemoPaintSource.h"

#include "editor/control/AdvCustomMemo.h"

namespace tarnwick::editor {

const TAdvMemoStrings& TMemoPaintSource::Lines() const {
    return fMemo.Lines();
}

TColor TMemoPaintSource::BkColor() const {
    return fMemo.BkColor();
}

const TAdvCustomMemoStyler* TMemoPaintSource::SyntaxStyles() const {
    return fMemo.SyntaxStyles();
}

const TAdvMemoBlockMatch& TMemoPaintSource::BlockMatch() const {
    return fMemo.BlockMatch();
}

int TMemoPaintSource::FirstVisibleColumn() const {
    return fMemo.FirstVisibleColumn();
}

int TMemoPaintSource::CurY() const {
    return fMemo.CurY();
}

bool TMemoPaintSource::HasSelection() const {
    return fMemo.HasSelection();
}

TTextPos TMemoPaintSource::SelectionStart() const {
    return fMemo.SelectionStart();
}

TTextPos TMemoPaintSource::SelectionEnd() const {
    return fMemo.SelectionEnd();
}

bool TMemoPaintSource::Focused() const {
    return fMemo.Focused();
}

bool TMemoPaintSource::FindDialogOpen() const {
    return fMemo.FindDialogOpen();
}

HighlightState TMemoPaintSource::FirstVisibleLineStartState() {
    return fMemo.FirstVisibleLineStartState();
}

void TMemoPaintSource::PrepareHighlighting() {
    fMemo.PrepareHighlighting();
}

HighlightState TMemoPaintSource::TokenizeLineForPaint(int index, std::string_view text,
                                                      HighlightState state, IHighlightRunSink& sink,
                                                      size_t firstByte, size_t stopAt) {
    return fMemo.TokenizeLineForPaint(index, text, state, sink, firstByte, stopAt);
}

}  // namespace tarnwick::editor
