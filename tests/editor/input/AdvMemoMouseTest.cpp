// The editor's mouse: positioning, the gutter click, right clicks, drag-selecting, a click
// inside the selection, double-click word selection, dragging the selection to a new place,
// the pointer shape and the context menu model.
#include <gtest/gtest.h>

#include "editor/support/InputTestSupport.h"

namespace tarnwick::editor::test {
namespace {

class MouseTest : public InputTest {};

TEST_F(MouseTest, APressPutsTheCaretAtTheNearestCellBoundaryAndPadsTheLine) {
    SetText({"abc", "de"});
    Click(2, 0);
    EXPECT_EQ(CaretPos(), (TTextPos{2, 0}));
    // Right of the cell's middle rounds to the next boundary.
    memo.MouseDown(TMouseButton::mbLeft, ssLeft, X(1) + kCharWidth / 2 + 1, Y(1));
    memo.MouseUp(TMouseButton::mbLeft, 0, X(1) + kCharWidth / 2 + 1, Y(1));
    EXPECT_EQ(CaretPos(), (TTextPos{2, 1}));
    ResetCounts();
    Click(6, 1);
    EXPECT_EQ(Text(), (std::vector<std::string>{"abc", "de    "}));
    EXPECT_EQ(changes, 0);
    // Below the last line: the last line.
    Click(1, 8);
    EXPECT_EQ(CaretPos(), (TTextPos{1, 1}));
}

TEST_F(MouseTest, ShiftPressExtendsAndThePressHidesTheCaretUntilRelease) {
    SetText({"abcdef"});
    Click(1, 0);
    Press(4, 0, ssShift);
    EXPECT_FALSE(memo.CaretShown());
    Release(4, 0, ssShift);
    EXPECT_TRUE(memo.CaretShown());
    EXPECT_EQ(memo.SelectedText(), "bcd");
}

TEST_F(MouseTest, RightAndMiddleClicksMoveNothing) {
    SetText({"abcdef", "ghi"});
    Select({1, 0}, {3, 0});
    ResetCounts();
    for (TMouseButton button : {TMouseButton::mbRight, TMouseButton::mbMiddle}) {
        Press(5, 1, 0, button);
        Release(5, 1, 0, button);
    }
    EXPECT_EQ(CaretPos(), (TTextPos{3, 0}));
    EXPECT_EQ(memo.SelectedText(), "bc");
    EXPECT_EQ(selections, 0);
}

TEST_F(MouseTest, AGutterClickPutsTheCaretOnTheLineWithoutSelectionEvent) {
    SetText({"abc", "defgh", "x"});
    Select({0, 0}, {2, 0});
    ResetCounts();
    const auto gutter = memo.View().GutterRect();
    memo.MouseDown(TMouseButton::mbLeft, ssLeft, gutter.Left + 3, Y(1));
    memo.MouseUp(TMouseButton::mbLeft, 0, gutter.Left + 3, Y(1));
    EXPECT_EQ(CaretPos(), (TTextPos{2, 1}));
    EXPECT_FALSE(memo.HasSelection());
    EXPECT_EQ(selections, 0);
    int clicked = -1;
    memo.OnGutterClick = [&](TAdvCustomMemo&, int line) { clicked = line; };
    memo.MouseDown(TMouseButton::mbLeft, ssLeft, gutter.Left + 3, Y(2));
    EXPECT_EQ(clicked, 2);
    EXPECT_EQ(memo.CurY(), 1);
}

TEST_F(MouseTest, DragSelectingReportsEveryMoveAndAppendsNoSpaces) {
    SetText({"abcdef", "gh", "ijklmn"});
    Press(1, 0);
    ResetCounts();
    MoveTo(4, 0);  // the first move after the press is ignored
    EXPECT_EQ(selections, 0);
    MoveTo(4, 0);
    EXPECT_EQ(memo.SelectedText(), "bcd");
    MoveTo(5, 1);  // past the end of "gh": the column stops at its end
    EXPECT_EQ(CaretPos(), (TTextPos{2, 1}));
    MoveTo(3, 2);
    EXPECT_EQ(memo.SelectedText(), "bcdef\r\ngh\r\nijk");
    EXPECT_EQ(selections, 3);
    memo.MouseMove(ssLeft, 2, Y(2));  // left of the text: column 0
    EXPECT_EQ(CaretPos(), (TTextPos{0, 2}));
    Release(0, 2);
    MoveTo(5, 2);  // the button is up: nothing is selected
    EXPECT_EQ(CaretPos(), (TTextPos{0, 2}));
    EXPECT_EQ(Text(), (std::vector<std::string>{"abcdef", "gh", "ijklmn"}));
}

TEST_F(MouseTest, PressInsideTheSelectionAndReleaseWithoutMovingLeavesNoSelection) {
    SetText({"abcdef"});
    Select({1, 0}, {5, 0});
    Press(3, 0);
    EXPECT_TRUE(memo.InputState().PressedInside);
    EXPECT_EQ(CaretPos(), (TTextPos{5, 0}));
    Release(3, 0);
    EXPECT_FALSE(memo.HasSelection());
    EXPECT_EQ(CaretPos(), (TTextPos{3, 0}));
    EXPECT_EQ(Anchor(), (TTextPos{5, 0}));  // the empty selection stays where the caret was
    // A press at the selection's edge is outside it.
    Select({1, 0}, {5, 0});
    Press(1, 0);
    EXPECT_FALSE(memo.InputState().PressedInside);
    EXPECT_EQ(CaretPos(), (TTextPos{1, 0}));
}

TEST_F(MouseTest, ThePointerIsAnArrowOverTheSelection) {
    SetText({"abcdef"});
    Select({1, 0}, {3, 0});
    memo.MouseMove(0, X(2), Y(0));
    EXPECT_EQ(memo.PointerShape(), TCursorShape::crArrow);
    memo.MouseMove(0, X(5), Y(0));
    EXPECT_EQ(memo.PointerShape(), TCursorShape::crIBeam);
}

struct DoubleClickCase {
    const char* Name;
    const char* Line;
    int PressX;  // pixels right of the text area's left edge
    const char* Selected;
};

TEST_F(MouseTest, DoubleClickSelectsTheWordAroundThePress) {
    const int w = kCharWidth;
    const std::vector<DoubleClickCase> cases{
        {"middle of foo.bar(x)", "a foo.bar(x) b", 6 * w, "foo.bar(x)"},
        {"left half of a word's first letter", "ab cd", 3 * w + 1, ""},
        {"right half of a word's first letter", "ab cd", 3 * w + w / 2 + 1, "cd"},
        {"word at the start of the line", "hello, world", 1, "hello"},
        {"on a delimiter", "ab;cd", 2 * w + w / 2 + 1, ""},
        {"quotes and commas end words", "x 'ab,cd' y", 4 * w, "ab"},
        {"past the end", "ab", 5 * w, ""},
        {"UTF-8 word", "x naïve y", 4 * w, "naïve"},
    };
    for (const DoubleClickCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SetText({c.Line});
        const int x = memo.View().TextAreaRect().Left + c.PressX;
        memo.MouseDown(TMouseButton::mbLeft, ssLeft, x, Y(0));
        memo.MouseUp(TMouseButton::mbLeft, 0, x, Y(0));
        ResetCounts();
        memo.DoubleClick(ssLeft | ssDouble, x, Y(0));
        EXPECT_EQ(memo.SelectedText(), c.Selected);
    }
}

TEST_F(MouseTest, DraggingTheSelectionMovesOrCopiesIt) {
    struct Case {
        const char* Name;
        std::vector<std::string> Text;
        TTextPos From, To;  // the selection
        TTextPos Drop;
        TShiftState Shift;
        std::vector<std::string> After;
        const char* Selected;
    };
    const std::vector<Case> cases{
        {"to the line end", {"abc def"}, {0, 0}, {3, 0}, {7, 0}, 0, {" defabc"}, "abc"},
        {"copy with Ctrl", {"abc def"}, {0, 0}, {3, 0}, {7, 0}, ssCtrl, {"abc defabc"}, "abc"},
        {"to an earlier place", {"abc def"}, {4, 0}, {7, 0}, {0, 0}, 0, {"defabc "}, "def"},
        {"to a later line",
         {"one two", "three"},
         {0, 0},
         {4, 0},
         {5, 1},
         0,
         {"two", "threeone "},
         "one "},
        {"onto itself", {"abc def"}, {0, 0}, {6, 0}, {2, 0}, 0, {"abc def"}, "abc de"},
        {"a line break along",
         {"ab", "cd", "x"},
         {1, 0},
         {1, 1},
         {1, 2},
         0,
         {"ad", "xb", "c"},
         "b\r\nc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SetText(c.Text);
        Select(c.From, c.To);
        const TTextPos inside = c.From.Y == c.To.Y ? TTextPos{(c.From.X + c.To.X) / 2, c.From.Y}
                                                   : TTextPos{c.From.X + 1, c.From.Y};
        Press(inside.X, inside.Y);
        ASSERT_TRUE(memo.InputState().PressedInside);
        MoveTo(inside.X + 1, inside.Y);
        ASSERT_TRUE(memo.Dragging());
        MoveTo(c.Drop.X, c.Drop.Y);
        EXPECT_TRUE(memo.DragState().MarkerShown);
        EXPECT_EQ(memo.DragState().MarkerColumn, c.Drop.X);
        Release(c.Drop.X, c.Drop.Y, c.Shift);
        EXPECT_FALSE(memo.Dragging());
        EXPECT_FALSE(memo.DragState().MarkerShown);
        EXPECT_EQ(Trimmed(Text()), Trimmed(c.After));
        EXPECT_EQ(memo.SelectedText(), c.Selected);
    }
}

TEST_F(MouseTest, ADragWaitsForTwoPixelsAndIsNeverStartedOnAReadOnlyText) {
    SetText({"abc def"});
    Select({0, 0}, {3, 0});
    const int x = X(1);
    memo.MouseDown(TMouseButton::mbLeft, ssLeft, x, Y(0));
    memo.MouseMove(ssLeft, x + 1, Y(0));
    EXPECT_FALSE(memo.Dragging());
    memo.MouseMove(ssLeft, x + 2, Y(0));
    EXPECT_TRUE(memo.Dragging());
    memo.MouseUp(TMouseButton::mbLeft, 0, x + 2, Y(0));  // dropped onto itself
    EXPECT_EQ(Text(), (std::vector<std::string>{"abc def"}));

    memo.SetReadOnly(true);
    Select({0, 0}, {3, 0});
    Press(1, 0);
    MoveTo(6, 0);
    EXPECT_FALSE(memo.Dragging());
    Release(6, 0);
    EXPECT_EQ(Text(), (std::vector<std::string>{"abc def"}));
}

TEST_F(MouseTest, ContextMenuItemsAndTheirEnabledStates) {
    SetText({"abc"});
    clipboard.content.reset();
    ASSERT_TRUE(memo.ContextMenuRequested(X(1), Y(0)));
    const auto& items = memo.ContextMenu().Items;
    std::vector<std::string> texts;
    std::vector<bool> enabled;
    for (const TMemoMenuItem& item : items) {
        texts.push_back(item.Text());
        enabled.push_back(item.Enabled);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Undo\tCtrl+Z", "Redo\tCtrl+Y", "-", "Copy\tCtrl+C",
                                               "Cut\tCtrl+X", "Paste\tCtrl+V", "-",
                                               "Select All\tCtrl+A"}));
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, true, false, false, false, true, true}));

    Select({0, 0}, {2, 0});
    clipboard.content = "";
    Chars("x");  // replaces the selection: one undo step
    Select({0, 0}, {1, 0});
    ASSERT_TRUE(memo.ContextMenuRequested(X(1), Y(0)));
    const auto& now = memo.ContextMenu().Items;
    EXPECT_TRUE(now[0].Enabled);   // undo
    EXPECT_FALSE(now[1].Enabled);  // redo
    EXPECT_TRUE(now[3].Enabled);   // copy
    EXPECT_TRUE(now[4].Enabled);   // cut
    EXPECT_TRUE(now[5].Enabled);   // paste: the clipboard holds a (empty) text
    memo.SetReadOnly(true);
    ASSERT_TRUE(memo.ContextMenuRequested(X(1), Y(0)));
    EXPECT_FALSE(memo.ContextMenu().Items[0].Enabled);
    EXPECT_FALSE(memo.ContextMenu().Items[5].Enabled);
    EXPECT_TRUE(memo.ContextMenu().Items[3].Enabled);
}

