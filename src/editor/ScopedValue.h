// TScopedValue: sets a variable for the lifetime of a scope and puts the former value back when
// the scope ends, also when an exception leaves it (a switch that must come back on does).
#pragma once

#include <utility>

namespace tarnwick::editor {

template <typename T>
class TScopedValue {
  public:
    TScopedValue(T& variable, T value) : fVariable(variable), fSaved(variable) {
        fVariable = std::move(value);
    }
    ~TScopedValue() { fVariable = std::move(fSaved); }
    TScopedValue(const TScopedValue&) = delete;
    TScopedValue& operator=(const TScopedValue&) = delete;

  private:
    T& fVariable;
    T fSaved;
};

}  // namespace tarnwick::editor
