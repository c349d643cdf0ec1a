// The editor's selection: reading it, its length, deleting it, inserting at the caret, the
// clipboard commands, AutoExpand padding, and how many events each operation raises.
#include <gmock/gmock.h>

#include "editor/support/EditingTestSupport.h"
#include "editor/undo/UndoRecords.h"
#include "support/FakeClipboard.h"

namespace tarnwick::editor::test {
namespace {

using ::testing::ElementsAre;

struct SelectedCase {
    const char* name;
    std::vector<std::string> lines;
    TTextPos anchor, active;
    std::string text;
};

class SelectedTextRules : public EditingTest, public ::testing::WithParamInterface<SelectedCase> {};

TEST_P(SelectedTextRules, ReadsTheSelectionWithCrLfBetweenLines) {
    const SelectedCase& c = GetParam();
    SetText(c.lines);
    memo.SetSelectionEnds(c.anchor, c.active);
    EXPECT_EQ(memo.SelectedText(), c.text);
    EXPECT_EQ(memo.SelectionLength(), static_cast<int>(c.text.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Selection, SelectedTextRules,
    ::testing::Values(
        SelectedCase{"WithinOneLine", {"hello world"}, {2, 0}, {7, 0}, "llo w"},
        SelectedCase{"BackwardsIsTheSame", {"hello world"}, {7, 0}, {2, 0}, "llo w"},
        SelectedCase{
            "EndingAtColumnZeroEndsWithABreak", {"abcdef", "gh"}, {2, 0}, {0, 1}, "cdef\r\n"},
        SelectedCase{"WholeMiddleLines", {"ab", "cd", "ef"}, {1, 0}, {1, 2}, "b\r\ncd\r\ne"},
        SelectedCase{"StartBeyondTheLineEnd", {"ab", "hello world"}, {5, 0}, {5, 1}, "\r\nhello"},
        SelectedCase{"EndBeyondTheLineEnd", {"ab", "cd"}, {1, 0}, {9, 1}, "b\r\ncd"},
        SelectedCase{"OneLineBeyondTheEnd", {"ab"}, {5, 0}, {8, 0}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditingTest, SelectAllEndsAtTheLastLineAndLeavesTheCaret) {
    SetText({"abc", "de", ""});
    Caret(1, 1);
    ResetCounts();
    memo.SelectAllText();
    EXPECT_EQ(memo.SelectionStart(), (TTextPos{0, 0}));
    EXPECT_EQ(memo.SelectionEnd(), (TTextPos{0, 2}));
    EXPECT_EQ(CaretPos(), (TTextPos{1, 1}));
    EXPECT_EQ(memo.FollowPoint(), (TTextPos{1, 1}));
    EXPECT_EQ(selections, 1);
    EXPECT_EQ(memo.SelectedText(), "abc\r\nde\r\n");
}

TEST_F(EditingTest, CollapseAndExtendRaiseTheirSelectionEvents) {
    SetText({"abcdef"});
    memo.CollapseSelection();
    EXPECT_EQ(selections, 0) << "collapsing an empty selection is silent";
    memo.SetCaretColumn(3);
    memo.ExtendSelection();
    memo.ExtendSelection();
    EXPECT_EQ(selections, 2) << "extending always raises";
    memo.CollapseSelection();
    EXPECT_EQ(selections, 3);
    EXPECT_EQ(changes, 0);
}

TEST_F(EditingTest, DeletingASelectionRaisesTwoSelectionEventsAndOneChange) {
    SetText({"abcdef"});
    Select({1, 0}, {4, 0});
    ResetCounts();
    EXPECT_TRUE(memo.DeleteSelectedText(true));
    EXPECT_THAT(Text(), ElementsAre("aef"));
    EXPECT_EQ(selections, 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(memo.SelectionLength(), 0);
    EXPECT_EQ(CaretPos(), (TTextPos{1, 0}));
    ASSERT_EQ(memo.UndoList().Count(), 1);
    auto& record = dynamic_cast<TDeleteBufUndo&>(memo.UndoList().Item(0));
    EXPECT_EQ(record.Text, "bcd");
    EXPECT_EQ(record.CaretBefore, (TTextPos{4, 0}));
    EXPECT_EQ(record.CaretAfter, (TTextPos{1, 0}));
    EXPECT_EQ(record.RangeStart, (TTextPos{1, 0}));
    EXPECT_EQ(record.RangeEnd, (TTextPos{4, 0}));
}

TEST_F(EditingTest, DeletingAcrossLinesJoinsTheEnds) {
    SetText({"one", "two", "three", "four"});
    Select({1, 3}, {2, 0});
    memo.DeleteSelectedText(true);
    EXPECT_THAT(Text(), ElementsAre("onour"));
    EXPECT_EQ(memo.Lines().LineLengths().size(), 1u);
    EXPECT_EQ(memo.LongestLineLength(), 5);
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("one", "two", "three", "four"));
    EXPECT_EQ(memo.SelectionStart(), (TTextPos{2, 0}));
    EXPECT_EQ(memo.SelectionEnd(), (TTextPos{1, 3}));
}

TEST_F(EditingTest, DeletingNothingOrWhileReadOnlyChangesNothing) {
    SetText({"abc"});
    EXPECT_FALSE(memo.DeleteSelectedText(true));
    Select({0, 0}, {2, 0});
    memo.SetReadOnly(true);
    ResetCounts();
    EXPECT_FALSE(memo.DeleteSelectedText(true));
    EXPECT_THAT(Text(), ElementsAre("abc"));
    EXPECT_EQ(changes + selections, 0);
    EXPECT_EQ(memo.UndoList().Count(), 0);
}

TEST_F(EditingTest, ASelectionEndingBelowTheTextIsResetAndRecordsNothing) {
    SetText({"abc", "def"});
    memo.SetSelectionEnds({1, 0}, {0, 7});
    EXPECT_FALSE(memo.DeleteSelectedText(true));
    EXPECT_EQ(memo.SelectionAnchor(), (TTextPos{0, 0}));
    EXPECT_EQ(memo.SelectionActiveEnd(), (TTextPos{0, 0}));
    EXPECT_THAT(Text(), ElementsAre("abc", "def"));
    EXPECT_EQ(memo.UndoList().Count(), 0);
}

struct InsertCase {
    const char* name;
    std::vector<std::string> lines;
    TTextPos caret;
    std::string text;
    std::vector<std::string> result;
    TTextPos caretAfter;
    int changes;
};

class InsertRules : public EditingTest, public ::testing::WithParamInterface<InsertCase> {};

TEST_P(InsertRules, InsertsAtTheCaret) {
    const InsertCase& c = GetParam();
    SetText(c.lines);
    Caret(c.caret.X, c.caret.Y);
    ResetCounts();
    memo.InsertAtCaret(c.text);
    EXPECT_EQ(Trimmed(Text()), c.result);
    EXPECT_EQ(CaretPos(), c.caretAfter);
    EXPECT_EQ(changes, c.changes);
    EXPECT_EQ(selections, 0);
    ASSERT_GE(memo.UndoList().Count(), 1);
    EXPECT_EQ(memo.UndoList().Item(0).Text, c.text) << "the record keeps the text as passed in";
    memo.Undo();
    EXPECT_EQ(Trimmed(Text()), Trimmed(c.lines));
    memo.Redo();
    EXPECT_EQ(Trimmed(Text()), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Insert, InsertRules,
    ::testing::Values(
        InsertCase{"OneLineText", {"abcd"}, {2, 0}, "xy", {"abxycd"}, {4, 0}, 2},
        InsertCase{
            "LineFeedAloneBecomesABreak", {"abcd"}, {2, 0}, "x\ny", {"abx", "ycd"}, {1, 1}, 3},
        InsertCase{"CrLfGivesTheSameLines", {"abcd"}, {2, 0}, "x\r\ny", {"abx", "ycd"}, {1, 1}, 3},
        InsertCase{"TextEndingInCrLfLeavesTheCaretBeforeTheRest",
                   {"abcd"},
                   {2, 0},
                   "x\r\n",
                   {"abx", "cd"},
                   {0, 1},
                   3},
        InsertCase{
            "ManyLines", {"[]"}, {1, 0}, "1\r\n2\r\n3\r\n4", {"[1", "2", "3", "4]"}, {1, 3}, 3},
        InsertCase{"TabsAreExpandedAndCounted", {"xy"}, {0, 0}, "a\tb", {"a    bxy"}, {6, 0}, 2},
        InsertCase{
            "LoneCarriageReturnStaysInTheLine", {"xy"}, {1, 0}, "a\rb", {"xa\rby"}, {4, 0}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditingTest, InsertingOverASelectionReplacesItInOneLinkedStep) {
    SetText({"hello world"});
    Select({0, 0}, {5, 0});
    ResetCounts();
    memo.InsertAtCaret("bye");
    EXPECT_THAT(Text(), ElementsAre("bye world"));
    EXPECT_EQ(selections, 2);
    EXPECT_EQ(changes, 3);
    ASSERT_EQ(memo.UndoList().Count(), 2);
    EXPECT_TRUE(memo.UndoList().Item(0).Linked);
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("hello world"));
    EXPECT_EQ(memo.SelectedText(), "hello") << "the replaced text is selected again";
    EXPECT_FALSE(memo.CanUndo());
    memo.Redo();
    EXPECT_THAT(Text(), ElementsAre("bye world"));
    EXPECT_FALSE(memo.CanRedo());
}

TEST_F(EditingTest, InsertingBeyondTheLineEndAppendsWithoutSpaces) {
    SetText({"abcdef", "ab"});
    Caret(6, 0);
    memo.SetCaretLine(1);  // Down keeps the column beyond the shorter line
    memo.InsertAtCaret("xy");
    EXPECT_THAT(Trimmed(Text()), ElementsAre("abcdef", "abxy"));
    EXPECT_EQ(CaretPos(), (TTextPos{8, 1}));
    memo.Undo();
    EXPECT_THAT(Trimmed(Text()), ElementsAre("abcdef", "ab"));
}

TEST_F(EditingTest, InsertingIntoAnEmptyListAddsALine) {
    SetText({});
    memo.InsertAtCaret("hi");
    EXPECT_THAT(Text(), ElementsAre("hi"));
    EXPECT_EQ(CaretPos(), (TTextPos{2, 0}));
}

TEST_F(EditingTest, InsertingAfterAFailedSearchGoesToTheCaretNotTheStart) {
    SetText({"abc", "def"});
    Caret(2, 1);
    memo.SetSelectionEnds({0, 0}, {0, 0});
    memo.InsertAtCaret("X");
    EXPECT_THAT(Text(), ElementsAre("abc", "deXf"));
}

TEST_F(EditingTest, ReadOnlyStillInsertsButKeepsTheSelection) {
    SetText({"abcdef"});
    Select({0, 0}, {2, 0});
    memo.SetReadOnly(true);
    memo.InsertAtCaret("X");
    EXPECT_THAT(Text(), ElementsAre("abXcdef"));
}

TEST_F(EditingTest, AutoExpandPadsTheCaretLineWithoutChangeOrRecord) {
    SetText({"ab", "x"});
    Caret(2, 0);
    memo.SetCaretColumn(3);  // Right at the end of the line
    EXPECT_THAT(Text(), ElementsAre("ab ", "x"));
    memo.SetCaretLine(1);  // Down to a shorter line
    EXPECT_THAT(Text(), ElementsAre("ab ", "x"));
    EXPECT_EQ(CaretPos(), (TTextPos{3, 1}));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(memo.UndoList().Count(), 0);
    EXPECT_EQ(memo.Lines().LineModState(0), 0);
}

TEST_F(EditingTest, CaretMovesRaiseStatusAndColumnEvents) {
    SetText({"abc", "def"});
    int status = 0;
    std::vector<int> columnsSeen;
    memo.OnStatusChange = [&](TAdvCustomMemo&) { ++status; };
    memo.OnColumnChange = [&](TAdvCustomMemo&, int column) { columnsSeen.push_back(column); };
    memo.SetCaretColumn(2);
    memo.SetCaretColumn(2);  // unchanged: nothing at all
    memo.SetCaretLine(1);
    EXPECT_THAT(columnsSeen, ElementsAre(2));
    EXPECT_GE(status, 2);
    EXPECT_EQ(memo.CaretCell(), (TTextPos{2, 1}));
}

class ClipboardTest : public EditingTest {
  protected:
    ClipboardTest() { memo.SetClipboard(&clipboard); }
    tarnwick::testing::FakeClipboard clipboard;
};

TEST_F(ClipboardTest, CopyPutsTheSelectionWithLfBreaksAndNothingWhenEmpty) {
    SetText({"abc", "def", "ghi"});
    Select({1, 0}, {1, 2});
    memo.CopySelection();
    EXPECT_EQ(clipboard.content, "bc\ndef\ng");
    EXPECT_EQ(clipboard.writes, 1);
    memo.CollapseSelection();
    memo.CopySelection();
    EXPECT_EQ(clipboard.content, "bc\ndef\ng") << "the clipboard keeps its text";
    EXPECT_EQ(clipboard.writes, 1);
    EXPECT_EQ(changes, 0);
}

TEST_F(ClipboardTest, CutWithNothingSelectedLeavesClipboardAndText) {
    SetText({"abc"});
    clipboard.content = "old";
    ResetCounts();
    memo.CutSelection(false);
    EXPECT_EQ(clipboard.content, "old");
    EXPECT_EQ(clipboard.writes, 0);
    EXPECT_THAT(Text(), ElementsAre("abc"));
    EXPECT_EQ(changes + selections, 0);
}

TEST_F(ClipboardTest, CutLinesPutsLfBreaksAndPastingThemBackRestoresTheLines) {
    SetText({"one", "two", "three"});
    Select({1, 0}, {2, 2});
    memo.CutSelection(false);
    EXPECT_EQ(clipboard.content, "ne\ntwo\nth");
    EXPECT_THAT(Text(), ElementsAre("oree"));
    memo.PasteClipboard(false);
    EXPECT_THAT(Text(), ElementsAre("one", "two", "three"));
}

TEST_F(ClipboardTest, CutRaisesWhatDeletingRaises) {
    SetText({"abcdef"});
    Select({1, 0}, {3, 0});
    ResetCounts();
    memo.CutSelection(false);
    EXPECT_EQ(clipboard.content, "bc");
    EXPECT_THAT(Text(), ElementsAre("adef"));
    EXPECT_EQ(selections, 2);
    EXPECT_EQ(changes, 1);
}

TEST_F(ClipboardTest, ACancelledActionDoesNothing) {
    SetText({"abcdef"});
    Select({1, 0}, {3, 0});
    std::vector<TClipboardAction> asked;
    memo.OnClipboardAction = [&](TAdvCustomMemo&, TClipboardAction action, bool& allow) {
        asked.push_back(action);
        allow = false;
    };
    clipboard.content = "zz";
    memo.CopySelection();
    memo.CutSelection();
    memo.PasteClipboard();
    EXPECT_THAT(asked, ElementsAre(caCopy, caCut, caPaste));
    EXPECT_EQ(clipboard.content, "zz");
    EXPECT_THAT(Text(), ElementsAre("abcdef"));
}

TEST_F(ClipboardTest, PasteNormalisesBreaksAndMarksTheLines) {
    SetText({"ab", "cd"});
    clipboard.content = "1\r2\n3\n\r4\r\n5";
    Caret(1, 0);
    memo.PasteClipboard();
    EXPECT_THAT(Text(), ElementsAre("a1", "2", "3", "4", "5b", "cd"));
    for (int y = 0; y <= 4; ++y) {
        EXPECT_EQ(memo.Lines().LineModState(y), 1) << y;
    }
    EXPECT_EQ(memo.Lines().LineModState(5), 0);
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("ab", "cd"));
}

TEST_F(ClipboardTest, PasteBeyondTheLineEndPadsToTheCaretFirst) {
    SetText({"abcdef", "ab"});
    Caret(6, 0);
    memo.SetCaretLine(1);
    clipboard.content = "xy";
    memo.PasteClipboard();
    EXPECT_THAT(Text(), ElementsAre("abcdef", "ab    xy"));
    memo.Undo();
    EXPECT_THAT(Trimmed(Text()), ElementsAre("abcdef", "ab"));
}

TEST_F(ClipboardTest, ReadOnlyOrNoTextPastesNothing) {
    SetText({"ab"});
    memo.PasteClipboard();
    EXPECT_THAT(Text(), ElementsAre("ab"));
    clipboard.content = "x";
    memo.SetReadOnly(true);
    memo.PasteClipboard();
    memo.CutSelection();
    EXPECT_THAT(Text(), ElementsAre("ab"));
}

}  // namespace
}  // namespace tarnwick::editor::test
