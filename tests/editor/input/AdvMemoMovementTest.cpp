// Caret movement keys: arrows with Shift and the follow point, words, Home and End with the
// Ctrl+Shift anchor rule, pages, Ctrl+Up and Ctrl+Down, and the wheel.
#include <gtest/gtest.h>

#include "editor/highlight/AdvPascalMemoStyler.h"
#include "editor/support/InputTestSupport.h"

namespace tarnwick::editor::test {
namespace {

class MovementTest : public InputTest {
  protected:
    // The program's styler: it has no symbol style, so no character breaks words.
    MovementTest() : styler(CreateAdvPascalMemoStyler1()) { memo.SetSyntaxStyles(styler.get()); }
    ~MovementTest() override { memo.SetSyntaxStyles(nullptr); }
    std::unique_ptr<TAdvPascalMemoStyler> styler;
    void Lines(int n) {
        std::vector<std::string> lines;
        for (int i = 0; i < n; ++i) {
            lines.push_back("line " + std::to_string(i));
        }
        SetText(lines);
    }
};

struct MoveCase {
    const char* Name;
    std::vector<std::string> Text;
    TTextPos From;
    TKey Key;
    TShiftState Shift;
    TTextPos To;
    std::vector<std::string> After;  // empty: the text is unchanged
};

TEST_F(MovementTest, CaretKeys) {
    const std::vector<std::string> two{"foo bar", "ab"};
    const std::vector<MoveCase> cases{
        {"Left at the text start", two, {0, 0}, vkLeft, 0, {0, 0}, {}},
        {"Left at column 0 goes up", two, {0, 1}, vkLeft, 0, {7, 0}, {}},
        {"Right past the end pads", two, {2, 1}, vkRight, 0, {3, 1}, {"foo bar", "ab "}},
        {"Down keeps a column past the end", two, {6, 0}, vkDown, 0, {6, 1}, {}},
        {"Up on the first line", two, {3, 0}, vkUp, 0, {3, 0}, {}},
        {"Ctrl+Left goes to column 0", two, {5, 0}, vkLeft, ssCtrl, {0, 0}, {}},
        {"Ctrl+Left at column 0 to the previous line's start",
         two,
         {0, 1},
         vkLeft,
         ssCtrl,
         {0, 0},
         {}},
        {"Ctrl+Right to the end of the text", two, {1, 0}, vkRight, ssCtrl, {7, 0}, {}},
        {"Ctrl+Right at the end to the next line",
         two,
         {7, 0},
         vkRight,
         ssCtrl,
         {0, 1},
         {"foo bar ", "ab"}},
        {"Home", two, {5, 0}, vkHome, 0, {0, 0}, {}},
        {"End", two, {1, 1}, vkEnd, 0, {2, 1}, {}},
        {"Ctrl+Home", two, {1, 1}, vkHome, ssCtrl, {0, 0}, {}},
        {"Ctrl+End", two, {1, 0}, vkEnd, ssCtrl, {2, 1}, {}},
        {"Left over a UTF-8 character", {"aéb"}, {2, 0}, vkLeft, 0, {1, 0}, {}},
        {"End of a UTF-8 line", {"aéb"}, {0, 0}, vkEnd, 0, {3, 0}, {}},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SetText(c.Text);
        Caret(c.From.X, c.From.Y);
        ResetCounts();
        Key(c.Key, c.Shift);
        EXPECT_EQ(CaretPos(), c.To);
        EXPECT_EQ(Text(), c.After.empty() ? c.Text : c.After);
        EXPECT_FALSE(memo.HasSelection());
        EXPECT_EQ(changes, 0);  // padding is no change
    }
}

TEST_F(MovementTest, WithoutAStylerWordsEndAtSpaces) {
    memo.SetSyntaxStyles(nullptr);
    SetText({"foo bar baz"});
    Caret(9, 0);
    Key(vkLeft, ssCtrl);
    EXPECT_EQ(CaretPos(), (TTextPos{8, 0}));
    Key(vkLeft, ssCtrl);
    EXPECT_EQ(CaretPos(), (TTextPos{4, 0}));
    Key(vkRight, ssCtrl);
    EXPECT_EQ(CaretPos(), (TTextPos{8, 0}));
    Key(vkRight, ssCtrl);
    EXPECT_EQ(CaretPos(), (TTextPos{11, 0}));
}

TEST_F(MovementTest, ShiftDownThreeTimesSelectsAndReportsEachStep) {
    Lines(5);
    Caret(2, 0);
    ResetCounts();
    for (int i = 0; i < 3; ++i) {
        Key(vkDown, ssShift);
    }
    EXPECT_EQ(Anchor(), (TTextPos{2, 0}));
    EXPECT_EQ(Active(), (TTextPos{2, 3}));
    EXPECT_EQ(selections, 3);
    // Without Shift the selection collapses at the caret, once.
    Key(vkRight);
    EXPECT_FALSE(memo.HasSelection());
    EXPECT_EQ(selections, 4);
}

TEST_F(MovementTest, ShiftMovesExtendOnlyFromTheFollowPoint) {
    Lines(3);
    Select({0, 0}, {3, 0});
    // The caret leaves the follow point without a key (as a search would put it).
    memo.SetCaretLine(2);
    Key(vkRight, ssShift);
    EXPECT_FALSE(memo.HasSelection());
    EXPECT_EQ(CaretPos(), (TTextPos{4, 2}));
}

TEST_F(MovementTest, CtrlShiftHomeAndEndSelectFromTheOldAnchor) {
    Lines(3);
    Caret(3, 1);
    ResetCounts();
    Key(vkHome, ssCtrl | ssShift);
    EXPECT_EQ(Anchor(), (TTextPos{3, 1}));
    EXPECT_EQ(Active(), (TTextPos{0, 0}));
    EXPECT_EQ(CaretPos(), (TTextPos{0, 0}));
    EXPECT_GE(selections, 1);
    Key(vkEnd, ssCtrl | ssShift);
    EXPECT_EQ(Anchor(), (TTextPos{3, 1}));
    EXPECT_EQ(Active(), (TTextPos{6, 2}));
    EXPECT_EQ(memo.SelectedText(), "e 1\r\nline 2");
}

TEST_F(MovementTest, ShiftEndAndShiftHomeExtend) {
    SetText({"abcdef"});
    Caret(2, 0);
    Key(vkEnd, ssShift);
    EXPECT_EQ(memo.SelectedText(), "cdef");
    Key(vkHome, ssShift);
    EXPECT_EQ(memo.SelectedText(), "ab");
}

TEST_F(MovementTest, PageKeysMoveCaretAndViewByThePage) {
    Lines(100);
    const int rows = memo.View().TextAreaRect().Height() / kLineHeight;
    ASSERT_GT(rows, 2);
    Caret(1, 2);
    Key(vkNext);
    EXPECT_EQ(memo.CurY(), 2 + rows);
    EXPECT_EQ(memo.FirstVisibleLine(), rows);
    Key(vkNext, ssShift);
    EXPECT_EQ(Anchor(), (TTextPos{1, 2 + rows}));
    EXPECT_EQ(Active(), (TTextPos{1, 2 + 2 * rows}));
    Key(vkPrior);
    EXPECT_EQ(memo.CurY(), 2 + rows);
    EXPECT_FALSE(memo.HasSelection());
    Key(vkNext, ssCtrl);
    EXPECT_EQ(CaretPos(), (TTextPos{7, 99}));
    Key(vkPrior, ssCtrl);
    EXPECT_EQ(CaretPos(), (TTextPos{0, 0}));
}

TEST_F(MovementTest, PageKeysOnAShortTextGoToTheFirstAndLastLine) {
    Lines(3);
    Caret(2, 1);
    Key(vkNext);
    EXPECT_EQ(CaretPos(), (TTextPos{2, 2}));
    Key(vkPrior);
    EXPECT_EQ(CaretPos(), (TTextPos{2, 0}));
}

TEST_F(MovementTest, CtrlUpAndDownScrollAndTakeTheCaretAlong) {
    Lines(100);
    Caret(0, 0);
    Key(vkDown, ssCtrl);
    EXPECT_EQ(memo.FirstVisibleLine(), 1);
    EXPECT_EQ(memo.CurY(), 1);  // the caret stays in view
    Key(vkUp, ssCtrl);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
    EXPECT_EQ(memo.CurY(), 1);
    const int rows = memo.VisibleRows();
    Caret(0, rows - 1);
    Key(vkDown, ssCtrl);
    Key(vkUp, ssCtrl);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
    EXPECT_EQ(memo.CurY(), rows - 1);  // the line at the bottom edge moves up one
}

TEST_F(MovementTest, WheelScrollsByFourAndOnAFittingTextOnlyBringsTheCaretHome) {
    Lines(100);
    Caret(3, 2);
    memo.MouseWheel(-TAdvCustomMemo::kWheelDelta, 0);
    EXPECT_EQ(memo.FirstVisibleLine(), 4);
    EXPECT_EQ(CaretPos(), (TTextPos{3, 2}));
    memo.MouseWheel(TAdvCustomMemo::kWheelDelta, 0);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);

    Lines(3);
    Caret(2, 1);
    memo.MouseWheel(TAdvCustomMemo::kWheelDelta, 0);  // up: nothing
    EXPECT_EQ(CaretPos(), (TTextPos{2, 1}));
    memo.MouseWheel(-TAdvCustomMemo::kWheelDelta, 0);  // down: the caret goes home
    EXPECT_EQ(CaretPos(), (TTextPos{0, 0}));
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
}

}  // namespace
}  // namespace tarnwick::editor::test
