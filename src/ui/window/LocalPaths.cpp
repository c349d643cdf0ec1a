// Path bytes and their readable forms.
#include "ui/window/LocalPaths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>
#include <QStringList>

namespace tarnwick::ui {
namespace {

constexpr QChar kReplacement(0xFFFD);

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The bytes of the one entry of `folder` shown as `component`, or "" when none or several are.
std::string EntryShownAs(const std::string& folder, const QString& component) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return {};
    }
    std::string found;
    int matches = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (QFile::decodeName(QByteArray::fromStdString(name)) == component) {
            found = name;
            ++matches;
        }
    }
    ::closedir(dir);
    return matches == 1 ? found : std::string();
}

}  // namespace

QString DisplayPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string LocalPathBytes(const QString& shown) {
    const bool absolute = shown.startsWith(QLatin1Char('/'));
    std::string result = absolute ? "/" : "";
    const QStringList components = shown.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& component : components) {
        const std::string folder = result;
        if (!result.empty() && result.back() != '/') {
            result.push_back('/');
        }
        std::string bytes = QFile::encodeName(component).toStdString();
        if (component.contains(kReplacement) && !Exists(result + bytes)) {
            const std::string onDisk = EntryShownAs(folder, component);
            if (!onDisk.empty()) {
                bytes = onDisk;
            }
        }
        result += bytes;
    }
    return result;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace tarnwick::ui
