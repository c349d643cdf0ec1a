// TFont: the font description the editor's styles carry. Painting uses only its colour and
// style; name and size are kept for the host that creates the real font.
#pragma once

#include <cstdint>
#include <string>

#include "editor/view/Colors.h"

namespace tarnwick::editor {

// Font style set: bold, italic, underline, strike-out.
enum TFontStyle : uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
using TFontStyles = uint8_t;

struct TFont {
    static constexpr int kDefaultSize = 8;  // points
    static constexpr int kPixelsPerInch = 96;
    static constexpr int kPointsPerInch = 72;

    std::string Name = "Courier New";
    int Size = kDefaultSize;
    TColor Color = kClBlack;
    TFontStyles Style = 0;

    // Height in pixels (negative: character height without internal leading).
    int Height() const { return -(Size * kPixelsPerInch + kPointsPerInch / 2) / kPointsPerInch; }
    void SetHeight(int pixels) {
        const int h = pixels < 0 ? -pixels : pixels;
        Size = (h * kPointsPerInch + kPixelsPerInch / 2) / kPixelsPerInch;
    }
    bool operator==(const TFont&) const = default;
};

}  // namespace tarnwick::editor
