// Interface: the base of an abstract interface. Implementations are destroyed through a
// pointer to the interface, and an interface is never copied (it stands for one object).
#pragma once

namespace tarnwick::platform {

class Interface {
  public:
    Interface() = default;
    virtual ~Interface() = default;
    Interface(const Interface&) = delete;
    Interface& operator=(const Interface&) = delete;
};

}  // namespace tarnwick::platform
