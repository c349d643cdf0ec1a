// The process-wide shell instance.
#include "platform/Shell.h"

#include <atomic>

namespace tarnwick {
namespace {

std::atomic<Shell*> installedShell{nullptr};

}  // namespace

Shell* Shell::Installed() {
    return installedShell.load();
}

void Shell::Install(Shell* shell) {
    installedShell.store(shell);
}

}  // namespace tarnwick
