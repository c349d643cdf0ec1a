// The plain input values a host hands to the editor control: shift states, mouse buttons and
// key codes (the classic virtual-key numbers; letters and digits are their upper-case ASCII
// codes), so the control's key rules read the same on every platform. Also the control's input
// state between events and what it asks of its host (pointer shape, caret, drag).
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

// Control characters that character input receives (as a platform's key translation makes
// them from Ctrl+letter and the editing keys).
enum : char32_t {
    chCtrlA = 1,
    chCtrlC = 3,
    chBackspace = 8,
    chTab = 9,
    chLineFeed = 10,
    chReturn = 13,
    chCtrlV = 22,
    chCtrlX = 24,
    chEscape = 27,
    chDelete = 127,  // Ctrl+Backspace
};

enum class TCursorShape { crIBeam, crArrow };
enum TDragMode { dmManual, dmAutomatic };

// Input state kept between events; all false at start.
struct TMemoInputState {
    bool KeyDownSeen = false;          // cleared by Ctrl+Space so its space is not typed
    bool LastKeyWithoutCtrl = false;   // gates automatic parameter hints
    bool MouseSelectionArmed = false;  // a left press in the text area until its release
    bool PressedInside = false;        // the left press landed inside the selection
    bool JustPositioned = false;       // a press moved the caret; the next move is ignored
    bool BlinkSaved = false;           // blinking is off until the key sequence ends
    bool CaretHiddenByPress = false;   // hidden from a press until its release
};

// Dragging the selected text within the editor.
struct TMemoDragState {
    bool Pending = false;  // pressed inside the selection and moved: waiting for the threshold
    bool Running = false;
    int StartX = 0;  // where the press was, in pixels
    int StartY = 0;
    bool MarkerShown = false;  // the drop marker's cell (view column and row)
    int MarkerColumn = 0;
    int MarkerRow = 0;
    static constexpr int kThreshold = 2;  // pixels the pointer moves before a drag starts
};

}  // namespace tarnwick::editor
