// TMemoPaintSource: the editor control as its renderer sees it. Every call goes to the
// control's member of the same name; the control owns one and hands it to its renderer.
#pragma once

#include "editor/view/PaintSource.h"

namespace tarnwick::editor {

class TAdvCustomMemo;

class TMemoPaintSource final : public TPaintSource {
  public:
    // memo must outlive the source.
    explicit TMemoPaintSource(TAdvCustomMemo& memo) : fMemo(memo) {}

    const TAdvMemoStrings& Lines() const override;
    TColor BkColor() const override;
    const TAdvCustomMemoStyler* SyntaxStyles() const override;
    const TAdvMemoBlockMatch& BlockMatch() const override;
    int FirstVisibleColumn() const override;
    int CurY() const override;
    bool HasSelection() const override;
    TTextPos SelectionStart() const override;
    TTextPos SelectionEnd() const override;
    bool Focused() const override;
    bool FindDialogOpen() const override;
    HighlightState FirstVisibleLineStartState() override;
    void PrepareHighlighting() override;
    HighlightState TokenizeLineForPaint(int index, std::string_view text, HighlightState state,
                                        IHighlightRunSink& sink, size_t firstByte,
                                        size_t stopAt) override;

  private:
    TAdvCustomMemo& fMemo;
};

}  // namespace tarnwick::editor
