// TUndoTarget: what undo and redo act on. The undo list holds one and hands it to each record
// when the record runs: the record applies its edit steps, moves the caret and the selection,
// and raises the events of the editing operations it stands for, through these calls only.
#pragma once

#include <vector>

#include "editor/document/EditSpan.h"
#include "editor/document/TextPos.h"
#include "platform/Interface.h"

namespace tarnwick::editor {

class TUndoTarget : public platform::Interface {
  public:
    // --- The text
    virtual int LineCount() const = 0;
    // Takes edit steps back (in reverse order) or does them again, notifications off.
    virtual void ReplaySteps(const std::vector<TEditStep>& steps, bool forward) = 0;
    // Replays steps that remove the selection, with the events of deleting it; the caret ends
    // at caret.
    virtual void ReplayDeletion(const std::vector<TEditStep>& steps, bool forward,
                                TTextPos caret) = 0;

    // --- Caret and selection
    virtual int CurX() const = 0;
    virtual int CurY() const = 0;
    virtual void SetCaretColumn(int column) = 0;
    virtual void SetCaretLine(int line) = 0;
    // Both ends, without moving the caret or raising events.
    virtual void SetSelectionEnds(TTextPos anchor, TTextPos activeEnd) = 0;
    virtual void SetFollowPoint(TTextPos point) = 0;
    virtual void CollapseSelection() = 0;
    virtual void KeepCaretVisible() = 0;
    // The caret line marked modified, without a change event.
    virtual void MarkCaretLine() = 0;
    virtual void SetOverwrite(bool on) = 0;
    // Whether Enter indents a new line like the one before (off while a replay types back
    // the line breaks it stands for).
    virtual bool AutoIndent() const = 0;
    virtual void SetAutoIndent(bool on) = 0;

    // --- Events
    // The text changed (OnChange and what follows it, unless notifications are off).
    virtual void LinesChanged() = 0;
    virtual void RaiseSelectionChange() = 0;
    virtual void Invalidate() = 0;
};

}  // namespace tarnwick::editor
