// MIME-database type names.
#include "platform/qt/QtTypeNames.h"

#include <QFile>
#include <QMimeDatabase>
#include <QMimeType>

namespace tarnwick {

TypeDescription QtTypeNames::DescribeFile(const std::string& fullPath) const {
    const QMimeDatabase db;
    const QMimeType type = db.mimeTypeForFile(
        QFile::decodeName(QByteArray::fromStdString(fullPath)), QMimeDatabase::MatchExtension);
    QString comment = type.comment();
    if (comment.size() > kMaxTypeNameLength) {
        comment.truncate(kMaxTypeNameLength);
    }
    QString icon = type.iconName();
    if (icon.isEmpty()) {
        icon = type.genericIconName();
    }
    return TypeDescription{comment.toStdString(), icon.toStdString()};
}

}  // namespace tarnwick
