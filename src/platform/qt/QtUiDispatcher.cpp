// Qt UI-thread dispatcher.
#include "platform/qt/QtUiDispatcher.h"

#include <QMetaObject>

namespace tarnwick::platform {

QtUiDispatcher::QtUiDispatcher(QObject* parent) : QObject(parent) {}

void QtUiDispatcher::Post(std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

}  // namespace tarnwick::platform
