// TReplayScope: an undo or redo being replayed. For the length of the scope the undo list takes
// no records and the editor's automatic indent is off, so that replaying an edit neither records
// it again nor indents the line breaks it types back. Both switches come back together when the
// scope ends, also when an exception leaves it. (The line list's change notification is not
// part of it: a replay raises the events of the operations it stands for, and applies its edit
// steps with notifications off step by step.)
#pragma once

#include "editor/control/ScopedValue.h"
#include "editor/undo/UndoTarget.h"

namespace tarnwick::editor {

class [[nodiscard]] TReplayScope {
  public:
    TReplayScope(bool& replaying, TUndoTarget& target)
        : fReplaying(replaying, true), fTarget(target), fAutoIndent(target.AutoIndent()) {
        fTarget.SetAutoIndent(false);
    }
    ~TReplayScope() { fTarget.SetAutoIndent(fAutoIndent); }
    TReplayScope(const TReplayScope&) = delete;
    TReplayScope& operator=(const TReplayScope&) = delete;

  private:
    TScopedValue<bool> fReplaying;
    TUndoTarget& fTarget;
    bool fAutoIndent;  // as it was when the scope opened
};

}  // namespace tarnwick::editor
