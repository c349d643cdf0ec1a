// A desktop shell for tests: records what would have been opened or shown.
#pragma once

#include <string>
#include <vector>

#include "platform/Shell.h"

namespace tarnwick::testing {

class RecordingShell final : public platform::Shell {
  public:
    void Open(const std::string& target) override { opened.push_back(target); }
    void ShowInFolder(const std::string& path) override { shown.push_back(path); }
    std::vector<std::string> opened;
    std::vector<std::string> shown;
};

}  // namespace tarnwick::testing
