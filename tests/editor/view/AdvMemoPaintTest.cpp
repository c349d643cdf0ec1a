// Painting the editor on a recording surface: metrics, the cell grid, run colours, the
// selection, the right margin, the empty list, the update bracket and the border.
#include <gtest/gtest.h>

#include <string>

#include "editor/control/MemoPaintSource.h"
#include "editor/support/AdvMemoPaintTestSupport.h"
#include "editor/view/AdvMemoPaintRun.h"

namespace tarnwick::editor::test {
namespace {

using Kind = tarnwick::testing::RecordingSurface::Kind;
constexpr platform::SurfaceColor kWhite = 0xFFFFFF;
constexpr platform::SurfaceColor kYellow = 0x00FFFF;
constexpr platform::SurfaceColor kNavy = 0x800000;
constexpr platform::SurfaceColor kBlack = 0;
constexpr platform::SurfaceColor kMargin = 0xE2E2E2;
constexpr platform::SurfaceColor kGrey = 0x808080;

class PaintTest : public PaintFixture {};

TEST_F(PaintTest, MetricsComeFromWAndWUnderscore) {
    surface.CharWidth = 7;
    surface.TextHeight = 16;
    view.ComputeMetrics(surface);
    EXPECT_EQ(view.CharWidth(), 7);
    EXPECT_EQ(view.LineHeight(), 17);
    EXPECT_FALSE(view.BoldChangesWidth());
    surface.BoldExtraWidth = 1;
    view.ComputeMetrics(surface);
    EXPECT_TRUE(view.BoldChangesWidth());
}

TEST_F(PaintTest, AssignedProportionalFontBecomesFixedSys) {
    struct Case {
        const char* Name;
        const char* Expected;
    };
    for (const Case& c : {Case{"Arial", "FixedSys"}, Case{"COURIER NEW", "COURIER NEW"},
                          Case{"MS Sans Serif", "FixedSys"}}) {
        TFont font = settings.Font;
        font.Name = c.Name;
        view.AssignFont(font);
        view.ComputeMetrics(surface);
        EXPECT_EQ(settings.Font.Name, c.Expected) << c.Name;
    }
}

TEST_F(PaintTest, ChangedFontKeepsProportionalAfterFixedCanvasFont) {
    // The canvas held a fixed font (the fixture's), so a proportional change is kept...
    TFont font = settings.Font;
    font.Name = "Arial";
    view.ChangeFont(font);
    view.ComputeMetrics(surface);
    EXPECT_EQ(settings.Font.Name, "Arial");
    // ...and the next proportional one follows a proportional canvas font: FixedSys.
    font.Name = "MS Sans Serif";
    view.ChangeFont(font);
    view.ComputeMetrics(surface);
    EXPECT_EQ(settings.Font.Name, "FixedSys");
}

TEST_F(PaintTest, GeometryOfTheTextAreaAndCells) {
    const platform::SurfaceRect area = view.TextAreaRect();
    EXPECT_EQ(area, (platform::SurfaceRect{48, 1, kWidth - 1, kHeight - 1}));
    EXPECT_EQ(view.CellRect(2, 1), (platform::SurfaceRect{64, 17, 72, 32}));
    // Columns round to the nearer cell boundary, rows do not.
    EXPECT_EQ(view.PointToCell(48 + 3, 1 + 14), (TCellPoint{0, 0}));
    EXPECT_EQ(view.PointToCell(48 + 4, 1 + 15), (TCellPoint{1, 1}));
    memo.SetFirstVisibleColumn(5);
    EXPECT_EQ(view.PointToTextPos(48 + 7, 1 + 15), (TTextPos{5, 1}));
    EXPECT_EQ(view.VisibleRows(), (kHeight - 2) / kLh);
    EXPECT_EQ(view.VisibleColumns(), (kWidth - 1 - 48 + kCw / 2) / kCw);
    EXPECT_EQ(memo.VisibleRows(), view.VisibleRows());
    EXPECT_EQ(memo.VisibleColumns(), view.VisibleColumns());
}

TEST_F(PaintTest, KeywordIsBlackOnYellowAtItsCells) {
    SetText({"x foo bar", "xxfoo foox"});
    Paint();
    const auto* foo = surface.TextAt(CellX(2), RowY(0));
    ASSERT_NE(foo, nullptr);
    EXPECT_EQ(foo->Text, "foo");
    EXPECT_EQ(foo->Color, kBlack);
    EXPECT_EQ(foo->CellWidth, kCw);
    for (int c = 2; c < 5; ++c) {
        EXPECT_EQ(CellPixel(c, 0), kYellow) << c;
    }
    EXPECT_EQ(CellPixel(1, 0), kWhite);
    EXPECT_EQ(CellPixel(5, 0), kWhite);
    // "xxfoo" holds the keyword at column 2; "foox" does not.
    EXPECT_EQ(CellPixel(2, 1), kYellow);
    EXPECT_EQ(CellPixel(1, 1), kWhite);
    EXPECT_EQ(CellPixel(6, 1), kWhite);
    EXPECT_EQ(RunTextAt(0, 0), "x ");
}

TEST_F(PaintTest, KeywordInsideACommentStaysPlainAlsoWhenScrolledTo) {
    std::initializer_list<std::string> text{"{ start", "foo", "end }", "foo"};
    SetText(text);
    Paint();
    EXPECT_EQ(CellPixel(0, 1), kWhite);
    EXPECT_EQ(CellPixel(0, 3), kYellow);
    // Scrolled so that the middle line is the first one: the comment still covers it.
    memo.SetFirstVisibleLine(1);
    Paint();
    EXPECT_EQ(CellPixel(0, 0), kWhite);
    EXPECT_EQ(CellPixel(0, 2), kYellow);
}

TEST_F(PaintTest, SelectedPartOfAKeywordIsWhiteOnNavyAndTheRestStaysYellow) {
    SetText({"x foo bar"});
    memo.SetSelectionEnds({3, 0}, {4, 0});
    Paint();
    EXPECT_EQ(CellPixel(2, 0), kYellow);
    EXPECT_EQ(CellPixel(3, 0), kNavy);
    EXPECT_EQ(CellPixel(4, 0), kYellow);
    const auto* selected = surface.TextAt(CellX(3), RowY(0));
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->Text, "o");
    EXPECT_EQ(selected->Color, kWhite);
    ASSERT_NE(surface.TextAt(CellX(4), RowY(0)), nullptr);
    EXPECT_EQ(surface.TextAt(CellX(4), RowY(0))->Color, kBlack);
}

TEST_F(PaintTest, HiddenSelectionWithoutFocusPaintsNothingSelected) {
    SetText({"abc"});
    memo.SetSelectionEnds({0, 0}, {2, 0});
    settings.HideSelection = true;
    memo.FocusLost();
    Paint();
    EXPECT_EQ(CellPixel(0, 0), kWhite);
    memo.FocusGained();
    Paint();
    EXPECT_EQ(CellPixel(0, 0), kNavy);
}

TEST_F(PaintTest, HiddenSelectionStaysPaintedWhileTheFindDialogIsOpen) {
    SetText({"abc"});
    memo.SetSelectionEnds({0, 0}, {2, 0});
    settings.HideSelection = true;
    memo.FocusLost();
    memo.SetFindDialogOpen(true);
    Paint();
    EXPECT_EQ(CellPixel(0, 0), kNavy);
    memo.SetFindDialogOpen(false);
    Paint();
    EXPECT_EQ(CellPixel(0, 0), kWhite);
}

TEST_F(PaintTest, SelectedBlankLineShowsOneCellAndLongLinesStopAtTheEndColumn) {
    SetText({"abcdef", "", "  ", "abcdefgh"});
    memo.SetSelectionEnds({4, 0}, {3, 3});
    Paint();
    EXPECT_EQ(CellPixel(3, 0), kWhite);
    EXPECT_EQ(CellPixel(4, 0), kNavy);
    EXPECT_EQ(CellPixel(5, 0), kNavy);
    EXPECT_EQ(CellPixel(6, 0), kWhite);
    EXPECT_EQ(CellPixel(0, 1), kNavy);
    EXPECT_EQ(CellPixel(1, 1), kWhite);
    EXPECT_EQ(CellPixel(0, 2), kNavy);  // blank: one cell only
    EXPECT_EQ(CellPixel(1, 2), kWhite);
    EXPECT_EQ(CellPixel(2, 3), kNavy);
    EXPECT_EQ(CellPixel(3, 3), kWhite);
}

TEST_F(PaintTest, ScrolledLongLineStartsLeftOfTheTextArea) {
    std::string line;
    for (int i = 0; i < 200; ++i) {
        line += static_cast<char>('a' + i % 26);
    }
    SetText({line});
    memo.SetFirstVisibleColumn(5);
    Paint();
    const auto* text = surface.TextAt(CellX(0), RowY(0));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text.substr(0, 3), "fgh");
    // Only what reaches into the text area is written, and never past its right edge.
    EXPECT_LE(CellX(0) + static_cast<int>(text->Text.size()) * kCw,
              view.TextAreaRect().Right + kCw);
    EXPECT_GE(CellX(0) + static_cast<int>(text->Text.size()) * kCw, view.TextAreaRect().Right);
    // Nothing spills over the border at the right.
    EXPECT_EQ(surface.Pixel(kWidth - 1, RowY(0) + 1), kGrey);
}

