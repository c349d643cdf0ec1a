// The fixture of the painting tests: an editor with the program's styler (keyword "foo"), its
// painting settings and view, and a recording surface of the control's size.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "editor/control/AdvMemo.h"
#include "editor/highlight/AdvPascalMemoStyler.h"
#include "support/RecordingSurface.h"

namespace tarnwick::editor::test {

class PaintFixture : public ::testing::Test {
  protected:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 200;
    // The fake font's cell: "W" is 8 wide, "W_" 14 high, so a line is 15 pixels.
    static constexpr int kCw = 8;
    static constexpr int kLh = 15;
    static constexpr int kTextLeft = 48;  // gutter 45 + 2, text indent 2, single border -1
    static constexpr int kFirstRowTop = 2;

    PaintFixture() : styler(CreateAdvPascalMemoStyler1()), surface(kWidth, kHeight) {
        memo.SetSyntaxStyles(styler.get());
        styler->AllStyles().Items(0).SetKeyWords(TStringList{"foo"});
        view.SetClientSize(kWidth, kHeight);
        view.ComputeMetrics(surface);
    }
    void SetText(std::initializer_list<std::string> lines) {
        memo.Lines().Clear();
        for (const auto& l : lines) {
            memo.Lines().Add(l);
        }
        view.UpdateScrollBars();
    }
    void Paint() {
        surface.ClearRecord();
        memo.Paint(surface, {0, 0, kWidth, kHeight});
    }
    static int CellX(int column) { return kTextLeft + column * kCw; }
    static int RowY(int row) { return kFirstRowTop + row * kLh; }
    // The text of the run drawn from the cell (column, row), or a mark that none was.
    std::string RunTextAt(int column, int row) const {
        const auto* run = surface.TextAt(CellX(column), RowY(row));
        return run != nullptr ? run->Text : "(no run drawn there)";
    }
    // The text of the run drawn at window x in the given row.
    std::string RunTextAtX(int x, int row) const {
        const auto* run = surface.TextAt(x, RowY(row));
        return run != nullptr ? run->Text : "(no run drawn there)";
    }
    // A pixel inside the cell, clear of the text's own pixels in a real font.
    platform::SurfaceColor CellPixel(int column, int row) const {
        return surface.Pixel(CellX(column) + 1, RowY(row) + 1);
    }

    std::unique_ptr<TAdvPascalMemoStyler> styler;
    TAdvMemo memo;
    TAdvMemoPaintSettings& settings = memo.Settings();
    TAdvMemoView& view = memo.View();
    tarnwick::testing::RecordingSurface surface;
};

}  // namespace tarnwick::editor::test
