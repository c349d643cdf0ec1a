// The main window's update check.
#include "ui/window/UpdateCheckAtStart.h"

#include "platform/qt/QtPrompts.h"

namespace tarnwick::ui {

using update::UpdateCheckThread;

UpdateCheckAtStart::UpdateCheckAtStart() = default;

UpdateCheckAtStart::~UpdateCheckAtStart() {
    fThread.reset();
    if (fQtPrompts) {
        fQtPrompts->Close();
    }
}

void UpdateCheckAtStart::Start(QWidget* owner, platform::UiDispatcher& dispatcher,
                               const std::string& endpoint, std::chrono::milliseconds deadline,
                               std::shared_ptr<platform::Prompts> prompts) {
    if (fThread) {
        return;  // once per start of the program
    }
    if (!prompts) {
        fQtPrompts = platform::QtPrompts::Create(owner, dispatcher);
        prompts = fQtPrompts;
    }
    fThread = std::make_unique<UpdateCheckThread>(std::move(prompts), endpoint, deadline);
    fThread->Start();
}

}  // namespace tarnwick::ui