// A line of 268,435,456 characters in 8-pixel cells reaches 2^31 pixels. Cells 2^15 pixels
// wide reach it with a run of 2^16 characters, which a test can hold.
TEST_F(PaintTest, ALineReachingTwoToTheThirtyOnePixelsStillPaintsItsVisibleCells) {
    const TMemoPaintSource source(memo);
    constexpr int kWideCell = 1 << 15;
    constexpr int kImageWidth = 3 * kWideCell;
    const TAdvMemoRunPainter::Layout layout{kWideCell, kLh, kImageWidth, -1, false, true};
    std::string text(1 << 16, 'a');
    text[0] = 'x';
    text[(1 << 16) - 2] = 'y';
    struct Case {
        const char* Name;
        int FirstVisibleColumn;
        std::string Shown;  // the characters written at the image's left edge
    };
    const Case cases[] = {
        {"at column 0", 0, "xaa"},
        {"scrolled to the last two cells", (1 << 16) - 2, "ya"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        memo.SetFirstVisibleColumn(c.FirstVisibleColumn);
        surface.ClearRecord();
        TAdvMemoRunPainter painter(surface, source, settings, layout, 0, false, {}, {});
        painter.Run(text, HighlightState{});
        painter.FinishLine();
        ASSERT_EQ(surface.Texts().size(), 1u);
        EXPECT_EQ(surface.Texts()[0].X, 0);
        EXPECT_EQ(surface.Texts()[0].Text, c.Shown);
        EXPECT_EQ(painter.X(), (int64_t{1} << 31) - int64_t{c.FirstVisibleColumn} * kWideCell);
    }
    // Scrolled further than 2^31 pixels the run lies wholly left of the image.
    memo.SetFirstVisibleColumn((1 << 16) + 1);
    surface.ClearRecord();
    TAdvMemoRunPainter painter(surface, source, settings, layout, 0, false, {}, {});
    painter.Run(text, HighlightState{});
    EXPECT_TRUE(surface.Texts().empty());
    memo.SetFirstVisibleColumn(0);
}

TEST_F(PaintTest, ZeroWidthCharactersShowAMarkInTheirOwnCell) {
    // A byte order mark at the line start, a zero-width space and a left-to-right mark inside:
    // each is one column and is handed to the surface as a visible mark, never as itself (a
    // text layout gives it no width, or drops a leading byte order mark).
    const std::string mark(kZeroWidthMark);
    SetText(
        {"\xEF\xBB\xBF"
         "abc",
         "a\xE2\x80\x8B"
         "b\xE2\x80\x8E"
         "c"});
    Paint();
    EXPECT_EQ(RunTextAt(0, 0), mark + "abc");
    EXPECT_EQ(RunTextAt(0, 1), "a" + mark + "b" + mark + "c");
    // The selection of the column after the mark covers "a", the character shown there.
    memo.SetSelectionEnds({1, 0}, {2, 0});
    Paint();
    EXPECT_EQ(RunTextAt(0, 0), mark);
    EXPECT_EQ(RunTextAt(1, 0), "a");
    EXPECT_EQ(RunTextAt(2, 0), "bc");
}

TEST_F(PaintTest, ControlCharactersShowTheirSymbolInTheirOwnCell) {
    // NUL, escape and delete, in a pure ASCII line and beside a multi-byte character.
    SetText({std::string("a\0b\x1B\x7F", 5), std::string("\xC3\xA9\0", 3)});
    Paint();
    EXPECT_EQ(RunTextAt(0, 0),
              "a\xE2\x90\x80"
              "b\xE2\x90\x9B\xE2\x90\xA1");
    EXPECT_EQ(RunTextAt(0, 1), "\xC3\xA9\xE2\x90\x80");
}

TEST_F(PaintTest, RightMarginIsRedrawnOverKeywordAndSelectedCells) {
    settings.RightMargin = 10;
    SetText({"aaaaaaaa foo", "aaaaaaaa aaaa", "", "aaaaaaaaaaaa"});
    memo.SetSelectionEnds({8, 1}, {12, 1});
    Paint();
    // In line-image coordinates the margin is 3 + 10 * CharWidth: window x 48 + 83.
    const int marginX = kTextLeft + 3 + 10 * kCw;
    EXPECT_EQ(view.RightMarginX(), 3 + 10 * kCw);
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(surface.Pixel(marginX, RowY(row) + 3), kMargin) << row;
        EXPECT_EQ(surface.Pixel(marginX + 1, RowY(row) + 3), kMargin) << row;
    }
    EXPECT_EQ(surface.Pixel(marginX - 1, RowY(0) + 3), kYellow);
    EXPECT_EQ(surface.Pixel(marginX + 2, RowY(0) + 3), kYellow);
    EXPECT_EQ(surface.Pixel(marginX + 2, RowY(1) + 3), kNavy);
    // Below the last line the background has no margin.
    EXPECT_EQ(surface.Pixel(marginX, RowY(5) + 3), kWhite);
    // Hidden margin: the keyword's cell shows through.
    settings.ShowRightMargin = false;
    Paint();
    EXPECT_EQ(surface.Pixel(marginX, RowY(0) + 3), kYellow);
}

