// Clipboard and drag data of a file.
#include "ui/results/FileMimeData.h"

#include "platform/Shell.h"
#include "ui/window/LocalPaths.h"

namespace tarnwick::ui {

QByteArray UriListOf(const std::string& path) {
    return QByteArray::fromStdString(platform::FileUri(path)) + "\r\n";
}

std::unique_ptr<QMimeData> FileDragData(const std::string& path) {
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kUriListMime), UriListOf(path));
    data->setText(DisplayPath(path));
    return data;
}

std::unique_ptr<QMimeData> FileClipboardData(const std::string& path) {
    auto data = FileDragData(path);
    data->setData(QString::fromLatin1(kGnomeCopiedFilesMime),
                  "copy\n" + QByteArray::fromStdString(platform::FileUri(path)));
    return data;
}

}  // namespace tarnwick::ui
