// Qt desktop shell.
#include "platform/qt/QtShell.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QThread>
#include <QUrl>

namespace tarnwick {
namespace {

QString FromLocal(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QUrl UrlOf(const std::string& target) {
    const QString text = FromLocal(target);
    const QUrl url(text, QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty() && url.scheme().size() > 1) {
        return url;
    }
    return QUrl::fromLocalFile(text);
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

void QtShell::Open(const std::string& target) {
    const QUrl url = UrlOf(target);
    OnGuiThread([url] { QDesktopServices::openUrl(url); });
}

void QtShell::ShowInFolder(const std::string& path) {
    const QString file = FromLocal(path);
    OnGuiThread([file] {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.FileManager1"),
            QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
        call << QStringList{QUrl::fromLocalFile(file).toString()} << QString();
        // Asynchronous, so a slow or missing file manager never freezes the window.
        auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call));
        QObject::connect(
            watcher, &QDBusPendingCallWatcher::finished, watcher,
            [file](QDBusPendingCallWatcher* w) {
                if (w->isError()) {
                    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath()));
                }
                w->deleteLater();
            });
    });
}

}  // namespace tarnwick
