// The scroll state: both bars after loading, their mutual effect on the text area, the
// position limits, bar actions, wheel steps and the start-state caches they drop.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "editor/support/AdvMemoPaintTestSupport.h"
#include "editor/support/EditorTestSupport.h"

namespace tarnwick::editor::test {
namespace {

class ScrollTest : public PaintFixture {
  protected:
    static constexpr int kRows = (kHeight - 2) / kLh;  // 13 rows without a horizontal bar
    TempDir dir;

    void LoadLines(int count, const std::string& line = "line") {
        // Each test has a folder of its own: ctest runs these tests side by side.
        const std::string path = dir.File("paint_scroll.txt");
        {
            std::ofstream out(path, std::ios::binary);
            for (int i = 0; i < count; ++i) {
                out << line << i << "\r\n";
            }
        }
        memo.Lines().LoadFromFile(path);
        view.UpdateScrollBars();
    }
};

TEST_F(ScrollTest, LongFileShowsTheVerticalBarOnly) {
    LoadLines(1000);
    const TAdvMemoScrollBar& v = view.VerticalBar();
    ASSERT_TRUE(v.Visible);
    EXPECT_FALSE(view.HorizontalBar().Visible);
    EXPECT_EQ(v.Position, 0);
    EXPECT_EQ(v.PageSize, kRows);
    EXPECT_EQ(v.Maximum, 1000 - 1 + kRows - 1);
    EXPECT_EQ(v.LastPosition(), 999);
    // The bar narrows the text area, and the editor knows the new cell counts.
    EXPECT_EQ(view.TextAreaRect().Right, kWidth - 1 - 16);
    EXPECT_EQ(memo.VisibleColumns(), view.VisibleColumns());
    EXPECT_EQ(view.VerticalBarRect(), (platform::SurfaceRect{kWidth - 17, 1, kWidth - 1, kHeight}));
}

TEST_F(ScrollTest, ShortFileHidesTheBarAndResetsTheTopLine) {
    LoadLines(1000);
    view.VerticalScroll(TScrollCode::ThumbTrack, 500);
    EXPECT_EQ(memo.FirstVisibleLine(), 500);
    LoadLines(5);
    EXPECT_FALSE(view.VerticalBar().Visible);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
}

TEST_F(ScrollTest, WheelStepsMoveFourLinesAndDropThePassedCaches) {
    LoadLines(1000);
    // Fill the per-line caches up to line 200.
    memo.StartStateOfLine(200);
    ASSERT_NE(memo.Lines().LineProp(100), nullptr);
    ASSERT_TRUE(memo.Lines().LineProp(100)->StartStateValid);
    for (int i = 0; i < 3; ++i) {
        memo.MouseWheel(-TAdvCustomMemo::kWheelDelta, 0);
    }
    EXPECT_EQ(memo.FirstVisibleLine(), 12);
    EXPECT_EQ(view.VerticalBar().Position, 12);
    EXPECT_TRUE(memo.Lines().LineProp(100)->StartStateValid);
    view.VerticalScroll(TScrollCode::ThumbPosition, 120);
    EXPECT_FALSE(memo.Lines().LineProp(100)->StartStateValid);
    EXPECT_TRUE(memo.Lines().LineProp(140)->StartStateValid);
    // Up by four, then at line 4 or less straight to the top.
    memo.MouseWheel(TAdvCustomMemo::kWheelDelta, 0);
    EXPECT_EQ(memo.FirstVisibleLine(), 116);
    view.VerticalScroll(TScrollCode::ThumbPosition, 3);
    memo.MouseWheel(TAdvCustomMemo::kWheelDelta, 0);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
    // Down near the end stops at the last line.
    view.VerticalScroll(TScrollCode::ThumbPosition, 998);
    memo.MouseWheel(-TAdvCustomMemo::kWheelDelta, 0);
    EXPECT_EQ(memo.FirstVisibleLine(), 999);
    EXPECT_EQ(memo.CurY(), 0);  // the caret does not move
}

TEST_F(ScrollTest, WheelOnADocumentThatFitsMovesTheCaretHomeOnlyWhenTurnedDown) {
    SetText({"abc", "defgh", "x"});
    memo.SetCaretLine(1);
    memo.SetCaretColumn(4);
    memo.MouseWheel(TAdvCustomMemo::kWheelDelta, 0);
    EXPECT_EQ(memo.CurX(), 4);
    EXPECT_EQ(memo.CurY(), 1);
    memo.MouseWheel(-TAdvCustomMemo::kWheelDelta, 0);
    EXPECT_EQ(memo.CurX(), 0);
    EXPECT_EQ(memo.CurY(), 0);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
    // The first line was not padded on the way home.
    EXPECT_EQ(memo.Lines().Get(0), "abc");
    // An empty list gains no line.
    SetText({});
    memo.MouseWheel(-TAdvCustomMemo::kWheelDelta, 0);
    EXPECT_EQ(memo.Lines().Count(), 0);
}

TEST_F(ScrollTest, BarActionsMoveByLinesPagesAndStayInRange) {
    LoadLines(100);
    struct Step {
        TScrollCode Code;
        int Track;
        int Expected;
    };
    const Step steps[] = {
        {TScrollCode::LineDown, 0, 1},
        {TScrollCode::PageDown, 0, 1 + kRows + 1},
        {TScrollCode::PageUp, 0, 1},
        {TScrollCode::LineUp, 0, 0},
        {TScrollCode::LineUp, 0, 0},
        {TScrollCode::ThumbTrack, 50, 50},
        {TScrollCode::ThumbTrack, 5000, 99},
        {TScrollCode::Bottom, 0, 99},
        {TScrollCode::Top, 0, 0},
    };
    for (const Step& s : steps) {
        view.VerticalScroll(s.Code, s.Track);
        EXPECT_EQ(memo.FirstVisibleLine(), s.Expected) << static_cast<int>(s.Code);
        EXPECT_EQ(view.VerticalBar().Position, s.Expected);
    }
}

TEST_F(ScrollTest, HorizontalBarForLongLinesAndItsPositionLimit) {
    SetText({std::string(120, 'a'), "b"});
    const TAdvMemoScrollBar& h = view.HorizontalBar();
    ASSERT_TRUE(h.Visible);
    EXPECT_FALSE(view.VerticalBar().Visible);
    const int columns = view.VisibleColumns();
    EXPECT_EQ(h.Maximum, 120);
    EXPECT_EQ(h.PageSize, columns + 1);
    EXPECT_EQ(view.TextAreaRect().Bottom, kHeight - 1 - 16);
    view.HorizontalScroll(TScrollCode::ThumbTrack, 30);
    EXPECT_EQ(memo.FirstVisibleColumn(), 30);
    // A position past the last one is set to maximum - page + 2.
    view.HorizontalScroll(TScrollCode::Bottom);
    EXPECT_EQ(memo.FirstVisibleColumn(), 120 - (columns + 1) + 2);
    memo.SetFirstVisibleColumn(119);
    view.UpdateScrollBars();
    EXPECT_EQ(memo.FirstVisibleColumn(), 120 - (columns + 1) + 2);
    // Short lines again: the view goes back to column 0 and the bar hides.
    SetText({"b"});
    EXPECT_FALSE(h.Visible);
    EXPECT_EQ(memo.FirstVisibleColumn(), 0);
}

TEST_F(ScrollTest, HorizontalBarThatTakesTheLastRowBringsTheVerticalOne) {
    // 13 lines fit exactly; with the horizontal bar only 12 rows remain.
    std::vector<std::string> lines(kRows, "x");
    lines[0] = std::string(200, 'w');
    memo.Lines().Clear();
    for (const auto& l : lines) {
        memo.Lines().Add(l);
    }
    view.UpdateScrollBars();
    EXPECT_TRUE(view.HorizontalBar().Visible);
    EXPECT_TRUE(view.VerticalBar().Visible);
    EXPECT_EQ(view.VerticalBar().PageSize, (kHeight - 2 - 16) / kLh);
    EXPECT_EQ(view.HorizontalBar().PageSize, view.VisibleColumns() + 1);
    EXPECT_EQ(view.TextAreaRect().Right, kWidth - 1 - 16);
}

TEST_F(ScrollTest, BarsTheSettingDoesNotProvideStayHiddenAndNotifyOffFreezesThem) {
    settings.ScrollBars = ssNone;
    LoadLines(1000);
    EXPECT_FALSE(view.VerticalBar().Visible);
    EXPECT_EQ(memo.VisibleRows(), kRows);
    settings.ScrollBars = ssBoth;
    {
        const auto quiet = memo.SuspendNotify();
        view.UpdateScrollBars();
        EXPECT_FALSE(view.VerticalBar().Visible);
    }
    view.UpdateScrollBars();
    EXPECT_TRUE(view.VerticalBar().Visible);
}

TEST_F(ScrollTest, TopLineRules) {
    LoadLines(100);
    memo.SetTopLine(40);
    EXPECT_EQ(memo.FirstVisibleLine(), 40);
    memo.SetTopLine(-1);  // ignored
    EXPECT_EQ(memo.FirstVisibleLine(), 40);
    memo.SetTopLine(250);
    EXPECT_EQ(memo.FirstVisibleLine(), 99);
    EXPECT_EQ(view.VerticalBar().Position, 99);
}

TEST_F(ScrollTest, TheViewMovesItsTopLineAndReportsEachChangeOnce) {
    LoadLines(100);
    std::vector<std::pair<int, int>> changes;
    view.OnTopLineChanged.Add(
        [&](int oldLine, int newLine) { changes.emplace_back(oldLine, newLine); });
    const int paints = memo.InvalidateCount();
    view.ScrollTopLine(10);
    view.ScrollTopLine(10);    // no change, no report
    view.ScrollTopLine(-5);    // limited to the first line
    view.ScrollTopLine(1000);  // limited to the last line
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{0, 10}, {10, 0}, {0, 99}}));
    EXPECT_EQ(memo.FirstVisibleLine(), 99);
    EXPECT_EQ(memo.InvalidateCount(), paints + 3);
    EXPECT_EQ(view.VerticalBar().Position, 0) << "the bar follows scroll-bar moves only";
}

TEST_F(ScrollTest, ScrolledViewPaintsFromTheFirstVisibleLine) {
    LoadLines(100);
    view.VerticalScroll(TScrollCode::ThumbTrack, 20);
    Paint();
    // "line" and the number after it are separate runs.
    EXPECT_EQ(RunTextAt(4, 0), "20");
    // The partly visible last row is painted too, but nothing lands below the text area.
    EXPECT_EQ(RunTextAt(4, kRows), std::to_string(20 + kRows));
    EXPECT_EQ(surface.Pixel(100, kHeight - 1), 0x808080u);
}

}  // namespace
}  // namespace tarnwick::editor::test
