// TBlockMatchSource: what the block match reads of its editor (the lines, the styler with its
// block word lists, the delimiters, the caret line, the visible lines) and the one thing it
// asks of it: repainting a line whose match changed. The editor hands one to each update.
#pragma once

#include "platform/Interface.h"

namespace tarnwick::editor {

class TAdvMemoStrings;
class TAdvCustomMemoStyler;

class TBlockMatchSource : public platform::Interface {
  public:
    virtual const TAdvMemoStrings& Lines() const = 0;
    // The styler in use, or nullptr.
    virtual const TAdvCustomMemoStyler* SyntaxStyles() const = 0;
    // Whether c ends a word for the editor (its delimiters, or its styler's).
    virtual bool IsDelimiterChar(char c) const = 0;
    virtual int CurY() const = 0;
    virtual int FirstVisibleLine() const = 0;
    virtual int VisibleRows() const = 0;
    virtual void InvalidateLine(int line) = 0;
};

}  // namespace tarnwick::editor
