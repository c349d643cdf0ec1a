// Defaults of the painting properties and the system colour table.
#include "editor/view/AdvMemoPaintSettings.h"

#include <cstdlib>

namespace tarnwick::editor {

namespace {

// Classic defaults of the system colours the painter uses, until the host sets real ones.
constexpr TColor kDefaultScrollBar = 0xC8C8C8;
constexpr TColor kDefaultBtnFace = 0xF0F0F0;
constexpr TColor kDefaultHighlight = 0xD77800;
constexpr TColor kDefaultBtnShadow = 0xA0A0A0;
constexpr TColor kColorMask = 0x00FFFFFF;

}  // namespace

TSystemColors::TSystemColors() {
    fValues.fill(kClWhite);
    fValues[kSysScrollBar] = kDefaultScrollBar;
    fValues[kSysWindow] = kClWhite;
    fValues[kSysWindowText] = kClBlack;
    fValues[kSysHighlight] = kDefaultHighlight;
    fValues[kSysBtnFace] = kDefaultBtnFace;
    fValues[kSysBtnShadow] = kDefaultBtnShadow;
    fValues[kSysBtnHighlight] = kClWhite;
}

TColor TSystemColors::Get(int number) const {
    if (number < 0 || number >= kSysColorCount) {
        return kClBlack;
    }
    return fValues[static_cast<size_t>(number)];
}

void TSystemColors::Set(int number, TColor value) {
    if (number >= 0 && number < kSysColorCount) {
        fValues[static_cast<size_t>(number)] = value & kColorMask;
    }
}

TColor TSystemColors::Resolve(TColor color) const {
    if (color == kClNone) {
        return color;
    }
    if ((color & kClSystemBase) == kClSystemBase) {
        return Get(static_cast<int>(color & 0xFF));
    }
    return color & kColorMask;
}

TAdvGutter::TAdvGutter() {
    Font.Size = kDefaultFontPoints;
}

void TAdvGutter::SetGutterMargin(int margin) {
    fGutterMargin = margin < kMinGutterMargin ? kMinGutterMargin : margin;
}

void TAdvGutter::SetLineNumberAt(int n) {
    if (n > 0) {
        fLineNumberAt = n;
    }
}

void TAdvGutter::SetLineNumberStart(int n) {
    if (n >= 0) {
        fLineNumberStart = n;
    }
}

TAdvMemoPaintSettings::TAdvMemoPaintSettings() {
    Font.Name = "COURIER NEW";
    Font.SetHeight(kFontPixelHeight);
    Font.Color = kClBlack;
    Gutter.Font.Name = "Courier New";
    Gutter.Font.SetHeight(kFontPixelHeight);
    Gutter.Font.Color = kClBlack;
}

platform::SurfaceFont ToSurfaceFont(const TFont& font, TFontStyles style) {
    return platform::SurfaceFont{font.Name, std::abs(font.Height()), style};
}

}  // namespace tarnwick::editor
