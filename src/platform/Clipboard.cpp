#include "platform/Clipboard.h"

#include <atomic>

namespace tarnwick {

namespace {
std::atomic<Clipboard*> gInstalled{nullptr};
}

Clipboard* Clipboard::Installed() {
    return gInstalled.load();
}

void Clipboard::Install(Clipboard* clipboard) {
    gInstalled.store(clipboard);
}

}  // namespace tarnwick
