// Exception classes raised by the editor's line list. The stream and file errors it raises
// come from the files library and are named here too, so the editor's callers catch
// editor::EFOpenError and the like as the line list's own errors.
// Every class carries the exact user-visible message; callers show what() as is.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/files/FileErrors.h"

namespace tarnwick::editor {

using files::EFCreateError;
using files::EFileStreamError;
using files::EFOpenError;
using files::EReadError;
using files::EStreamError;
using files::EWriteError;
using files::SystemErrorText;

// A list operation got an index outside the list: "List index out of bounds (%d)".
class EStringListError : public std::runtime_error {
  public:
    explicit EStringListError(int index);
};

// A load was cancelled from another thread before it finished; nothing was changed.
class ELoadCancelled : public std::runtime_error {
  public:
    ELoadCancelled() : std::runtime_error("Load cancelled") {}
};

}  // namespace tarnwick::editor