TEST_F(PaintTest, EmptyListPaintsBackgroundAndTheGutterNumberOne) {
    SetText({});
    Paint();
    ASSERT_EQ(surface.Texts().size(), 1u);
    const auto& number = surface.Texts().front();
    EXPECT_EQ(number.Text, "1");
    // Gutter at (1, 1); "1" is indented by three "W" widths of the gutter font.
    EXPECT_EQ(number.X, 1 + 3 * kCw);
    EXPECT_EQ(number.Y, 1);
    for (int y = 1; y < kHeight - 1; y += 13) {
        EXPECT_EQ(surface.Pixel(100, y), kWhite) << y;
        EXPECT_EQ(surface.Pixel(46, y), kWhite) << y;  // the two indent columns
        EXPECT_EQ(surface.Pixel(47, y), kWhite) << y;
    }
}

TEST_F(PaintTest, EveryPixelIsPaintedAndTheBorderIsGrey) {
    SetText({"x foo", "abc"});
    Paint();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            ASSERT_NE(surface.Pixel(x, y), tarnwick::testing::RecordingSurface::kUnpainted)
                << x << "," << y;
        }
    }
    for (auto [x, y] : {std::pair{0, 0},
                        {kWidth - 1, 0},
                        {0, kHeight - 1},
                        {kWidth - 1, kHeight - 1},
                        {200, 0},
                        {0, 100}}) {
        EXPECT_EQ(surface.Pixel(x, y), kGrey) << x << "," << y;
    }
}

