// Builds the editor's context menu as a QMenu from the control's menu model: captions with the
// shortcut text after a tab, the editor's 16 x 16 pictures (the desktop theme's where it has
// them), enabled states, and each item's click sent back to the control.
#pragma once

#include <QIcon>
#include <QMenu>

#include "editor/control/AdvCustomMemo.h"

namespace tarnwick::ui {

// The picture of an item: the icon theme's, else our own artwork; a null icon for None.
QIcon MemoMenuIcon(editor::TMemoMenuImage image);

// A menu for the control's current ContextMenu(); the actions call back into memo, which must
// outlive the menu.
QMenu* BuildMemoMenu(editor::TAdvCustomMemo& memo, QWidget* parent);

}  // namespace tarnwick::ui
