// TFindTarget: what the find and replace engine reads and changes of the editor it searches:
// the lines, the caret and the selection ends, the horizontal view (to show a whole match),
// repaint requests, and the insertion that replaces a match. Columns count characters.
#pragma once

#include <string>

#include "editor/document/TextPos.h"
#include "platform/Interface.h"

namespace tarnwick::editor {

class TAdvMemoStrings;

class TFindTarget : public platform::Interface {
  public:
    virtual const TAdvMemoStrings& Lines() const = 0;
    virtual bool ReadOnly() const = 0;

    // --- Caret and selection
    virtual int CurX() const = 0;
    virtual int CurY() const = 0;
    virtual void SetCaretLine(int line) = 0;
    virtual void SetCaretColumn(int column) = 0;
    virtual TTextPos SelectionAnchor() const = 0;
    virtual TTextPos SelectionActiveEnd() const = 0;
    virtual TTextPos SelectionStart() const = 0;
    virtual TTextPos SelectionEnd() const = 0;
    virtual bool HasSelection() const = 0;
    // Both ends, without moving the caret or raising events.
    virtual void SetSelectionEnds(TTextPos anchor, TTextPos activeEnd) = 0;

    // --- The view's columns
    virtual int FirstVisibleColumn() const = 0;
    virtual int LastVisibleColumn() const = 0;
    virtual int VisibleColumns() const = 0;
    virtual void SetFirstVisibleColumn(int column) = 0;
    virtual void Invalidate() = 0;

    // Replaces the selection by text at the caret, as one undo step.
    virtual void InsertAtCaret(const std::string& text) = 0;
};

}  // namespace tarnwick::editor
