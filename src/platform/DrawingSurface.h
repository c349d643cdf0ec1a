// IDrawingSurface: the abstract canvas the editor paints through (fonts and their metrics,
// fills, text at a point, lines, gradients, a one-at-a-time off-screen image, clipping).
// Colours are resolved 0x00BBGGRR values; text is well-formed UTF-8, one cell per character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Interface.h"

namespace tarnwick::platform {

// A resolved colour in the 0x00BBGGRR order (no "none", no system colour numbers).
using SurfaceColor = uint32_t;

inline constexpr int SurfaceRed(SurfaceColor c) {
    return static_cast<int>(c & 0xFF);
}
inline constexpr int SurfaceGreen(SurfaceColor c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int SurfaceBlue(SurfaceColor c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
inline constexpr SurfaceColor SurfaceRgb(int r, int g, int b) {
    return static_cast<SurfaceColor>(r & 0xFF) | (static_cast<SurfaceColor>(g & 0xFF) << 8) |
           (static_cast<SurfaceColor>(b & 0xFF) << 16);
}

// Rectangle with exclusive right and bottom edges.
struct SurfaceRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    SurfaceRect Intersected(const SurfaceRect& o) const;
    bool operator==(const SurfaceRect&) const = default;
};

// Font style bits; the same values as the editor's font styles.
enum SurfaceFontStyle : uint8_t {
    kSurfaceBold = 1,
    kSurfaceItalic = 2,
    kSurfaceUnderline = 4,
    kSurfaceStrikeOut = 8,
};

// A font request. The name "FixedSys" asks for the system's fixed-pitch font.
struct SurfaceFont {
    static constexpr const char* kFixedSys = "FixedSys";
    std::string Name;
    int PixelHeight = 0;
    uint8_t Style = 0;
    bool operator==(const SurfaceFont&) const = default;
};

struct SurfaceTextExtent {
    int Width = 0;
    int Height = 0;
    bool operator==(const SurfaceTextExtent&) const = default;
};

// The interface; implementations hold no state the caller must free. A surface is used by one
// paint at a time on the UI thread; it is not copyable because it stands for a device.
class IDrawingSurface : public Interface {
  public:
    // Selects the font for the following measurements and text output.
    virtual void SetFont(const SurfaceFont& font) = 0;
    // Width and height of text in the current font.
    virtual SurfaceTextExtent TextExtent(std::string_view text) = 0;
    // True when the current font is fixed-pitch by the platform's font metrics.
    virtual bool FontIsFixedPitch() = 0;

    virtual void FillRect(const SurfaceRect& rect, SurfaceColor color) = 0;
    // Writes text (UTF-8) with its first cell's top-left at (x, y), transparent background,
    // no prefix or tab processing; each character (code point) takes exactly cellWidth
    // pixels, so text stays on the caller's grid. A glyph wider than its cell is cut at the
    // cell's edges.
    virtual void TextOut(int x, int y, std::string_view text, SurfaceColor color,
                         int cellWidth) = 0;
    // A straight line from (x1, y1) to (x2, y2), end point excluded, penWidth pixels wide
    // (a vertical line of width w covers x1 .. x1 + w - 1).
    virtual void Line(int x1, int y1, int x2, int y2, SurfaceColor color, int penWidth) = 0;
    // Horizontal gradient of `bands` equal bands from `from` at the left to `to` at the right.
    // The default fills the bands with FillRect using GradientBandColor.
    virtual void FillGradient(const SurfaceRect& rect, SurfaceColor from, SurfaceColor to,
                              int bands);

    // Off-screen drawing: after BeginImage every call draws into a fresh white image of the
    // given size, in its own coordinates, until EndImage copies it to (x, y) in one operation.
    // Images do not nest; the image belongs to the surface.
    virtual void BeginImage(int width, int height) = 0;
    virtual void EndImage(int x, int y) = 0;

    // Limits drawing on the surface itself (not inside an image) to rect; ResetClip lifts it.
    virtual void SetClip(const SurfaceRect& rect) = 0;
    virtual void ResetClip() = 0;
};

// The pixels of an axis-parallel line as Line draws it (start included, end excluded, the
// pen's width added to the right of a vertical and below a horizontal line). False for a
// slanted line.
bool AxisLinePixels(int x1, int y1, int x2, int y2, int penWidth, SurfaceRect& out);

// Colour of band k (0 .. bands-1): each component start + k * (end - start) / bands, rounded.
SurfaceColor GradientBandColor(SurfaceColor from, SurfaceColor to, int k, int bands);

}  // namespace tarnwick::platform
