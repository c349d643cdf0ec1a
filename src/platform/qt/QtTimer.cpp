#include "platform/qt/QtTimer.h"

namespace tarnwick::platform {

QtTimer::QtTimer() {
    fTimer.setSingleShot(true);
    QObject::connect(&fTimer, &QTimer::timeout, [this] {
        // The handler may start the timer again, so it runs from a copy.
        const std::function<void()> handler = fHandler;
        if (handler) {
            handler();
        }
    });
}

void QtTimer::Start(int milliseconds, std::function<void()> handler) {
    fHandler = std::move(handler);
    fTimer.start(milliseconds);
}

void QtTimer::Stop() {
    fTimer.stop();
}

bool QtTimer::Active() const {
    return fTimer.isActive();
}

}  // namespace tarnwick::platform
