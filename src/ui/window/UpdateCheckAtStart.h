// The main window's update check: started once at window creation, asking its question in a
// box owned by the window. When the window goes, the check is cancelled and its boxes closed
// at once; a check still waiting on the network is left to end by its own deadline.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/Prompts.h"
#include "update/UpdateCheckThread.h"

class QWidget;

namespace tarnwick::platform {
class QtPrompts;
class UiDispatcher;
}  // namespace tarnwick::platform

namespace tarnwick::ui {

class UpdateCheckAtStart {
  public:
    UpdateCheckAtStart();
    // Returns at once whatever the check is doing.
    ~UpdateCheckAtStart();
    UpdateCheckAtStart(const UpdateCheckAtStart&) = delete;
    UpdateCheckAtStart& operator=(const UpdateCheckAtStart&) = delete;

    // Starts the check of `endpoint` on its thread. Its question goes to `prompts`, or when
    // that is null to message boxes owned by `owner`, shown through `dispatcher` (which must
    // outlive this object).
    void Start(QWidget* owner, platform::UiDispatcher& dispatcher, const std::string& endpoint,
               std::chrono::milliseconds deadline, std::shared_ptr<platform::Prompts> prompts);

    // The check's thread (null when none was started); it can be awaited after the window.
    std::shared_ptr<const update::TIdThreadComponent::Control> Run() const {
        return fThread ? fThread->Thread() : nullptr;
    }

  private:
    std::shared_ptr<platform::QtPrompts> fQtPrompts;
    std::unique_ptr<update::UpdateCheckThread> fThread;
};

}  // namespace tarnwick::ui
