// TMemoFindTarget: the editor control as the find and replace engine sees it. Every call goes to
// the control's member of the same name; whoever runs the engine on a control makes one.
#pragma once

#include "editor/find/FindTarget.h"

namespace tarnwick::editor {

class TAdvCustomMemo;

class TMemoFindTarget final : public TFindTarget {
  public:
    // memo must outlive the target.
    explicit TMemoFindTarget(TAdvCustomMemo& memo) : fMemo(memo) {}

    const TAdvMemoStrings& Lines() const override;
    bool ReadOnly() const override;
    int CurX() const override;
    int CurY() const override;
    void SetCaretLine(int line) override;
    void SetCaretColumn(int column) override;
    TTextPos SelectionAnchor() const override;
    TTextPos SelectionActiveEnd() const override;
    TTextPos SelectionStart() const override;
    TTextPos SelectionEnd() const override;
    bool HasSelection() const override;
    void SetSelectionEnds(TTextPos anchor, TTextPos activeEnd) override;
    int FirstVisibleColumn() const override;
    int LastVisibleColumn() const override;
    int VisibleColumns() const override;
    void SetFirstVisibleColumn(int column) override;
    void Invalidate() override;
    void InsertAtCaret(const std::string& text) override;

  private:
    TAdvCustomMemo& fMemo;
};

}  // namespace tarnwick::editor
