// The plain input values a host hands to the editor control: shift states, mouse buttons and
// key codes. Key codes are the classic virtual-key numbers (letters and digits are their
// upper-case ASCII codes), so the control's key rules read the same on every platform.
#pragma once

#include <cstdint>

namespace tarnwick::editor {

using TShiftState = uint8_t;
enum : TShiftState {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TKey = uint16_t;
enum : TKey {
    vkNone = 0,
    vkBack = 8,
    vkTab = 9,
    vkReturn = 13,
    vkShift = 16,
    vkControl = 17,
    vkMenu = 18,  // Alt
    vkEscape = 27,
    vkSpace = 32,
    vkPrior = 33,  // Page Up
    vkNext = 34,   // Page Down
    vkEnd = 35,
    vkHome = 36,
    vkLeft = 37,
    vkUp = 38,
    vkRight = 39,
    vkDown = 40,
    vkInsert = 45,
    vkDelete = 46,
    vkF1 = 112,
};

}  // namespace tarnwick::editor
