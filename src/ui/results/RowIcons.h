// Icons of result rows by icon key (the folder key or a MIME type's icon name), cached per key;
// UI thread only. Where they come from, first hit wins: the desktop's icon theme; an installed
// theme that has MIME icons, for desktops whose theme has few or none (Adwaita, hicolor), or
// every file row would show the same icon; the generic icon of the key's media type from those
// two; and last our own pictures of the kinds of file (resources/types).
#pragma once

#include <QHash>
#include <QIcon>
#include <QStringList>
#include <optional>
#include <string>

namespace tarnwick::ui {

class RowIcons {
  public:
    // themeFolders: the folders icon themes are installed in.
    explicit RowIcons(QStringList themeFolders = QIcon::themeSearchPaths());

    QIcon IconFor(const std::string& key);
    // The theme taken for MIME icons the desktop's lacks: of the installed themes other than
    // the desktop's, the one with the most icons in its mimetypes folders; "" when none has any.
    QString MimeTheme();
    // Our own picture for a key: folder, text, image, audio, video, package, program or file.
    static QIcon Bundled(const QString& key);

  private:
    // The MIME theme's icon of that name (its mimetypes and places folders), or a null icon.
    QIcon FromMimeTheme(const QString& name);
    void IndexMimeTheme();

    QStringList fThemeFolders;
    QHash<QString, QIcon> fCache;
    bool fIndexed = false;
    QString fMimeTheme;
    QHash<QString, QStringList> fMimeThemeFiles;  // icon name -> its picture files
};

}  // namespace tarnwick::ui
