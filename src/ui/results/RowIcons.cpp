// Row icon lookup and cache.
#include "ui/results/RowIcons.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>

#include "search/ResultRow.h"

namespace tarnwick::ui {

using search::kFolderIconKey;

namespace {

QIcon FromDesktopTheme(const QString& name) {
    return QIcon::hasThemeIcon(name) ? QIcon::fromTheme(name) : QIcon();
}

// "text-x-csrc" -> "text-x-generic", the generic icon of the media type.
QString GenericName(const QString& name) {
    return name.section(QLatin1Char('-'), 0, 0) + QStringLiteral("-x-generic");
}

bool Readable(const QString& file) {
    static const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    return formats.contains(QFileInfo(file).suffix().toLower().toLatin1());
}

bool IsContext(const QString& folder) {
    return folder == QLatin1String("mimetypes") || folder == QLatin1String("places");
}

// The picture files of a theme's mimetypes and places folders, in either layout a theme uses
// ("16x16/mimetypes" or "mimetypes/16"); only those folders are listed, not the whole theme.
template <typename Visit>
void ForEachPicture(const QString& themeFolder, Visit visit) {
    const QDir theme(themeFolder);
    for (const QString& first : theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir level(theme.filePath(first));
        for (const QString& second : level.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (!IsContext(first) && !IsContext(second)) {
                continue;
            }
            const bool mime = (IsContext(first) ? first : second) == QLatin1String("mimetypes");
            const QDir pictures(level.filePath(second));
            for (const QFileInfo& file : pictures.entryInfoList(QDir::Files)) {
                visit(file.filePath(), mime);
            }
        }
    }
}

}  // namespace

RowIcons::RowIcons(QStringList themeFolders) : fThemeFolders(std::move(themeFolders)) {}

QIcon RowIcons::IconFor(const std::string& key) {
    const QString name = QString::fromStdString(key);
    const auto found = fCache.constFind(name);
    if (found != fCache.constEnd()) {
        return *found;
    }
    QIcon icon;
    if (key == kFolderIconKey) {
        icon = FromDesktopTheme(name);
        if (icon.isNull()) {
            icon = FromMimeTheme(name);
        }
    } else {
        const QString generic = GenericName(name);
        for (const QString& candidate : {name, generic}) {
            icon = FromDesktopTheme(candidate);
            if (icon.isNull()) {
                icon = FromMimeTheme(candidate);
            }
            if (!icon.isNull()) {
                break;
            }
        }
    }
    if (icon.isNull()) {
        icon = Bundled(name);
    }
    fCache.insert(name, icon);
    return icon;
}

QString RowIcons::MimeTheme() {
    IndexMimeTheme();
    return fMimeTheme;
}

QIcon RowIcons::FromMimeTheme(const QString& name) {
    IndexMimeTheme();
    QIcon icon;
    for (const QString& file : fMimeThemeFiles.value(name)) {
        icon.addFile(file);
    }
    return icon;
}

void RowIcons::IndexMimeTheme() {
    if (fIndexed) {
        return;
    }
    fIndexed = true;
    const QString desktopTheme = QIcon::themeName();
    QString bestFolder;
    int bestCount = 0;
    for (const QString& root : fThemeFolders) {
        const QDir dir(root);
        for (const QString& theme : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            if (theme == desktopTheme || !dir.exists(theme + QStringLiteral("/index.theme"))) {
                continue;
            }
            int count = 0;
            ForEachPicture(dir.filePath(theme), [&](const QString&, bool mime) { count += mime; });
            if (count > bestCount) {
                bestCount = count;
                bestFolder = dir.filePath(theme);
                fMimeTheme = theme;
            }
        }
    }
    if (bestFolder.isEmpty()) {
        return;
    }
    ForEachPicture(bestFolder, [&](const QString& file, bool) {
        if (Readable(file)) {
            fMimeThemeFiles[QFileInfo(file).completeBaseName()].append(file);
        }
    });
}

QIcon RowIcons::Bundled(const QString& key) {
    QString kind = QStringLiteral("file");
    const QString media = key.section(QLatin1Char('-'), 0, 0);
    // Whole words of the key ("application-x-compressed-tar" holds "tar"; "tarnwick" does not).
    static const QStringList kArchives = {
        QStringLiteral("zip"),  QStringLiteral("tar"),        QStringLiteral("gzip"),
        QStringLiteral("bzip"), QStringLiteral("bzip2"),      QStringLiteral("xz"),
        QStringLiteral("7z"),   QStringLiteral("rar"),        QStringLiteral("lzma"),
        QStringLiteral("zstd"), QStringLiteral("compressed"), QStringLiteral("archive"),
        QStringLiteral("cpio"), QStringLiteral("package")};
    static const QStringList kPrograms = {QStringLiteral("executable"), QStringLiteral("sharedlib"),
                                          QStringLiteral("shellscript")};
    const QStringList words =
        key.split(QRegularExpression(QStringLiteral("[-.+]")), Qt::SkipEmptyParts);
    auto mentions = [&words](const QStringList& list) {
        for (const QString& word : words) {
            if (list.contains(word)) {
                return true;
            }
        }
        return false;
    };
    if (key == QLatin1String(kFolderIconKey) || key == QLatin1String("inode-directory")) {
        kind = QStringLiteral("folder");
    } else if (media == QLatin1String("text")) {
        kind = QStringLiteral("text");
    } else if (media == QLatin1String("image") || media == QLatin1String("audio") ||
               media == QLatin1String("video")) {
        kind = media;
    } else if (mentions(kArchives)) {
        kind = QStringLiteral("package");
    } else if (mentions(kPrograms)) {
        kind = QStringLiteral("program");
    }
    QIcon icon;
    for (const int size : {16, 32}) {
        icon.addFile(QStringLiteral(":/tarnwick/types/%1-%2.png").arg(kind).arg(size),
                     QSize(size, size));
    }
    return icon;
}

}  // namespace tarnwick::ui
