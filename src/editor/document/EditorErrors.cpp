#include "editor/document/EditorErrors.h"

namespace tarnwick::editor {

EStringListError::EStringListError(int index)
    : std::runtime_error("List index out of bounds (" + std::to_string(index) + ")") {}

}  // namespace tarnwick::editor
