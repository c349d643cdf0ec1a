// Icons of result rows by icon key: the folder icon or a MIME type's icon from the desktop's
// icon theme, with the bundled generic icons as fallback. Cached per key; UI thread only.
#pragma once

#include <QHash>
#include <QIcon>
#include <string>

namespace tarnwick {

class RowIcons {
  public:
    QIcon IconFor(const std::string& key);

  private:
    QHash<QString, QIcon> cache_;
};

}  // namespace tarnwick
