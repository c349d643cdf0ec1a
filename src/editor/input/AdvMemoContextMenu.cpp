// The editor's context menu: when a request gets the editor's own menu, which items it has and
// when they are enabled, and what a chosen item does.
#include "editor/control/AdvCustomMemo.h"
#include "platform/Clipboard.h"

namespace tarnwick::editor {

namespace {
bool Inside(const platform::SurfaceRect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

TMemoMenuItem Item(const std::string& caption, char key, TMemoMenuImage image, bool enabled,
                   int command) {
    TMemoMenuItem item;
    item.Caption = caption;
    item.Shortcut = std::string("Ctrl+") + key;
    item.Image = image;
    item.Enabled = enabled;
    item.Command = command;
    return item;
}

TMemoMenuItem Separator() {
    TMemoMenuItem item;
    item.Caption = "-";
    return item;
}
}  // namespace

bool TAdvCustomMemo::ContextMenuRequested(int x, int y) {
    fContextMenu = {};
    if ((fView.VerticalBar().Visible && Inside(fView.VerticalBarRect(), x, y)) ||
        (fView.HorizontalBar().Visible && Inside(fView.HorizontalBarRect(), x, y))) {
        return false;
    }
    const int gutterWidth = fView.GutterShown() ? fView.GutterWidth() : 0;
    if (x <= gutterWidth) {
        return false;
    }
    const bool writable = !fEditSettings.ReadOnly;
    const bool selected = SelectionLength() > 0;
    const platform::Clipboard* clipboard = ActiveClipboard();
    const bool clipboardText = clipboard != nullptr && clipboard->HasText();
    const TUILanguage& ui = UILanguage;
    std::vector<TMemoMenuItem>& items = fContextMenu.Items;
    items.push_back(Item(ui.Undo, 'Z', TMemoMenuImage::Undo, CanUndo() && writable, cmUndo));
    items.push_back(Item(ui.Redo, 'Y', TMemoMenuImage::Redo, CanRedo() && writable, cmRedo));
    items.push_back(Separator());
    items.push_back(Item(ui.Copy, 'C', TMemoMenuImage::Copy, selected, cmCopy));
    items.push_back(Item(ui.Cut, 'X', TMemoMenuImage::Cut, selected, cmCut));
    items.push_back(Item(ui.Paste, 'V', TMemoMenuImage::Paste, clipboardText && writable, cmPaste));
    items.push_back(Separator());
    items.push_back(Item(ui.SelectAll, 'A', TMemoMenuImage::None, true, cmSelectAll));
    if (OnCustomizeContextMenu) {
        const TCellPoint cell = fView.PointToCell(x, y);
        OnCustomizeContextMenu(*this, cell.Column, cell.Row, fContextMenu);
    }
    return true;
}

void TAdvCustomMemo::ContextMenuClick(const TMemoMenuItem& item) {
    if (item.OnClick) {
        item.OnClick();
        return;
    }
    switch (item.Command) {
        case cmUndo:
        case cmRedo:
        case cmCopy:
        case cmCut:
        case cmPaste:
        case cmDelete:
        case cmSelectAll:
            ContextMenuCommand(item.Command);
            break;
        default:
            if (OnCustomContextMenuClick) {
                OnCustomContextMenuClick(*this, item);
            }
            break;
    }
}

void TAdvCustomMemo::ContextMenuCommand(int command) {
    switch (command) {
        case cmUndo:
            Undo();
            break;
        case cmRedo:
            Redo();
            break;
        case cmCopy:
            CopySelection(true);
            break;
        case cmCut:
            CutSelection(true);
            break;
        case cmPaste:
            PasteClipboard(true);
            break;
        case cmDelete:
            DeleteSelectedText(true);
            break;
        case cmSelectAll:
            SelectAllText();
            break;
        default:
            break;
    }
}

}  // namespace tarnwick::editor
