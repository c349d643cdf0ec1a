// TScopedValue: sets a variable for the length of a scope and puts its old value back when the
// scope ends, also when an exception leaves it. The editor's switches (the notify switch, the
// replay mark, the no-record flag, a detached change handler) are set this way, so none can
// stay switched by accident.
#pragma once

#include <utility>

namespace tarnwick::editor {

template <class T>
class [[nodiscard]] TScopedValue {
  public:
    TScopedValue(T& variable, T value) : fVariable(variable), fOld(std::move(variable)) {
        fVariable = std::move(value);
    }
    ~TScopedValue() { fVariable = std::move(fOld); }
    TScopedValue(const TScopedValue&) = delete;
    TScopedValue& operator=(const TScopedValue&) = delete;

  private:
    T& fVariable;
    T fOld;
};

}  // namespace tarnwick::editor
