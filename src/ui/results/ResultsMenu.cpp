// The results list's row menu.
#include "ui/results/ResultsMenu.h"

#include "ui/window/HandlerBarrier.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

#include "search/ResultRow.h"
#include "ui/results/FileMimeData.h"
#include "ui/window/LocalPaths.h"

namespace tarnwick::ui {

using search::ResultRow;

namespace {

// The path's readable text, its file URI list and the GNOME file managers' copied file.
void CopyPath(const std::string& path) {
    QGuiApplication::clipboard()->setMimeData(FileClipboardData(path).release());
}

// A name or folder as text only: there is no file of that name to paste.
void CopyText(const std::string& bytes) {
    QGuiApplication::clipboard()->setText(DisplayPath(bytes));
}

}  // namespace

ResultsMenu::ResultsMenu(QWidget* parent, Commands commands)
    : QObject(parent), fMenu(new QMenu(parent)), fCommands(std::move(commands)) {
    fMenu->setObjectName(QStringLiteral("ListView1Menu"));
    auto item = [this](const char* name, const char* caption, const char* themeIcon,
                       std::function<void()> act) {
        QAction* action = fMenu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        if (themeIcon != nullptr) {
            action->setIcon(QIcon::fromTheme(QString::fromLatin1(themeIcon)));
        }
        connect(action, &QAction::triggered, this, Guarded(fMenu, std::move(act)));
    };
    item("RowOpen", "Open", "document-open", [this] {
        if (fCommands.open) {
            fCommands.open();
        }
    });
    item("RowShowInFolder", "Show in Folder", "folder-open", [this] {
        if (fCommands.showInFolder) {
            fCommands.showInFolder();
        }
    });
    fMenu->addSeparator();
    item("RowCopyPath", "Copy Path", "edit-copy", [this] { CopyPath(fPath); });
    item("RowCopyName", "Copy Name", nullptr, [this] { CopyText(fName); });
    item("RowCopyFolderPath", "Copy Folder Path", nullptr, [this] { CopyText(FolderOf(fPath)); });
}

void ResultsMenu::Popup(const ResultRow& row, const QPoint& globalPos) {
    fPath = row.Path;
    fName = row.Name;
    fMenu->popup(globalPos);
}

}  // namespace tarnwick::ui
