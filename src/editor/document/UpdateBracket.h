// TUpdateBracket: an update bracket on a string list for the length of a scope. The bracket
// is closed when the scope ends, also when an exception leaves it, so a failed bulk change
// never leaves the list (and the editor's painting) locked.
#pragma once

#include "editor/document/Strings.h"

namespace tarnwick::editor {

class [[nodiscard]] TUpdateBracket {
  public:
    explicit TUpdateBracket(TStrings& list) : fList(list) { fList.BeginUpdate(); }
    ~TUpdateBracket() { fList.EndUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

  private:
    TStrings& fList;
};

}  // namespace tarnwick::editor
