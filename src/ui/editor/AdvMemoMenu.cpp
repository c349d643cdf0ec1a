// The editor's context menu in Qt.
#include "ui/editor/AdvMemoMenu.h"

#include <QAction>

#include "ui/window/HandlerBarrier.h"

namespace tarnwick::ui {

QIcon MemoMenuIcon(editor::TMemoMenuImage image) {
    using editor::TMemoMenuImage;
    struct Picture {
        TMemoMenuImage Image;
        const char* File;
        const char* Theme;
    };
    static constexpr Picture kPictures[] = {
        {TMemoMenuImage::Cut, "cut", "edit-cut"},       {TMemoMenuImage::Copy, "copy", "edit-copy"},
        {TMemoMenuImage::Paste, "paste", "edit-paste"}, {TMemoMenuImage::Undo, "undo", "edit-undo"},
        {TMemoMenuImage::Redo, "redo", "edit-redo"},
    };
    for (const Picture& p : kPictures) {
        if (p.Image == image) {
            const QIcon ours(QStringLiteral(":/tarnwick/menu/%1.png").arg(QLatin1String(p.File)));
            return QIcon::fromTheme(QString::fromLatin1(p.Theme), ours);
        }
    }
    return {};
}

QMenu* BuildMemoMenu(editor::TAdvCustomMemo& memo, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("AdvMemo1PopupMenu"));
    const std::vector<editor::TMemoMenuItem>& items = memo.ContextMenu().Items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const editor::TMemoMenuItem& item = items[i];
        if (item.IsSeparator()) {
            menu->addSeparator();
            continue;
        }
        // Qt shows the text after a tab right-aligned, as a shortcut column.
        QAction* action =
            menu->addAction(MemoMenuIcon(item.Image), QString::fromStdString(item.Text()));
        action->setEnabled(item.Enabled);
        action->setIconVisibleInMenu(true);
        // The item is looked up when chosen: a customised model may hold its own handler.
        QObject::connect(action, &QAction::triggered, menu, Guarded(menu, [&memo, i] {
                             const std::vector<editor::TMemoMenuItem>& now =
                                 memo.ContextMenu().Items;
                             if (i < now.size()) {
                                 const editor::TMemoMenuItem chosen = now[i];
                                 memo.ContextMenuClick(chosen);
                             }
                         }));
    }
    return menu;
}

}  // namespace tarnwick::ui
