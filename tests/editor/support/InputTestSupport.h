// Helpers for the input tests: an editor with fixed cell metrics (8 x 16 pixels, text area
// starting at x = 48) and keys and clicks as a host delivers them.
#pragma once

#include <string>

#include "editor/support/EditingTestSupport.h"
#include "support/FakeClipboard.h"
#include "support/RecordingSurface.h"

namespace tarnwick::editor::test {

class InputTest : public EditingTest {
  public:
    static constexpr int kCharWidth = 8;
    static constexpr int kLineHeight = 16;

    InputTest() {
        tarnwick::testing::RecordingSurface surface(400, 200);
        surface.CharWidth = kCharWidth;
        surface.TextHeight = kLineHeight - 1;
        memo.View().ComputeMetrics(surface, false);
        memo.View().SetClientSize(400, 200);
        memo.SetClipboard(&clipboard);
        memo.FocusGained();
    }

    // A key as a host delivers it: key down, the character it makes (if any), key up.
    void Key(TKey key, TShiftState shift = 0, std::string_view chars = {}) {
        memo.KeyDown(key, shift);
        if (!chars.empty()) {
            memo.KeyPress(chars);
        }
        memo.KeyUp(key, shift);
    }
    // Typed text as a host sends it: a key down first, since a character without one is
    // dropped while the completion aids are active.
    void Chars(std::string_view text) {
        memo.KeyDown(vkNone, 0);
        memo.KeyPress(text);
    }

    // Pixel points of view cells: the left edge of column c (so it rounds to c) in row r.
    int X(int column) const { return memo.View().TextAreaRect().Left + column * kCharWidth; }
    int Y(int row) const { return memo.View().TextAreaRect().Top + row * kLineHeight + 8; }
    void Press(int column, int row, TShiftState shift = 0,
               TMouseButton button = TMouseButton::mbLeft) {
        memo.MouseDown(button, shift | (button == TMouseButton::mbLeft ? ssLeft : ssRight),
                       X(column), Y(row));
    }
    void MoveTo(int column, int row, TShiftState shift = ssLeft) {
        memo.MouseMove(shift, X(column), Y(row));
    }
    void Release(int column, int row, TShiftState shift = 0,
                 TMouseButton button = TMouseButton::mbLeft) {
        memo.MouseUp(button, shift, X(column), Y(row));
    }
    void Click(int column, int row, TShiftState shift = 0) {
        Press(column, row, shift);
        Release(column, row, shift);
    }

    TTextPos Anchor() const { return memo.SelectionAnchor(); }
    TTextPos Active() const { return memo.SelectionActiveEnd(); }

    tarnwick::testing::FakeClipboard clipboard;
};

}  // namespace tarnwick::editor::test
