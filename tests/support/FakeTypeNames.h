// Type names for tests: "<EXT> File" by extension, "File" without one; icon key "type-<ext>".
// Records how often it was asked.
#pragma once

#include <atomic>
#include <string>

#include "platform/TypeNames.h"

namespace tarnwick::testing {

class FakeTypeNames final : public platform::TypeNames {
  public:
    platform::TypeDescription DescribeFile(const std::string& fullPath) const override {
        ++calls;
        const auto slash = fullPath.rfind('/');
        const std::string name = fullPath.substr(slash == std::string::npos ? 0 : slash + 1);
        const auto dot = name.rfind('.');
        if (dot == std::string::npos) {
            return {"File", "type-none"};
        }
        std::string ext = name.substr(dot + 1);
        if (ext == "folderlike") {
            return {"Folder", "type-folderlike"};
        }
        std::string upper = ext;
        for (char& c : upper) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        return {upper + " File", "type-" + ext};
    }
    mutable std::atomic<int> calls{0};
};

}  // namespace tarnwick::testing
