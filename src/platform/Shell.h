// The desktop shell: open a file or an address with its associated program, and show a file
// selected in the file manager. One process-wide instance is installed at start-up (tests
// install a recording one); calls may come from any thread.
#pragma once

#include <string>

#include "platform/Interface.h"

namespace tarnwick::platform {

class Shell : public Interface {
  public:
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

// The file URI of a local path, made from the path's bytes: every byte other than an ASCII
// letter, digit, "-", ".", "_", "~" and "/" is percent-encoded, so a space, a non-ASCII name
// and a name that is not valid UTF-8 all reach the launcher and the file manager as they are.
// A relative path is taken relative to the working directory.
std::string FileUri(const std::string& path);
// Whether `target` is an address with a scheme ("http://...", "mailto:...") rather than a path.
bool HasUriScheme(const std::string& target);

}  // namespace tarnwick::platform
