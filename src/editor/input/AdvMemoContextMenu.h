// The editor's context menu as a toolkit-free model: items with caption, shortcut text,
// picture, enabled state and a command code. The editor builds it on request; a host shows it
// with its own menu and sends the chosen item back. A separator item has no command.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tarnwick::editor {

// The editor's pictures, in the order of its picture list.
enum class TMemoMenuImage { None = -1, Cut = 0, Copy, Paste, Undo, Redo };

// Command codes the editor's click handler knows; other codes go to OnCustomContextMenuClick.
enum TMemoMenuCommand : int {
    cmNone = 0,
    cmUndo = 1,
    cmRedo = 2,
    cmCopy = 3,
    cmCut = 4,
    cmPaste = 5,
    cmDelete = 6,  // no item carries it
    cmSelectAll = 7,
};

struct TMemoMenuItem {
    std::string Caption;   // "-" for a separator
    std::string Shortcut;  // display only, shown right-aligned after the caption
    TMemoMenuImage Image = TMemoMenuImage::None;
    bool Enabled = true;
    int Command = cmNone;
    // An item's own click handler; items without one get the editor's handler.
    std::function<void()> OnClick;

    bool IsSeparator() const { return Caption == "-"; }
    // Caption, tab, shortcut: how a menu shows it.
    std::string Text() const { return Shortcut.empty() ? Caption : Caption + "\t" + Shortcut; }
};

struct TMemoContextMenu {
    std::vector<TMemoMenuItem> Items;
    int ScreenX = 0;  // where it pops up
    int ScreenY = 0;
};

}  // namespace tarnwick::editor
