// Colour values in the 0x00BBGGRR order; kClNone means "no colour: use the editor background".
#pragma once

#include <cstdint>

namespace tarnwick::editor {

using TColor = uint32_t;

constexpr TColor kClNone = 0x1FFFFFFF;  // 536870911
constexpr TColor kClBlack = 0x000000;
constexpr TColor kClWhite = 0xFFFFFF;   // 16777215
constexpr TColor kClSilver = 0xC0C0C0;  // 12632256
constexpr TColor kClNavy = 0x800000;    // 8388608
constexpr TColor kClRed = 0x0000FF;     // 255
constexpr TColor kClGreen = 0x008000;
constexpr TColor kClBlue = 0xFF0000;
constexpr TColor kClFuchsia = 0xFF00FF;  // 16711935
constexpr TColor kClYellow = 0x00FFFF;   // 65535
constexpr TColor kClGray = 0x808080;     // 8421504
// System colours are 0xFF0000nn with nn the system colour number.
constexpr TColor kClSystemBase = 0xFF000000;
constexpr TColor kClInfoBk = kClSystemBase | 24;  // tooltip background

}  // namespace tarnwick::editor
