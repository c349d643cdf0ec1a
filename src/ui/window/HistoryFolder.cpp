// The choice between the executable's folder and the user's data folder for the histories.
#include "ui/window/HistoryFolder.h"

namespace tarnwick::ui {

bool HistoryFolder::IsSystemFolder(const std::string& folder) {
    for (const std::string tree : {"/usr", "/opt"}) {
        // The tree itself or a folder below it; "/usrlocal" is neither.
        if (folder.compare(0, tree.size(), tree) == 0 &&
            (folder.size() == tree.size() || folder[tree.size()] == '/')) {
            return true;
        }
    }
    return false;
}

std::string HistoryFolder::For(const std::string& executableFolder,
                               const std::string& userDataFolder) {
    return IsSystemFolder(executableFolder) ? userDataFolder : std::string();
}

}  // namespace tarnwick::ui
