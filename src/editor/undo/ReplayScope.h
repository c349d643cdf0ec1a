// TReplayScope: an undo or redo being replayed. For the length of the scope the undo list takes
// no records and the editor's automatic indent is off, so that replaying an edit neither records
// it again nor indents the line breaks it types back. Both switches come back together when the
// scope ends, also when an exception leaves it. (The line list's change notification is not
// part of it: a replay raises the events of the operations it stands for, and applies its edit
// steps with notifications off step by step.)
#pragma once

#include "editor/control/ScopedValue.h"

namespace tarnwick::editor {

class [[nodiscard]] TReplayScope {
  public:
    TReplayScope(bool& replaying, bool& autoIndent)
        : fReplaying(replaying, true), fNoIndent(autoIndent, false) {}

  private:
    TScopedValue<bool> fReplaying;
    TScopedValue<bool> fNoIndent;
};

}  // namespace tarnwick::editor
