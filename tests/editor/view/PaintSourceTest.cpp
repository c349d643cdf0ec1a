// The renderer against an editor seen only through TPaintSource: it paints the source's lines
// from the view's top line, drives the source's highlighting in order (start state, prepare,
// then each painted line), and takes the background and the caret line from the source.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/blockmatch/AdvMemoBlockMatch.h"
#include "editor/document/AdvMemoStrings.h"
#include "editor/highlight/HighlightRunSink.h"
#include "editor/support/AdvMemoPaintTestSupport.h"
#include "editor/view/AdvMemoRenderer.h"
#include "editor/view/PaintSource.h"

namespace tarnwick::editor::test {
namespace {

class FakePaintSource final : public TPaintSource {
  public:
    const TAdvMemoStrings& Lines() const override { return Text; }
    TColor BkColor() const override { return Background; }
    const TAdvCustomMemoStyler* SyntaxStyles() const override { return nullptr; }
    const TAdvMemoBlockMatch& BlockMatch() const override { return Blocks; }
    int FirstVisibleColumn() const override { return 0; }
    int CurY() const override { return CaretLine; }
    bool HasSelection() const override { return false; }
    TTextPos SelectionStart() const override { return {}; }
    TTextPos SelectionEnd() const override { return {}; }
    bool Focused() const override { return true; }
    bool FindDialogOpen() const override { return false; }
    HighlightState FirstVisibleLineStartState() override {
        Calls.push_back("start");
        return {};
    }
    void PrepareHighlighting() override { Calls.push_back("prepare"); }
    HighlightState TokenizeLineForPaint(int index, std::string_view text, HighlightState state,
                                        IHighlightRunSink& sink, size_t, size_t) override {
        Calls.push_back("line " + std::to_string(index));
        sink.Run(text, state);
        return state;
    }

    TAdvMemoStrings Text;
    TColor Background = kClWhite;
    int CaretLine = 0;
    TAdvMemoBlockMatch Blocks;
    std::vector<std::string> Calls;
};

// The fixture's editor only hosts the view and settings; its own list stays empty.
class PaintSourceTest : public PaintFixture {
  protected:
    FakePaintSource source;
    TAdvMemoRenderer renderer{source, settings, view};

    void PaintFromSource() {
        surface.ClearRecord();
        renderer.Paint(surface, {0, 0, kWidth, kHeight});
    }
};

TEST_F(PaintSourceTest, PaintsTheSourcesLinesFromTheViewsTopLineInHighlightOrder) {
    for (const char* line : {"zero", "one", "two"}) {
        source.Text.Add(line);
    }
    view.SetFirstVisibleLine(1);
    PaintFromSource();
    EXPECT_EQ(source.Calls, (std::vector<std::string>{"start", "prepare", "line 1", "line 2"}));
    EXPECT_EQ(RunTextAt(0, 0), "one");
    EXPECT_EQ(RunTextAt(0, 1), "two");
}

TEST_F(PaintSourceTest, BackgroundAndTheGuttersCaretLineComeFromTheSource) {
    settings.Gutter.SetLineNumberAt(5);  // only every fifth number, and the caret line's
    for (int i = 0; i < 4; ++i) {
        source.Text.Add("x");
    }
    struct Case {
        TColor Background;
        int CaretLine;
    };
    for (const Case c : {Case{0x00FFFF, 2}, Case{0x800000, 3}}) {
        source.Background = c.Background;
        source.CaretLine = c.CaretLine;
        source.Calls.clear();
        PaintFromSource();
        // Below the last of the four lines only the background shows.
        EXPECT_EQ(surface.Pixel(CellX(0) + 1, RowY(6) + 1), c.Background);
        for (int line = 0; line < 4; ++line) {
            const auto entry = renderer.GutterEntryOf(line, kCw);
            EXPECT_EQ(entry.Number, line == c.CaretLine || (line + 1) % 5 == 0) << line;
        }
    }
}

}  // namespace
}  // namespace tarnwick::editor::test
