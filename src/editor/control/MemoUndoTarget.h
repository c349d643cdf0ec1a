// TMemoUndoTarget: the editor control as undo and redo see it. Every call goes to the control's
// operation of the same name; the control owns one and gives it to its undo list.
#pragma once

#include "editor/undo/UndoTarget.h"

namespace tarnwick::editor {

class TAdvCustomMemo;

class TMemoUndoTarget final : public TUndoTarget {
  public:
    // memo must outlive the target.
    explicit TMemoUndoTarget(TAdvCustomMemo& memo) : fMemo(memo) {}

    int LineCount() const override;
    void ReplaySteps(const std::vector<TEditStep>& steps, bool forward) override;
    void ReplayDeletion(const std::vector<TEditStep>& steps, bool forward, TTextPos caret) override;
    int CurX() const override;
    int CurY() const override;
    void SetCaretColumn(int column) override;
    void SetCaretLine(int line) override;
    void SetSelectionEnds(TTextPos anchor, TTextPos activeEnd) override;
    void SetFollowPoint(TTextPos point) override;
    void CollapseSelection() override;
    void KeepCaretVisible() override;
    void MarkCaretLine() override;
    void SetOverwrite(bool on) override;
    bool AutoIndent() const override;
    void SetAutoIndent(bool on) override;
    void LinesChanged() override;
    void RaiseSelectionChange() override;
    void Invalidate() override;

  private:
    TAdvCustomMemo& fMemo;
};

}  // namespace tarnwick::editor
