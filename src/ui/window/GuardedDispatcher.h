// GuardedDispatcher: the window's UI-thread dispatcher. Tasks posted to it (rows of a walk, a
// finished load, the update check's answer, a prompt's reply) run from the event loop behind
// the handler barrier of the window, like every other handler: an exception leaving a task is
// shown by the window, the task's remaining steps are skipped and the event loop goes on.
// Tasks still queued when the dispatcher goes are dropped.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/qt/QtUiDispatcher.h"

namespace tarnwick::ui {

class GuardedDispatcher final : public platform::UiDispatcher {
  public:
    // Create it on the GUI thread; errors are shown through source's window.
    explicit GuardedDispatcher(QWidget* source);
    void Post(std::function<void()> task) override;

  private:
    QPointer<QWidget> fSource;
    platform::QtUiDispatcher fQueue;
};

}  // namespace tarnwick::ui
