// TStyledEditor: what a styler and its element styles know of an editor that uses them: the
// editor's background (the first colour of a new element style) and the notice that the styler
// is being destroyed. The editor registers itself with the styler and attaches itself to the
// styler's collection; it unregisters itself before it goes away.
#pragma once

#include "editor/view/Colors.h"
#include "platform/Interface.h"

namespace tarnwick::editor {

class TAdvCustomMemoStyler;

class TStyledEditor : public platform::Interface {
  public:
    virtual TColor BkColor() const = 0;
    // The styler is being destroyed; the editor must not use it from here on.
    virtual void StylerDestroyed(TAdvCustomMemoStyler& styler) = 0;
};

}  // namespace tarnwick::editor