TEST_F(PaintTest, LinesGoThroughOneImageEachCopiedAtTheirRow) {
    SetText({"a", "b", "c"});
    Paint();
    std::vector<platform::SurfaceRect> lineCopies;
    for (const auto& call : surface.Calls()) {
        if (call.What == Kind::EndImage && call.Rect.Left == kTextLeft) {
            lineCopies.push_back(call.Rect);
        }
    }
    ASSERT_EQ(lineCopies.size(), 3u);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(lineCopies[static_cast<size_t>(r)],
                  (platform::SurfaceRect{kTextLeft, RowY(r), kWidth - 1, RowY(r) + kLh}));
    }
    // Nothing but the images writes text into the text area.
    for (const auto& call : surface.Calls()) {
        if (call.What == Kind::TextOut) {
            EXPECT_TRUE(call.InImage);
        }
    }
}

TEST_F(PaintTest, NothingIsDrawnWhileAnUpdateBracketIsOpen) {
    SetText({"foo"});
    memo.Lines().BeginUpdate();
    Paint();
    EXPECT_TRUE(surface.Calls().empty());
    memo.Lines().EndUpdate();
    Paint();
    EXPECT_FALSE(surface.Calls().empty());
}

TEST_F(PaintTest, BoldIsDroppedWhenItWouldBreakTheGrid) {
    styler->NumberStyle.Style = fsBold;
    SetText({"x 12"});
    surface.BoldExtraWidth = 2;
    view.ComputeMetrics(surface);
    Paint();
    const auto* number = surface.TextAt(CellX(2), RowY(0));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->Style & platform::kSurfaceBold, 0);
    surface.BoldExtraWidth = 0;
    view.ComputeMetrics(surface);
    Paint();
    number = surface.TextAt(CellX(2), RowY(0));
    ASSERT_NE(number, nullptr);
    EXPECT_NE(number->Style & platform::kSurfaceBold, 0);
}

