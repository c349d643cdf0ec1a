#include "update/TIdThreadComponent.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tarnwick::update {

// The state one thread shares with the component: the stop request and the end of the thread.
class TIdThreadComponent::Run final : public TIdThreadComponent::Control {
  public:
    void Deactivate() override {
        std::lock_guard lock(fMutex);
        fActive = false;
    }
    bool Active() const override {
        std::lock_guard lock(fMutex);
        return fActive;
    }
    void Finish() {
        {
            std::lock_guard lock(fMutex);
            fActive = false;
            fEnded = true;
        }
        fEndedChanged.notify_all();
    }
    bool Ended() const {
        std::lock_guard lock(fMutex);
        return fEnded;
    }
    bool WaitForEnd(std::chrono::milliseconds timeout) const override {
        std::unique_lock lock(fMutex);
        return fEndedChanged.wait_for(lock, timeout, [this] { return fEnded; });
    }

  private:
    mutable std::mutex fMutex;
    mutable std::condition_variable fEndedChanged;
    bool fActive = true;
    bool fEnded = false;
};

TIdThreadComponent::TIdThreadComponent() = default;

TIdThreadComponent::~TIdThreadComponent() {
    SetActive(false);
}

void TIdThreadComponent::SetActive(bool active) {
    if (!active) {
        if (fRun) {
            fRun->Deactivate();
        }
        return;
    }
    if (fRun && !fRun->Ended()) {
        return;
    }
    auto run = std::make_shared<Run>();
    std::thread thread([run, onRun = OnRun, onAfterRun = OnAfterRun, loop = Loop] {
        while (run->Active()) {
            if (onRun) {
                onRun(*run);
            }
            if (!loop && onAfterRun) {
                onAfterRun(*run);
            }
        }
        if (loop && onAfterRun) {
            onAfterRun(*run);
        }
        run->Finish();
    });
    // The thread owns what it uses; nobody ever waits for it by joining.
    thread.detach();
    fRun = std::move(run);
}

bool TIdThreadComponent::Active() const {
    return fRun && fRun->Active();
}

std::shared_ptr<const TIdThreadComponent::Control> TIdThreadComponent::LatestRun() const {
    return fRun;
}

bool TIdThreadComponent::WaitForEnd(std::chrono::milliseconds timeout) const {
    return !fRun || fRun->WaitForEnd(timeout);
}

}  // namespace tarnwick::update
