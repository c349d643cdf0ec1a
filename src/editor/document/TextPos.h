// TTextPos: a text position (column, line), both from 0; ordered line first, then column.
#pragma once

#include <compare>

namespace tarnwick::editor {

struct TTextPos {
    int X = 0;  // column
    int Y = 0;  // line
    bool operator==(const TTextPos&) const = default;
    std::strong_ordering operator<=>(const TTextPos& other) const {
        if (auto c = Y <=> other.Y; c != 0) {
            return c;
        }
        return X <=> other.X;
    }
};

}  // namespace tarnwick::editor
