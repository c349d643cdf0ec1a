// File type names and icon keys from the shared MIME database, matched by file name only so
// the file is never opened. QMimeDatabase is thread-safe, so the search worker calls it.
// Answers are kept per name-pattern key (see MimeGlobKey): a name walk reports thousands of
// files that share a few patterns, and the database's own matching of wildcard patterns costs
// tens of microseconds a name.
#pragma once

#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/TypeNames.h"

namespace tarnwick::platform {

// Longest type name a row shows.
inline constexpr int kMaxTypeNameLength = 79;

class QtTypeNames final : public TypeNames {
  public:
    TypeDescription DescribeFile(const std::string& fullPath) const override;

    // The database's answer without the cache (what the cache must agree with).
    static TypeDescription LookUp(const std::string& fullPath);

  private:
    mutable std::mutex fCacheMutex;
    mutable std::unordered_map<std::string, TypeDescription> fCache;
};

}  // namespace tarnwick::platform
