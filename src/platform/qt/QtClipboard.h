// The system clipboard on Qt: QClipboard's plain text, converted between UTF-8 bytes and
// QString at this boundary.
#pragma once

#include "platform/Clipboard.h"

namespace tarnwick::platform {

class QtClipboard final : public Clipboard {
  public:
    bool HasText() const override;
    std::string Text() const override;
    void SetText(const std::string& text) override;
};

}  // namespace tarnwick::platform
