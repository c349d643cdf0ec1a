// The gutter: number texts and their indent, the every-n-th rule with dashes, the gradient
// and border lines, and the numbers of the visible lines.
#include <gtest/gtest.h>

#include <string>

#include "editor/support/AdvMemoPaintTestSupport.h"

namespace tarnwick::editor::test {
namespace {

using Kind = tarnwick::testing::RecordingSurface::Kind;

class GutterTest : public PaintFixture {};

TEST_F(GutterTest, NumbersEndInTheSameColumnUpTo9999) {
    struct Case {
        int Line;
        const char* Text;
        int Indent;  // in "W" widths
    };
    for (const Case& c :
         {Case{0, "1", 3}, Case{8, "9", 3}, Case{9, "10", 2}, Case{98, "99", 2}, Case{99, "100", 1},
          Case{998, "999", 1}, Case{999, "1000", 0}, Case{12344, "12345", 0}}) {
        const auto entry = memo.Renderer().GutterEntryOf(c.Line, 7);
        EXPECT_TRUE(entry.Number) << c.Line;
        EXPECT_EQ(entry.Text, c.Text) << c.Line;
        EXPECT_EQ(entry.X, c.Indent * 7) << c.Line;
    }
}

TEST_F(GutterTest, LeadingZerosSuffixStartAndMarginMoveTheNumber) {
    settings.Gutter.ShowLeadingZeros = true;
    settings.Gutter.NumberSuffix = ":";
    EXPECT_EQ(memo.Renderer().GutterEntryOf(6, 7).Text, "0007:");
    EXPECT_EQ(memo.Renderer().GutterEntryOf(6, 7).X, 0);
    settings.Gutter.ShowLeadingZeros = false;
    settings.Gutter.SetLineNumberStart(0);
    EXPECT_EQ(memo.Renderer().GutterEntryOf(6, 7).Text, "6:");
    settings.Gutter.SetLineNumberStart(-3);  // refused
    EXPECT_EQ(settings.Gutter.LineNumberStart(), 0);
    settings.Gutter.SetGutterMargin(10);  // raised to the minimum
    EXPECT_EQ(settings.Gutter.GutterMargin(), 45);
    settings.Gutter.GutterWidth = 60;
    EXPECT_EQ(memo.Renderer().GutterEntryOf(6, 7).X, 15 + 3 * 7);
    settings.Gutter.ShowLineNumbers = false;
    const auto off = memo.Renderer().GutterEntryOf(6, 7);
    EXPECT_FALSE(off.Number || off.Dash);
}

TEST_F(GutterTest, TheGutterGrowsToFitTheLargestLineNumber) {
    // Five lines numbered from `start`; with 8-pixel digits a number of six digits no longer
    // fits the 45 pixels of the gutter before its border lines.
    struct Case {
        int Start;
        const char* Suffix;
        int GutterWidth;
    };
    const Case cases[] = {
        {1, "", 45},         {99995, "", 45},  // 99999 takes 40 pixels
        {99996, "", 51},                       // 100000 takes 48
        {99996, ":", 59},                      // and its suffix one cell more
        {999999996, "", 83},                   // 1000000000
    };
    SetText({"a", "b", "c", "d", "e"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Start);
        settings.Gutter.SetLineNumberStart(c.Start);
        settings.Gutter.NumberSuffix = c.Suffix;
        view.UpdateScrollBars();
        Paint();
        const auto gutter = view.GutterRect();
        EXPECT_EQ(gutter.Width(), c.GutterWidth);
        // The text area starts behind the gutter as always: gutter, inset, indent, border.
        EXPECT_EQ(view.TextAreaRect().Left, c.GutterWidth + 3);
        EXPECT_EQ(RunTextAtX(view.TextAreaRect().Left, 4), "e");
        // The largest number ends left of the gutter's two border lines.
        const auto entry = memo.Renderer().GutterEntryOf(4, kCw);
        EXPECT_LE(entry.X + static_cast<int>(entry.Text.size()) * kCw, gutter.Width() - 2);
    }
}

TEST_F(GutterTest, EveryNthLineIsNumberedAndTheCaretLineAlways) {
    settings.Gutter.SetLineNumberAt(5);
    settings.Gutter.SetLineNumberAt(0);  // refused
    EXPECT_EQ(settings.Gutter.LineNumberAt(), 5);
    SetText({"a", "b", "c", "d", "e", "f", "g"});
    memo.SetCaretLine(2);
    Paint();
    std::vector<std::string> numbers;
    for (const auto& t : surface.Texts()) {
        if (t.X < kTextLeft) {
            numbers.push_back(t.Text);
        }
    }
    EXPECT_EQ(numbers, (std::vector<std::string>{"3", "5"}));
    // The dashes: two pixels at right - 18 of the entry, 4 below its top (gutter at 1, 1).
    int dashes = 0;
    for (const auto& call : surface.Calls()) {
        if (call.What == Kind::Line && call.InImage && call.Rect.Width() == 2 &&
            call.Rect.Height() == 1) {
            ++dashes;
            EXPECT_EQ(call.Rect.Left, 45 - 2 - 18);
        }
    }
    EXPECT_EQ(dashes, 5);
    EXPECT_EQ(surface.Pixel(1 + 45 - 2 - 18, 1 + 4), 0u);
    // The caret line (index 2) shows its number and no dash.
    EXPECT_NE(surface.Pixel(1 + 45 - 2 - 18, 1 + 2 * kLh + 4), 0u);
}

TEST_F(GutterTest, VisibleLinesFromTheFirstVisibleOne) {
    std::vector<std::string> lines(40, "x");
    memo.Lines().Clear();
    for (const auto& l : lines) {
        memo.Lines().Add(l);
    }
    view.UpdateScrollBars();
    memo.SetFirstVisibleLine(7);
    Paint();
    std::vector<std::pair<int, std::string>> numbers;
    for (const auto& t : surface.Texts()) {
        if (t.X < kTextLeft) {
            numbers.emplace_back(t.Y, t.Text);
        }
    }
    ASSERT_FALSE(numbers.empty());
    EXPECT_EQ(numbers.front(), (std::pair<int, std::string>{1, "8"}));
    EXPECT_EQ(numbers[1], (std::pair<int, std::string>{1 + kLh, "9"}));
    // Entries start while within the gutter's height: one partly visible at the bottom.
    const int height = view.GutterRect().Height();
    EXPECT_EQ(static_cast<int>(numbers.size()), (height + kLh - 1) / kLh);
}

TEST_F(GutterTest, GradientBorderAndBackground) {
    SetText({"a"});
    Paint();
    const auto& calls = surface.Calls();
    auto gradient = std::find_if(calls.begin(), calls.end(),
                                 [](const auto& c) { return c.What == Kind::Gradient; });
    ASSERT_NE(gradient, calls.end());
    const int height = view.GutterRect().Height();
    EXPECT_EQ(gradient->Rect, (platform::SurfaceRect{0, 0, 42, height}));
    EXPECT_EQ(gradient->Bands, 48);
    EXPECT_EQ(gradient->Color, settings.SystemColors.Get(kSysBtnFace));
    EXPECT_EQ(gradient->Color2, 0xFFFFFFu);
    // Window pixels: the left end in the button face colour, the border grey, white left of it.
    EXPECT_EQ(surface.Pixel(1, 50), settings.SystemColors.Get(kSysBtnFace));
    EXPECT_EQ(surface.Pixel(1 + 44, 50), 0x808080u);
    EXPECT_EQ(surface.Pixel(1 + 43, 50), 0xFFFFFFu);
    // A solid gutter without the gradient's end colour.
    settings.Gutter.GutterColorTo = kClNone;
    settings.Gutter.GutterColor = 0x123456;
    Paint();
    EXPECT_EQ(surface.Count(Kind::Gradient), 0);
    EXPECT_EQ(surface.Pixel(30, 50), 0x123456u);
}

TEST(GradientBandTest, BandsRunFromStartToEndRounded) {
    EXPECT_EQ(platform::GradientBandColor(0x000000, 0xFFFFFF, 0, 48), 0x000000u);
    // 47 * 255 / 48 = 249.69 -> 250 in every component.
    EXPECT_EQ(platform::GradientBandColor(0x000000, 0xFFFFFF, 47, 48), 0xFAFAFAu);
    // 24 * (0 - 240) / 48 = -120 in red only.
    EXPECT_EQ(platform::GradientBandColor(0x0000F0, 0x000000, 24, 48), 0x000078u);
}

TEST(GradientBandTest, DefaultFillCoversTheRectangleEvenWhenNarrowerThanTheBands) {
    tarnwick::testing::RecordingSurface surface(60, 4);
    surface.FillGradient({0, 0, 42, 4}, 0x000000, 0xFFFFFF, 48);
    for (int x = 0; x < 42; ++x) {
        EXPECT_NE(surface.Pixel(x, 2), tarnwick::testing::RecordingSurface::kUnpainted) << x;
    }
    EXPECT_EQ(surface.Pixel(42, 2), tarnwick::testing::RecordingSurface::kUnpainted);
    EXPECT_LT(surface.Pixel(0, 2), surface.Pixel(41, 2));
}

}  // namespace
}  // namespace tarnwick::editor::test
