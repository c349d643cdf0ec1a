// The desktop shell: open a file or an address with its associated program, and show a file
// selected in the file manager. One process-wide instance is installed at start-up (tests
// install a recording one); calls may come from any thread.
#pragma once

#include <string>

namespace tarnwick {

class Shell {
  public:
    Shell() = default;
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;
    virtual ~Shell() = default;

    // Opens a local path or an address ("http://...") with its associated program. Failures are
    // not reported.
    virtual void Open(const std::string& target) = 0;
    // Opens the file manager on the folder holding `path`, with the entry selected where the
    // file manager can do that.
    virtual void ShowInFolder(const std::string& path) = 0;

    // The installed shell, or nullptr. Installing does not take ownership; the installer keeps
    // the object alive while it is installed.
    static Shell* Installed();
    static void Install(Shell* shell);
};

}  // namespace tarnwick
