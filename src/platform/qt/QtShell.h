// The desktop shell on Qt: QDesktopServices opens files and addresses; the file manager's D-Bus
// interface (org.freedesktop.FileManager1.ShowItems) shows an entry selected, falling back to
// opening the containing folder when no file manager answers.
#pragma once

#include "platform/Shell.h"

namespace tarnwick {

class QtShell final : public Shell {
  public:
    void Open(const std::string& target) override;
    void ShowInFolder(const std::string& path) override;
};

}  // namespace tarnwick
