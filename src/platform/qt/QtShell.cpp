// Qt desktop shell.
#include "platform/qt/QtShell.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QMetaObject>
#include <QThread>

namespace tarnwick::platform {
namespace {

std::string ParentFolder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// QDesktopServices must be used from the GUI thread; the update check calls from its own.
void OnGuiThread(std::function<void()> task) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) {
        task();
    } else {
        QMetaObject::invokeMethod(app, std::move(task), Qt::QueuedConnection);
    }
}

}  // namespace

QUrl QtShell::UrlOf(const std::string& target) {
    if (!target.empty() && target.front() != '/' && HasUriScheme(target)) {
        return QUrl(QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size())),
                    QUrl::TolerantMode);
    }
    return QUrl::fromEncoded(QByteArray::fromStdString(FileUri(target)), QUrl::StrictMode);
}

QString QtShell::ShowItemsArgument(const std::string& path) {
    return QString::fromLatin1(FileUri(path));
}

void QtShell::Open(const std::string& target) {
    const QUrl url = UrlOf(target);
    OnGuiThread([url] { QDesktopServices::openUrl(url); });
}

void QtShell::ShowInFolder(const std::string& path) {
    const QString item = ShowItemsArgument(path);
    const QUrl folder = UrlOf(ParentFolder(path));
    OnGuiThread([item, folder] {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.FileManager1"),
            QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
        call << QStringList{item} << QString();
        // Asynchronous, so a slow or missing file manager never freezes the window.
        auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                         [folder](QDBusPendingCallWatcher* w) {
                             if (w->isError()) {
                                 QDesktopServices::openUrl(folder);
                             }
                             w->deleteLater();
                         });
    });
}

}  // namespace tarnwick::platform
