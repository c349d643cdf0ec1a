// TAdvMemoPaintSettings and TAdvGutter: the painting properties of the editor (text font,
// selection and margin colours, border, scroll bars, gutter) with this program's values, and
// the resolution of system colour numbers. Plain values; the painter reads them at each paint.
#pragma once

#include <array>
#include <string>

#include "editor/view/Colors.h"
#include "editor/view/Font.h"
#include "platform/DrawingSurface.h"

namespace tarnwick::editor {

enum TBorderStyle { bsNone, bsSingle };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TWordWrapStyle { wwNone, wwClientWidth, wwRightMargin };

// System colour numbers used by the painter (the nn of a 0xFF0000nn colour value).
enum TSystemColor : int {
    kSysScrollBar = 0,
    kSysWindow = 5,
    kSysWindowText = 8,
    kSysHighlight = 13,
    kSysBtnFace = 15,
    kSysBtnShadow = 16,
    kSysBtnHighlight = 20,
    kSysColorCount = 31,
};

constexpr TColor SystemColor(int number) {
    return kClSystemBase | static_cast<TColor>(number);
}
constexpr TColor kClBtnFace = SystemColor(kSysBtnFace);
constexpr TColor kClScrollBar = SystemColor(kSysScrollBar);
constexpr TColor kClLightGrey226 = 0xE2E2E2;  // 14869218: red = green = blue = 226
constexpr TColor kClLime = 0x00FF00;          // 65280

// Current values of the system colours; the host may replace them with the platform's.
class TSystemColors {
  public:
    TSystemColors();
    TColor Get(int number) const;
    void Set(int number, TColor value);
    // A colour value with system colour numbers replaced by their current values. The "none"
    // value is returned unchanged.
    TColor Resolve(TColor color) const;

  private:
    std::array<TColor, kSysColorCount> fValues{};
};

// The gutter: line-number column left of the text.
struct TAdvGutter {
    static constexpr int kDefaultDigitCount = 4;
    static constexpr int kDefaultGutterWidth = 45;
    static constexpr int kMinGutterMargin = 45;
    static constexpr int kDefaultFontPoints = 10;

    TAdvGutter();

    int DigitCount = kDefaultDigitCount;
    TFont Font;
    TColor BorderColor = kClGray;
    int GutterWidth = kDefaultGutterWidth;
    TColor GutterColor = kClBtnFace;
    TColor GutterColorTo = kClWhite;  // kClNone: solid GutterColor
    TColor LineNumberTextColor = kClBlack;
    TColor ModifiedColorBkg = kClLime;
    TColor ModifiedColor = kClYellow;
    std::string NumberSuffix;
    bool ShowLineNumbers = true;
    bool ShowModified = false;
    bool Visible = true;
    bool ShowLeadingZeros = false;

    int GutterMargin() const { return fGutterMargin; }
    // Values below 45 are raised to 45.
    void SetGutterMargin(int margin);
    int LineNumberAt() const { return fLineNumberAt; }
    // Only values above 0 are taken.
    void SetLineNumberAt(int n);
    int LineNumberStart() const { return fLineNumberStart; }
    // Values 0 and above are taken.
    void SetLineNumberStart(int n);

  private:
    int fGutterMargin = kMinGutterMargin;
    int fLineNumberAt = 1;
    int fLineNumberStart = 1;
};

// The editor's painting properties that the control does not hold itself.
struct TAdvMemoPaintSettings {
    static constexpr int kRightMargin = 80;
    static constexpr int kFontPixelHeight = 13;

    TAdvMemoPaintSettings();

    TFont Font;  // the text font; its colour is the plain text colour
    TColor SelColor = kClWhite;
    TColor SelBkColor = kClNavy;
    bool ShowRightMargin = true;
    int RightMargin = kRightMargin;
    TColor RightMarginColor = kClLightGrey226;
    TBorderStyle BorderStyle = bsSingle;
    bool Ctl3D = false;
    TColor BorderColor = kClGray;
    TScrollStyle ScrollBars = ssBoth;
    TWordWrapStyle WordWrap = wwNone;
    bool HideSelection = false;
    // Paint of link runs; never used while the editor's UrlAware is off.
    TColor UrlTextColor = kClBlue;
    TColor UrlBkColor = kClNone;
    TFontStyles UrlStyle = fsUnderline;
    TAdvGutter Gutter;
    TSystemColors SystemColors;
    // Platform scroll-bar thickness in pixels (the host sets the platform's value).
    int SystemScrollBarWidth = 16;
    int SystemScrollBarHeight = 16;

    bool ProvidesVertical() const { return ScrollBars == ssVertical || ScrollBars == ssBoth; }
    bool ProvidesHorizontal() const { return ScrollBars == ssHorizontal || ScrollBars == ssBoth; }
};

// A surface font for an editor font (its size as a pixel height).
platform::SurfaceFont ToSurfaceFont(const TFont& font, TFontStyles style);

}  // namespace tarnwick::editor
