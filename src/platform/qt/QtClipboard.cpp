#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tarnwick::platform {

bool QtClipboard::HasText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

std::string QtClipboard::Text() const {
    return QGuiApplication::clipboard()->text().toStdString();
}

void QtClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace tarnwick::platform
