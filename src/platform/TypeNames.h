// The registered type name and the small-icon key of a file, looked up by its name alone (the
// file itself is never opened). Implemented by the desktop layer; safe to call from the search
// worker thread.
#pragma once

#include <string>

#include "platform/Interface.h"

namespace tarnwick::platform {

struct TypeDescription {
    std::string typeName;  // e.g. "plain text document"
    std::string iconKey;   // a themed icon name, e.g. "text-plain"
};

class TypeNames : public Interface {
  public:
    // Describes the file at `fullPath` by its name and extension. Thread-safe.
    virtual TypeDescription DescribeFile(const std::string& fullPath) const = 0;
};

}  // namespace tarnwick::platform