TEST_F(PaintTest, RunColoursByState) {
    const TMemoPaintSource source(memo);
    HighlightState keyword;
    keyword.IsKeyword = true;
    keyword.StyleIndex = 0;
    HighlightState missing = keyword;
    missing.StyleIndex = 3;
    HighlightState highlight;
    highlight.IsHighlight = true;
    HighlightState comment;
    comment.InComment = true;
    HighlightState number;
    number.IsNumber = true;
    HighlightState bracket;
    bracket.InBracket = true;
    bracket.StyleIndex = 0;
    styler->CommentStyle = {0x0000FF, kClNone, fsItalic};
    styler->HighlightStyle = {kClWhite, kClNone, fsBold};
    struct Case {
        const char* Name;
        HighlightState State;
        TRunColors Expected;
    };
    const Case cases[] = {
        {"plain", HighlightState{}, {kClBlack, kClWhite, 0}},
        {"keyword", keyword, {kClBlack, kClYellow, 0}},
        {"unreachable style", missing, {kClBlack, kClWhite, 0}},
        {"highlight keeps its none background", highlight, {kClWhite, kClNone, fsBold}},
        {"comment falls back to BkColor", comment, {0x0000FF, kClWhite, fsItalic}},
        {"number", number, {kClBlack, kClWhite, 0}},
        {"inside a bracketed element", bracket, {kClBlack, kClYellow, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseRunColors(c.State, source, settings), c.Expected) << c.Name;
    }
    memo.SetSyntaxStyles(nullptr);
    EXPECT_EQ(ChooseRunColors(keyword, source, settings), (TRunColors{kClBlack, kClWhite, 0}));
}

TEST_F(PaintTest, TinyAndEmptyControlsPaintWithinTheirBounds) {
    SetText({"x foo", "abc"});
    for (auto [w, h] : {std::pair{0, 0}, {10, 5}, {50, 20}, {60, 3}}) {
        tarnwick::testing::RecordingSurface small(w, h);
        view.SetClientSize(w, h);
        memo.Paint(small, {0, 0, w, h});
        EXPECT_GE(view.VisibleRows(), 0);
        EXPECT_GE(view.VisibleColumns(), 0);
        for (const auto& call : small.Calls()) {
            if (call.What == Kind::EndImage) {
                EXPECT_GE(call.Rect.Width(), 0);
                EXPECT_GE(call.Rect.Height(), 0);
            }
        }
    }
}

TEST_F(PaintTest, BorderStylesMoveTheTextArea) {
    settings.BorderStyle = bsNone;
    view.UpdateScrollBars();
    EXPECT_EQ(view.TextAreaRect(), (platform::SurfaceRect{47, 0, kWidth, kHeight}));
    EXPECT_EQ(view.GutterRect().Width(), 47);
    settings.BorderStyle = bsSingle;
    settings.Ctl3D = true;
    EXPECT_EQ(view.TextAreaRect(), (platform::SurfaceRect{49, 2, kWidth - 2, kHeight - 2}));
    EXPECT_EQ(view.GutterRect().Left, 2);
    settings.Gutter.Visible = false;
    EXPECT_EQ(view.TextAreaRect().Left, 4);
    EXPECT_EQ(view.RightMarginX(), 4 + 80 * kCw);
}

TEST(SelectionSplitTest, SplitsARunAgainstTheSelection) {
    struct Case {
        const char* Name;
        int Line;
        int C0;
        int N;
        TTextPos Start;
        TTextPos End;
        TSelectionSplit Expected;
    };
    const Case cases[] = {
        {"line before the selection", 0, 0, 5, {1, 1}, {2, 3}, {0, 0}},
        {"line after the selection", 4, 0, 5, {1, 1}, {2, 3}, {0, 0}},
        {"line strictly inside", 2, 0, 5, {1, 1}, {2, 3}, {0, 5}},
        {"empty selection", 1, 0, 5, {2, 1}, {2, 1}, {0, 0}},
        {"selection right of the run", 1, 0, 5, {5, 1}, {7, 1}, {0, 0}},
        {"selection left of the run", 1, 6, 5, {1, 1}, {6, 1}, {5, 5}},
        {"inside one run", 1, 2, 5, {3, 1}, {5, 1}, {1, 3}},
        {"covers the run", 1, 2, 3, {0, 1}, {9, 1}, {0, 3}},
        {"start line only", 1, 2, 5, {4, 1}, {0, 2}, {2, 5}},
        {"start line, start after the run", 1, 0, 3, {8, 1}, {0, 2}, {3, 3}},
        {"end line only", 2, 2, 5, {0, 1}, {4, 2}, {0, 2}},
        {"end line, end before the run", 2, 5, 5, {0, 1}, {2, 2}, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitRunBySelection(c.Line, c.C0, c.N, c.Start, c.End), c.Expected) << c.Name;
    }
}

}  // namespace
}  // namespace tarnwick::editor::test
