// MIME-database type names.
#include "platform/qt/QtTypeNames.h"

#include <QFile>
#include <QMimeDatabase>
#include <QMimeType>

#include "platform/qt/MimeGlobKey.h"

namespace tarnwick::platform {
namespace {

// Distinct pattern sets are few; the bound only guards against a pathological tree.
constexpr std::size_t kMaxCachedKeys = 4096;

// The database's patterns are the same for the whole process; reading them takes about 0.1 s,
// paid once, on the first thread that needs them.
const MimeGlobKey& SharedGlobKey() {
    static const MimeGlobKey keys = [] {
        QStringList patterns;
        for (const QMimeType& type : QMimeDatabase().allMimeTypes()) {
            patterns += type.globPatterns();
        }
        return MimeGlobKey(patterns);
    }();
    return keys;
}

}  // namespace

TypeDescription QtTypeNames::LookUp(const std::string& fullPath) {
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

TypeDescription QtTypeNames::DescribeFile(const std::string& fullPath) const {
    const auto slash = fullPath.rfind('/');
    const auto key =
        SharedGlobKey().KeyOf(slash == std::string::npos ? fullPath : fullPath.substr(slash + 1));
    if (!key) {
        return LookUp(fullPath);
    }
    {
        const std::lock_guard lock(fCacheMutex);
        if (const auto found = fCache.find(*key); found != fCache.end()) {
            return found->second;
        }
    }
    TypeDescription description = LookUp(fullPath);
    const std::lock_guard lock(fCacheMutex);
    if (fCache.size() >= kMaxCachedKeys) {
        fCache.clear();
    }
    fCache.emplace(*key, description);
    return description;
}

}  // namespace tarnwick::platform
