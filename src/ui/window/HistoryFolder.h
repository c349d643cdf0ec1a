// Where the program keeps its input histories. A copy run from its build folder keeps them
// beside its executable; an installed copy (its executable in a system folder: under /usr or
// /opt) keeps them in the user's data folder, also when run as root, because the package
// manager owns the system folders and removes nothing it did not install.
#pragma once

#include <string>

namespace tarnwick::ui {

class HistoryFolder {
  public:
    // True for a folder in the system's read-only program trees: /usr, /opt and what is below
    // them. `folder` is an absolute path without "." or ".." parts.
    static bool IsSystemFolder(const std::string& folder);

    // The folder for the histories of the program whose executable lies in
    // `executableFolder`: `userDataFolder` for an installed copy, else "" (beside the
    // executable).
    static std::string For(const std::string& executableFolder, const std::string& userDataFolder);
};

}  // namespace tarnwick::ui
