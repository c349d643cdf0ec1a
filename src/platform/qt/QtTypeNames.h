// File type names and icon keys from the shared MIME database, matched by file name only so
// the file is never opened. QMimeDatabase is thread-safe, so the search worker calls it.
#pragma once

#include "platform/TypeNames.h"

namespace tarnwick {

// Longest type name a row shows.
inline constexpr int kMaxTypeNameLength = 79;

class QtTypeNames final : public TypeNames {
  public:
    TypeDescription DescribeFile(const std::string& fullPath) const override;
};

}  // namespace tarnwick
