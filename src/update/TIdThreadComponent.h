// A component that owns one thread and runs its OnRun event there, cycle after cycle, until it
// is deactivated (with Loop false each cycle ends with OnAfterRun, which normally deactivates
// it, so the run happens once). Destroying the component never waits: a thread that is still
// running is abandoned and ends on its own, touching nothing but what its handlers hold.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace tarnwick::update {

class TIdThreadComponent {
  public:
    // What the handlers see of the component; it lives as long as the thread, also when the
    // component has been destroyed meanwhile.
    class Control {
      public:
        virtual ~Control() = default;
        // Asks the thread to stop once the current handler has returned.
        virtual void Deactivate() = 0;
        // False once deactivated, or once the component has gone.
        virtual bool Active() const = 0;
        // Waits up to `timeout` for the thread to end; true when it has.
        virtual bool WaitForEnd(std::chrono::milliseconds timeout) const = 0;
    };
    using Handler = std::function<void(Control&)>;

    TIdThreadComponent();
    // Deactivates the component and returns at once; a running thread is left to finish.
    ~TIdThreadComponent();
    TIdThreadComponent(const TIdThreadComponent&) = delete;  // owns a thread
    TIdThreadComponent& operator=(const TIdThreadComponent&) = delete;

    // Called on the thread; take copies when the thread starts, so they must hold (by value or
    // shared ownership) everything they use.
    Handler OnRun;
    Handler OnAfterRun;
    // True: OnRun repeats until deactivated and OnAfterRun runs once at the end. False: every
    // OnRun is followed by OnAfterRun.
    bool Loop = false;

    // True starts the thread (unless one is running); false asks it to stop.
    void SetActive(bool active);
    bool Active() const;
    // Waits up to `timeout` for the thread to end; true when none is running.
    bool WaitForEnd(std::chrono::milliseconds timeout) const;
    // The latest thread's control (null before the first start), which stays valid after the
    // component has gone, so its end can still be awaited.
    std::shared_ptr<const Control> LatestRun() const;

  private:
    class Run;
    std::shared_ptr<Run> fRun;
};

}  // namespace tarnwick::update