TEST_F(MouseTest, ContextMenuCommandsAskTheClipboardEventAndUndo) {
    SetText({"abc"});
    std::vector<TClipboardAction> asked;
    memo.OnClipboardAction = [&](TAdvCustomMemo&, TClipboardAction a, bool&) {
        asked.push_back(a);
    };
    Select({0, 0}, {2, 0});
    ASSERT_TRUE(memo.ContextMenuRequested(X(1), Y(0)));
    memo.ContextMenuClick(memo.ContextMenu().Items[4]);  // cut
    EXPECT_EQ(Text(), (std::vector<std::string>{"c"}));
    EXPECT_EQ(clipboard.content, "ab");
    ASSERT_TRUE(memo.ContextMenuRequested(X(1), Y(0)));
    memo.ContextMenuClick(memo.ContextMenu().Items[0]);  // undo
    EXPECT_EQ(Text(), (std::vector<std::string>{"abc"}));
    ASSERT_TRUE(memo.ContextMenuRequested(X(1), Y(0)));
    memo.ContextMenuClick(memo.ContextMenu().Items[7]);  // select all
    memo.ContextMenuClick(memo.ContextMenu().Items[3]);  // copy
    EXPECT_EQ(clipboard.content, "abc");
    Caret(3, 0);
    memo.ContextMenuClick(memo.ContextMenu().Items[5]);  // paste
    EXPECT_EQ(Text(), (std::vector<std::string>{"abcabc"}));
    EXPECT_EQ(asked, (std::vector<TClipboardAction>{caCut, caCopy, caPaste}));
}

TEST_F(MouseTest, ContextMenuRequestsLeftOfTheTextAndCustomisedItems) {
    SetText({"abc"});
    EXPECT_FALSE(memo.ContextMenuRequested(memo.View().GutterRect().Left + 5, Y(0)));
    EXPECT_TRUE(memo.ContextMenu().Items.empty());
    std::string custom;
    memo.OnCustomizeContextMenu = [](TAdvCustomMemo&, int, int, TMemoContextMenu& menu) {
        TMemoMenuItem item;
        item.Caption = "Mine";
        item.Command = 42;
        menu.Items.push_back(item);
    };
    memo.OnCustomContextMenuClick = [&](TAdvCustomMemo&, const TMemoMenuItem& item) {
        custom = item.Caption;
    };
    ASSERT_TRUE(memo.ContextMenuRequested(X(1), Y(0)));
    ASSERT_EQ(memo.ContextMenu().Items.size(), 9u);
    memo.ContextMenuClick(memo.ContextMenu().Items[8]);
    EXPECT_EQ(custom, "Mine");
}

}  // namespace
}  // namespace tarnwick::editor::test
