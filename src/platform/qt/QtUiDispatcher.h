// The UI-thread dispatcher on Qt: a queued call onto the thread this object lives on (the GUI
// thread). Posted tasks run in posting order from the event loop.
#pragma once

#include <QObject>

#include "platform/UiDispatcher.h"

namespace tarnwick::platform {

class QtUiDispatcher final : public QObject, public UiDispatcher {
    Q_OBJECT
  public:
    // Create it on the GUI thread.
    explicit QtUiDispatcher(QObject* parent = nullptr);
    void Post(std::function<void()> task) override;
};

}  // namespace tarnwick::platform
