// The desktop shell on Qt: QDesktopServices opens files and addresses; the file manager's D-Bus
// interface (org.freedesktop.FileManager1.ShowItems) shows an entry selected, falling back to
// opening the containing folder when no file manager answers. Local paths cross as
// percent-encoded file URIs made from their bytes, never through a decoded QString.
#pragma once

#include <QString>
#include <QUrl>

#include "platform/Shell.h"

namespace tarnwick::platform {

class QtShell final : public Shell {
  public:
    void Open(const std::string& target) override;
    void ShowInFolder(const std::string& path) override;

    // What Open hands the launcher: an address as given, a local path as its file URI.
    static QUrl UrlOf(const std::string& target);
    // The URI ShowItems receives for a path.
    static QString ShowItemsArgument(const std::string& path);
};

}  // namespace tarnwick::platform
