#include "update/TIdThreadComponent.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tarnwick {

// The state one thread shares with the component: the stop request and the end of the thread.
class TIdThreadComponent::Run final : public TIdThreadComponent::Control {
  public:
    void Deactivate() override {
        std::lock_guard lock(mutex_);
        active_ = false;
    }
    bool Active() const override {
        std::lock_guard lock(mutex_);
        return active_;
    }
    void Finish() {
        {
            std::lock_guard lock(mutex_);
            active_ = false;
            ended_ = true;
        }
        endedChanged_.notify_all();
    }
    bool Ended() const {
        std::lock_guard lock(mutex_);
        return ended_;
    }
    bool WaitForEnd(std::chrono::milliseconds timeout) const override {
        std::unique_lock lock(mutex_);
        return endedChanged_.wait_for(lock, timeout, [this] { return ended_; });
    }

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable endedChanged_;
    bool active_ = true;
    bool ended_ = false;
};

TIdThreadComponent::TIdThreadComponent() = default;

TIdThreadComponent::~TIdThreadComponent() {
    SetActive(false);
}

void TIdThreadComponent::SetActive(bool active) {
    if (!active) {
        if (run_) {
            run_->Deactivate();
        }
        return;
    }
    if (run_ && !run_->Ended()) {
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
    run_ = std::move(run);
}

bool TIdThreadComponent::Active() const {
    return run_ && run_->Active();
}

std::shared_ptr<const TIdThreadComponent::Control> TIdThreadComponent::LatestRun() const {
    return run_;
}

bool TIdThreadComponent::WaitForEnd(std::chrono::milliseconds timeout) const {
    return !run_ || run_->WaitForEnd(timeout);
}

}  // namespace tarnwick
