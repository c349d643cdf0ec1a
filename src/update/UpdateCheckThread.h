// The update check's thread at start-up: IdThreadComponent1 runs CheckForUpdate once on its own
// thread (IdThreadComponent1Run), then IdThreadComponent1AfterRun deactivates it. Destroying
// this object returns at once whatever the check is doing: the check is cancelled (it will show
// and open nothing) and its thread, which shares no data with the program, ends by itself
// within the check's deadline.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "update/TIdThreadComponent.h"
#include "update/UpdateCheck.h"

namespace tarnwick::update {

class UpdateCheckThread {
  public:
    UpdateCheckThread(std::shared_ptr<platform::Prompts> prompts, std::string endpoint,
                      std::chrono::milliseconds deadline = UpdateCheck::kDeadline);
    ~UpdateCheckThread();
    UpdateCheckThread(const UpdateCheckThread&) = delete;
    UpdateCheckThread& operator=(const UpdateCheckThread&) = delete;

    // Sets Active of the component: the check starts on its thread.
    void Start() { IdThreadComponent1.SetActive(true); }
    // Waits up to `timeout` for the check's thread to end; true when it has.
    bool WaitForEnd(std::chrono::milliseconds timeout) const {
        return IdThreadComponent1.WaitForEnd(timeout);
    }

    // The check's thread, whose end can be awaited after this object has gone.
    std::shared_ptr<const TIdThreadComponent::Control> Thread() const {
        return IdThreadComponent1.LatestRun();
    }

  private:
    std::shared_ptr<UpdateCheck> fCheck;
    TIdThreadComponent IdThreadComponent1;
};

}  // namespace tarnwick::update
