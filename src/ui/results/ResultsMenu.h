// The results list's row menu: Open, Show in Folder, Copy Path, Copy Name and Copy Folder
// Path for one row. Open and Show in Folder run the window's Open File and Open Folder
// commands (which act on the selected row, so the window selects the row before the menu
// opens); the copy items put the row's texts on the clipboard themselves. The row's path is
// kept as bytes while the menu is open: the clipboard gets its readable text, and Copy Path
// also its percent-encoded file URI (FileMimeData.h).
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <string>

class QAction;
class QMenu;
class QWidget;

namespace tarnwick::search {
struct ResultRow;
}  // namespace tarnwick::search

namespace tarnwick::ui {

class ResultsMenu final : public QObject {
    Q_OBJECT
  public:
    struct Commands {
        std::function<void()> open;
        std::function<void()> showInFolder;
    };

    // The menu is a child of `parent` named "ListView1Menu"; its items are named
    // "RowOpen", "RowShowInFolder", "RowCopyPath", "RowCopyName" and "RowCopyFolderPath".
    ResultsMenu(QWidget* parent, Commands commands);

    // Opens the menu for `row` at `globalPos` and returns at once; an item chosen later acts
    // on this row.
    void Popup(const search::ResultRow& row, const QPoint& globalPos);
    QMenu& Menu() { return *fMenu; }

  private:
    QMenu* fMenu;
    Commands fCommands;
    std::string fPath;  // the bytes of the row the menu was opened for
    std::string fName;
};

}  // namespace tarnwick::ui
