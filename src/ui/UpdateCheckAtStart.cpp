// The main window's update check.
#include "ui/UpdateCheckAtStart.h"

#include "platform/qt/QtPrompts.h"

namespace tarnwick {

UpdateCheckAtStart::UpdateCheckAtStart() = default;

UpdateCheckAtStart::~UpdateCheckAtStart() {
    thread_.reset();
    if (qtPrompts_) {
        qtPrompts_->Close();
    }
}

void UpdateCheckAtStart::Start(QWidget* owner, UiDispatcher& dispatcher,
                               const std::string& endpoint, std::chrono::milliseconds deadline,
                               std::shared_ptr<Prompts> prompts) {
    if (thread_) {
        return;  // once per start of the program
    }
    if (!prompts) {
        qtPrompts_ = QtPrompts::Create(owner, dispatcher);
        prompts = qtPrompts_;
    }
    thread_ = std::make_unique<UpdateCheckThread>(std::move(prompts), endpoint, deadline);
    thread_->Start();
}

}  // namespace tarnwick
