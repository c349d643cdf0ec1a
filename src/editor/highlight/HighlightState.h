// HighlightState: the tokenizer state carried from character to character and from line to
// line. The Is* flags are one-shot (cleared after every emission); the rest persists.
#pragma once

#include <cstdint>

namespace tarnwick::editor {

struct HighlightState {
    static constexpr int32_t kNoStyle = -1;

    bool InComment = false;
    bool InBracket = false;
    bool IsNumber = false;
    bool IsKeyword = false;
    bool IsSymbol = false;
    bool IsUrl = false;
    bool IsHighlight = false;
    char BracketEnd = '\0';
    char BracketStart = '\0';
    int32_t StyleIndex = kNoStyle;

    // Two states are equal when all ten fields are equal.
    bool operator==(const HighlightState&) const = default;

    void ClearOneShotFlags() {
        IsNumber = false;
        IsKeyword = false;
        IsSymbol = false;
        IsUrl = false;
        IsHighlight = false;
    }
    // The persistent part only: what a line hands to the next.
    HighlightState Persistent() const {
        HighlightState s = *this;
        s.ClearOneShotFlags();
        return s;
    }
};

}  // namespace tarnwick::editor
