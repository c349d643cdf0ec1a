// TMemoBlockMatchSource: the editor control as its block match sees it. Every call goes to the
// control's member of the same name; the control owns one and hands it to each update.
#pragma once

#include "editor/blockmatch/BlockMatchSource.h"

namespace tarnwick::editor {

class TAdvCustomMemo;

class TMemoBlockMatchSource final : public TBlockMatchSource {
  public:
    // memo must outlive the source.
    explicit TMemoBlockMatchSource(TAdvCustomMemo& memo) : fMemo(memo) {}

    const TAdvMemoStrings& Lines() const override;
    const TAdvCustomMemoStyler* SyntaxStyles() const override;
    bool IsDelimiterChar(char c) const override;
    int CurY() const override;
    int FirstVisibleLine() const override;
    int VisibleRows() const override;
    void InvalidateLine(int line) override;

  private:
    TAdvCustomMemo& fMemo;
};

}  // namespace tarnwick::editor
