// A clipboard for tests: holds a text (or none) in memory and counts the writes.
#pragma once

#include <optional>
#include <string>

#include "platform/Clipboard.h"

namespace tarnwick::testing {

class FakeClipboard final : public platform::Clipboard {
  public:
    bool HasText() const override { return content.has_value(); }
    std::string Text() const override { return content.value_or(std::string()); }
    void SetText(const std::string& text) override {
        content = text;
        ++writes;
    }
    std::optional<std::string> content;
    int writes = 0;
};

}  // namespace tarnwick::testing
