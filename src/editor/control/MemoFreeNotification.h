// TMemoFreeNotification: what a component that refers to an editor implements to be told that
// the editor is being destroyed, so that it forgets the editor instead of keeping a dangling
// reference. The editor calls MemoDestroyed once, during its destruction; the component must
// not use the editor from there on.
#pragma once

namespace tarnwick::editor {

class TAdvCustomMemo;

class TMemoFreeNotification {
  public:
    virtual void MemoDestroyed(TAdvCustomMemo& memo) = 0;

  protected:
    ~TMemoFreeNotification() = default;
};

}  // namespace tarnwick::editor

#include <algorithm>
#include <vector>

namespace tarnwick::editor {

// The components an editor tells when it is destroyed. Kept as the editor's last member, so
// it is destroyed first and the editor's other parts still exist while the components hear.
class TMemoFreeNotifications {
  public:
    explicit TMemoFreeNotifications(TAdvCustomMemo& memo) : fMemo(memo) {}
    ~TMemoFreeNotifications() {
        const std::vector<TMemoFreeNotification*> components = std::move(fComponents);
        for (TMemoFreeNotification* component : components) {
            component->MemoDestroyed(fMemo);
        }
    }
    // Points back at its editor; a copy would tell the wrong one.
    TMemoFreeNotifications(const TMemoFreeNotifications&) = delete;
    TMemoFreeNotifications& operator=(const TMemoFreeNotifications&) = delete;

    void Add(TMemoFreeNotification* component) {
        if (std::find(fComponents.begin(), fComponents.end(), component) == fComponents.end()) {
            fComponents.push_back(component);
        }
    }
    void Remove(TMemoFreeNotification* component) {
        fComponents.erase(std::remove(fComponents.begin(), fComponents.end(), component),
                          fComponents.end());
    }

  private:
    TAdvCustomMemo& fMemo;
    std::vector<TMemoFreeNotification*> fComponents;
};

}  // namespace tarnwick::editor
