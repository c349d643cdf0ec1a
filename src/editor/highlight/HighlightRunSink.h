// IHighlightRunSink: receives the runs of a tokenized line, in order. A run's text is a view
// into the line handed to the tokenizer and is valid only during the call.
#pragma once

#include <string_view>

#include "editor/highlight/HighlightState.h"

namespace tarnwick::editor {

class IHighlightRunSink {
  public:
    virtual ~IHighlightRunSink() = default;
    virtual void Run(std::string_view text, const HighlightState& state) = 0;
    // A keyword the styler paints itself (CustomKeywordDraw); the base ignores it.
    virtual void CustomKeyword(std::string_view /*word*/, const HighlightState& /*state*/) {}
    // The line's front part text is not handed over as runs (tokenizing went on from a
    // checkpoint after it); a sink that counts columns accounts for it. The base ignores it.
    virtual void Skipped(std::string_view /*text*/) {}
};

}  // namespace tarnwick::editor
