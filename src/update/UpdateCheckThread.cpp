#include "update/UpdateCheckThread.h"

namespace tarnwick::update {
namespace {

void IdThreadComponent1AfterRun(TIdThreadComponent::Control& thread) {
    // Without this the component would run the check again and again.
    thread.Deactivate();
}

}  // namespace

UpdateCheckThread::UpdateCheckThread(std::shared_ptr<platform::Prompts> prompts,
                                     std::string endpoint, std::chrono::milliseconds deadline)
    : fCheck(std::make_shared<UpdateCheck>(std::move(prompts), std::move(endpoint), deadline)) {
    IdThreadComponent1.Loop = false;
    // The handlers share the check with the thread, so an abandoned run keeps what it uses.
    IdThreadComponent1.OnRun = [check = fCheck](TIdThreadComponent::Control&) {
        check->CheckForUpdate();  // IdThreadComponent1Run
    };
    IdThreadComponent1.OnAfterRun = IdThreadComponent1AfterRun;
}

UpdateCheckThread::~UpdateCheckThread() {
    fCheck->Cancel();
}

}  // namespace tarnwick::update
