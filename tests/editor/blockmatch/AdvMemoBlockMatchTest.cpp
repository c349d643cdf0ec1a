// The block match: whole-word search, the closing and opening searches over the visible
// lines, and the aqua run backgrounds and row repaints they lead to.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/blockmatch/AdvMemoBlockMatch.h"
#include "editor/control/MemoBlockMatchSource.h"
#include "editor/support/AdvMemoPaintTestSupport.h"

namespace tarnwick::editor::test {
namespace {

constexpr platform::SurfaceColor kAqua = 0xFFFF00;
constexpr platform::SurfaceColor kWhite = 0xFFFFFF;

class BlockMatchTest : public PaintFixture {
  protected:
    // Puts the caret on line and runs the update as a caret move does.
    void CaretTo(int line) {
        memo.SetCaretLine(line);
        memo.UpdateBlockMatch();
    }
    const TBlockMatch& Closing() const { return memo.BlockMatch().Closing(); }
    const TBlockMatch& Opening() const { return memo.BlockMatch().Opening(); }

    TMemoBlockMatchSource source{memo};  // the editor as the word searches read it
};

TEST_F(BlockMatchTest, WholeWordNeedsDelimitersOnBothSidesOfTheFirstOccurrence) {
    struct Case {
        const char* Word;
        const char* Text;
        int Expected;
    };
    for (const Case& c : {Case{"END", "END;", 1}, Case{"END", "END.", 0}, Case{"END", "  END", 3},
                          Case{"END", "X,END ", 3}, Case{"END", "XEND END", 0},
                          Case{"END", "ENDS", 0}, Case{"END", "", 0}, Case{"", "END", 0},
                          Case{"END", "\"END\"", 2}, Case{"END", "\xC3\xA9 END", 3}}) {
        EXPECT_EQ(FindWholeWord(source, c.Word, c.Text), c.Expected) << c.Word << " in " << c.Text;
    }
}

TEST_F(BlockMatchTest, ListSearchNarrowsTheListToTheWordFound) {
    std::string list = "BEGIN,TRY,CASE";
    EXPECT_EQ(FindBlockWord(source, list, "X TRY CASE"), 3);
    EXPECT_EQ(list, "TRY");
    list = "BEGIN,TRY";
    EXPECT_EQ(FindBlockWord(source, list, "TRYING"), 0);
    EXPECT_EQ(list, "BEGIN,TRY");
    list = "END";
    EXPECT_EQ(FindBlockWord(source, list, "A END"), 3);
    EXPECT_EQ(list, "END");
}

TEST_F(BlockMatchTest, EveryLineOfASimpleBlockMatchesBeginAndEnd) {
    SetText({"begin", "x;", "end;"});
    for (int line : {1, 2, 0}) {
        CaretTo(line);
        EXPECT_EQ(Opening(), (TBlockMatch{0, 0, 5})) << "caret on " << line;
        EXPECT_EQ(Closing(), (TBlockMatch{2, 0, 3})) << "caret on " << line;
        Paint();
        EXPECT_EQ(CellPixel(0, 0), kAqua);
        EXPECT_EQ(CellPixel(4, 0), kAqua);  // the whole run "begin"
        EXPECT_EQ(CellPixel(0, 1), kWhite);
        EXPECT_EQ(CellPixel(0, 2), kAqua);
    }
}

TEST_F(BlockMatchTest, NestedBlocksMatchTheCaretsOwnLevel) {
    SetText({"begin", "  try", "  x;", "  end;", "end;"});
    struct Case {
        int Caret;
        TBlockMatch Opening;
        TBlockMatch Closing;
    };
    for (const Case& c : {Case{0, {0, 0, 5}, {4, 0, 3}}, Case{1, {1, 2, 3}, {3, 2, 3}},
                          Case{2, {1, 2, 3}, {3, 2, 3}}, Case{3, {1, 2, 3}, {3, 2, 3}},
                          Case{4, {0, 0, 5}, {4, 0, 3}}}) {
        CaretTo(c.Caret);
        EXPECT_EQ(Opening(), c.Opening) << "caret on " << c.Caret;
        EXPECT_EQ(Closing(), c.Closing) << "caret on " << c.Caret;
    }
}

TEST_F(BlockMatchTest, IndentedWordsAreFoundButTheirPlainRunIsNotColoured) {
    SetText({"  begin", "  x;", "  end;"});
    CaretTo(1);
    EXPECT_EQ(Opening(), (TBlockMatch{0, 2, 5}));
    EXPECT_EQ(Closing(), (TBlockMatch{2, 2, 3}));
    Paint();
    for (int row : {0, 2}) {
        EXPECT_EQ(CellPixel(0, row), kWhite);
        EXPECT_EQ(CellPixel(2, row), kWhite);
    }
}

TEST_F(BlockMatchTest, EndFollowedByAPeriodClosesNothingCapitalEndSemicolonCloses) {
    SetText({"begin", "end."});
    CaretTo(1);
    CaretTo(0);
    EXPECT_EQ(Closing(), TBlockMatch{});
    EXPECT_EQ(Opening(), TBlockMatch{});
    memo.Lines().Put(1, "END;");
    CaretTo(1);
    EXPECT_EQ(Closing(), (TBlockMatch{1, 0, 3}));
    EXPECT_EQ(Opening(), (TBlockMatch{0, 0, 5}));
}

TEST_F(BlockMatchTest, OpeningWordAboveTheFirstVisibleLineShowsNoMatchAtAll) {
    // Thirteen lines fill the thirteen rows: begin on the first, end on the last.
    std::vector<std::string> lines{"begin"};
    for (int i = 1; i < 12; ++i) {
        lines.push_back("x;");
    }
    lines.push_back("end;");
    memo.Lines().Clear();
    for (const auto& l : lines) {
        memo.Lines().Add(l);
    }
    view.UpdateScrollBars();
    ASSERT_EQ(memo.VisibleRows(), 13);
    CaretTo(12);
    ASSERT_EQ(memo.FirstVisibleLine(), 0);
    EXPECT_EQ(Closing(), (TBlockMatch{12, 0, 3}));
    EXPECT_EQ(Opening(), (TBlockMatch{0, 0, 5}));
    memo.SetFirstVisibleLine(1);
    memo.UpdateBlockMatch();
    EXPECT_EQ(Closing(), TBlockMatch{});
    EXPECT_EQ(Opening(), TBlockMatch{});
}

TEST_F(BlockMatchTest, MissingStylerOrEmptyListKeepsEarlierMatchesAndStillReportsTheMove) {
    SetText({"begin", "x;", "end;", "y;"});
    CaretTo(1);
    ASSERT_EQ(Closing(), (TBlockMatch{2, 0, 3}));
    int cursorChanges = 0;
    memo.OnCursorChange = [&](TAdvCustomMemo&) { ++cursorChanges; };
    memo.SetSyntaxStyles(nullptr);
    CaretTo(3);
    EXPECT_EQ(Closing(), (TBlockMatch{2, 0, 3}));
    EXPECT_EQ(Opening(), (TBlockMatch{0, 0, 5}));
    EXPECT_GE(cursorChanges, 1);
    memo.SetSyntaxStyles(styler.get());
    memo.Lines().Clear();
    cursorChanges = 0;
    memo.UpdateBlockMatch();
    EXPECT_EQ(Closing(), (TBlockMatch{2, 0, 3}));
    EXPECT_EQ(cursorChanges, 1);
}

TEST_F(BlockMatchTest, EmptyBlockListsKeepEarlierMatches) {
    SetText({"begin", "x;", "end;", "y;"});
    CaretTo(1);
    styler->BlockEnd.clear();
    CaretTo(3);
    EXPECT_EQ(Closing(), (TBlockMatch{2, 0, 3}));
}

TEST_F(BlockMatchTest, ChangedMatchesRepaintTheirOldAndNewRows) {
    SetText({"begin", "x;", "end;", "y;"});
    std::vector<platform::SurfaceRect> rects;
    memo.OnInvalidateRect = [&](const platform::SurfaceRect& r) { rects.push_back(r); };
    CaretTo(1);
    const platform::SurfaceRect area = view.TextAreaRect();
    auto row = [&](int r) {
        return platform::SurfaceRect{area.Left, RowY(r), area.Right, RowY(r) + kLh};
    };
    std::vector<platform::SurfaceRect> expected{row(2), row(0)};
    EXPECT_EQ(rects, expected);
    // The same matches again: nothing to repaint.
    rects.clear();
    memo.UpdateBlockMatch();
    EXPECT_TRUE(rects.empty());
    // Leaving the block clears both.
    memo.Lines().Put(0, "x;");
    CaretTo(3);
    EXPECT_EQ(rects, expected);
    EXPECT_EQ(Closing(), TBlockMatch{});
}

TEST_F(BlockMatchTest, BlockShowOffPaintsNoBackgroundAndLineColourUnderlines) {
    SetText({"begin", "end;"});
    CaretTo(1);
    memo.BlockMatch().BlockShow = false;
    Paint();
    EXPECT_EQ(CellPixel(0, 0), kWhite);
    const int underline = RowY(1) + kLh - 2;
    EXPECT_NE(surface.Pixel(CellX(1), underline), 0x0000FFu);
    memo.BlockMatch().BlockLineColor = kClRed;
    Paint();
    EXPECT_EQ(surface.Pixel(CellX(0), underline), 0x0000FFu);
    EXPECT_EQ(surface.Pixel(CellX(2) + kCw - 1, underline), 0x0000FFu);
    EXPECT_NE(surface.Pixel(CellX(3) + 1, underline), 0x0000FFu);  // the ";" is not underlined
}

TEST_F(BlockMatchTest, ScrolledSidewaysTheMatchedRunKeepsItsColour) {
    SetText({"begin", "end;"});
    CaretTo(1);
    memo.SetFirstVisibleColumn(2);
    Paint();
    // "gin" of the run starting at column 0 is still aqua.
    EXPECT_EQ(CellPixel(0, 0), kAqua);
    EXPECT_EQ(CellPixel(1, 1), kAqua);
}

TEST_F(BlockMatchTest, SelectionInsideAMatchedRunKeepsTheSelectionColours) {
    SetText({"begin", "end;"});
    CaretTo(1);
    memo.FocusGained();
    memo.SetSelectionEnds({1, 0}, {3, 0});
    Paint();
    EXPECT_EQ(CellPixel(0, 0), kAqua);
    EXPECT_NE(CellPixel(1, 0), kAqua);
    // After the selection the run's own background returns.
    EXPECT_EQ(CellPixel(3, 0), kWhite);
}

}  // namespace
}  // namespace tarnwick::editor::test
