// Row icon cache.
#include "ui/RowIcons.h"

#include <QApplication>
#include <QStyle>

#include "search/ResultRow.h"

namespace tarnwick {

QIcon RowIcons::IconFor(const std::string& key) {
    const QString name = QString::fromStdString(key);
    const auto found = cache_.constFind(name);
    if (found != cache_.constEnd()) {
        return *found;
    }
    QIcon icon;
    if (key == kFolderIconKey) {
        icon = QIcon::fromTheme(QStringLiteral("folder"));
        if (icon.isNull()) {
            icon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
        }
    } else {
        icon = QIcon::fromTheme(name);
        if (icon.isNull()) {
            // "text-x-csrc" -> "text-x-generic", the theme's generic icon of the media type.
            const QString generic =
                name.section(QLatin1Char('-'), 0, 0) + QStringLiteral("-x-generic");
            icon = QIcon::fromTheme(generic);
        }
        if (icon.isNull()) {
            icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
        }
    }
    cache_.insert(name, icon);
    return icon;
}

}  // namespace tarnwick
