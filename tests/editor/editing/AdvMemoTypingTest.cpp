// Keystroke editing: typing in insert and overwrite mode, Tab and block indenting, Enter with
// the automatic indent, Delete, Backspace, Ctrl+Backspace, and the events each raises.
#include <gmock/gmock.h>

#include <functional>

#include "editor/support/EditingTestSupport.h"
#include "editor/undo/UndoRecords.h"

namespace tarnwick::editor::test {
namespace {

using ::testing::ElementsAre;

TEST_F(EditingTest, TypingBeyondAShortLinePadsItToTheCaret) {
    SetText({"abcdefgh", "ab"});
    Caret(6, 0);
    memo.SetCaretLine(1);  // reached with Down: the line is not padded yet
    ASSERT_THAT(Text(), ElementsAre("abcdefgh", "ab"));
    ResetCounts();
    Type("x");
    EXPECT_THAT(Text(), ElementsAre("abcdefgh", "ab    x"));
    EXPECT_EQ(CaretPos(), (TTextPos{7, 1}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(memo.Lines().LineModState(1), 1);
    EXPECT_EQ(memo.Lines().LineModState(0), 0);
}

TEST_F(EditingTest, TypingOverASelectionDeletesItFirst) {
    SetText({"abcdef"});
    Select({1, 0}, {4, 0});
    ResetCounts();
    Type("X");
    EXPECT_THAT(Text(), ElementsAre("aXef"));
    EXPECT_EQ(selections, 2);
    EXPECT_EQ(changes, 2) << "one from the deletion, one from the typing";
}

TEST_F(EditingTest, OverwriteReplacesACharacterAndUndoesInOneStep) {
    SetText({"abc"});
    Caret(1, 0);
    memo.ToggleOverwrite();
    EXPECT_EQ(memo.UndoList().Count(), 0) << "no toggle record on an empty list";
    Type("x");
    EXPECT_THAT(Text(), ElementsAre("axc"));
    EXPECT_EQ(CaretPos(), (TTextPos{2, 0}));
    auto& record = dynamic_cast<TOverwriteCharUndo&>(memo.UndoList().Item(0));
    EXPECT_EQ(record.Text, "b");
    EXPECT_EQ(record.CaretBefore, (TTextPos{1, 0}));
    EXPECT_EQ(record.CaretAfter, (TTextPos{1, 0}));
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("abc"));
    memo.Redo();
    EXPECT_THAT(Text(), ElementsAre("axc"));
}

TEST_F(EditingTest, OverwriteAtTheLineEndInserts) {
    SetText({"ab"});
    Caret(2, 0);
    memo.SetOverwrite(true);
    Type("cd");
    EXPECT_THAT(Text(), ElementsAre("abcd"));
}

TEST_F(EditingTest, ToggleRecordsOnlyWhileTheTwoNewestAreNotBothToggles) {
    SetText({"ab"});
    Type("x");
    memo.ToggleOverwrite();
    memo.ToggleOverwrite();
    memo.ToggleOverwrite();
    EXPECT_EQ(memo.UndoList().Count(), 3);
    EXPECT_TRUE(memo.Overwrite()) << "three toggles";
    memo.Undo();
    EXPECT_TRUE(memo.Overwrite()) << "the mode before the second toggle";
    EXPECT_EQ(CaretPos(), (TTextPos{0, 0}));
    memo.Undo();
    EXPECT_FALSE(memo.Overwrite());
    memo.Redo();
    EXPECT_TRUE(memo.Overwrite());
    bool allow = false;
    memo.OnOverwriteToggle = [&](TAdvCustomMemo&, bool& a) { a = allow; };
    memo.ToggleOverwrite();
    EXPECT_TRUE(memo.Overwrite()) << "a refused toggle";
}

TEST_F(EditingTest, TabInsertsSpacesWithoutAChange) {
    SetText({"ab"});
    Caret(1, 0);
    ResetCounts();
    memo.TabKey(0);
    EXPECT_THAT(Text(), ElementsAre("a    b"));
    EXPECT_EQ(CaretPos(), (TTextPos{5, 0}));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(memo.Lines().LineModState(0), 1);
    memo.TabKey(ssShift);
    EXPECT_EQ(CaretPos(), (TTextPos{1, 0}));
    memo.TabKey(ssShift);
    EXPECT_EQ(CaretPos(), (TTextPos{0, 0}));
    memo.TabKey(ssCtrl);
    EXPECT_THAT(Text(), ElementsAre("a    b"));
}

TEST_F(EditingTest, OverwriteTabMovesOrPadsToTheTabWidth) {
    SetText({"abcdefgh"});
    memo.SetOverwrite(true);
    memo.TabKey(0);
    EXPECT_THAT(Text(), ElementsAre("abcdefgh"));
    EXPECT_EQ(CaretPos(), (TTextPos{4, 0}));
    memo.TabKey(0);
    EXPECT_THAT(Text(), ElementsAre("abcdefgh"));
    EXPECT_EQ(CaretPos(), (TTextPos{8, 0}));
    memo.TabKey(0);
    EXPECT_THAT(Text(), ElementsAre("abcdefgh    "));
    EXPECT_EQ(CaretPos(), (TTextPos{12, 0}));
}

TEST_F(EditingTest, UnindentRemovesOnlyTheSpacesThereAndUndoGivesThemBack) {
    SetText({"  a", "      b", "c"});
    Select({0, 0}, {0, 2});  // two whole lines: the line of the end is not included
    ResetCounts();
    memo.TabKey(ssShift);
    EXPECT_THAT(Text(), ElementsAre("a", "  b", "c"));
    EXPECT_EQ(changes + selections, 0);
    auto& record = dynamic_cast<TIndentUndo&>(memo.UndoList().Item(0));
    EXPECT_EQ(record.FirstLine, 0);
    EXPECT_EQ(record.LastLine, 1);
    EXPECT_EQ(record.Delta, -4);
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("  a", "      b", "c"));
    memo.Redo();
    EXPECT_THAT(Text(), ElementsAre("a", "  b", "c"));
}

TEST_F(EditingTest, ASelectionDraggedUpwardIndentsLikeOneDraggedDown) {
    SetText({"a", "b", "c", "d"});
    Select({1, 2}, {0, 0});
    memo.TabKey(0);
    EXPECT_THAT(Text(), ElementsAre("    a", "    b", "    c", "d"));
    EXPECT_EQ(memo.SelectionStart(), (TTextPos{0, 0})) << "the selection stays";
}

struct EnterCase {
    const char* name;
    std::string line;
    int column;
    std::vector<std::string> result;
    TTextPos caret;
};

class EnterRules : public EditingTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EnterRules, BreaksTheLineWithTheAutomaticIndent) {
    const EnterCase& c = GetParam();
    SetText({c.line});
    memo.SetCaretColumn(c.column);
    ResetCounts();
    Enter();
    EXPECT_EQ(Text(), c.result);
    EXPECT_EQ(CaretPos(), c.caret);
    EXPECT_EQ(changes, 1);
    memo.Undo();
    EXPECT_EQ(Trimmed(Text()), Trimmed({c.line}));
}

INSTANTIATE_TEST_SUITE_P(
    Enter, EnterRules,
    ::testing::Values(
        EnterCase{"BeforeTheFirstWord", "    begin", 4, {"    ", "    begin"}, {4, 1}},
        EnterCase{"TailLosesItsSpaces", "a   b", 2, {"a ", "b"}, {0, 1}},
        EnterCase{"IndentedTail", "  ab  cd  ", 4, {"  ab", "  cd"}, {2, 1}},
        EnterCase{"AtTheEnd", "  x", 3, {"  x", "  "}, {2, 1}},
        EnterCase{"SpacesOnlyCaretInside", "    ", 2, {"  ", "   "}, {3, 1}},
        EnterCase{"SpacesOnlyCaretAtEnd", "    ", 4, {"    ", "    "}, {4, 1}},
        EnterCase{"OneSpace", " ", 0, {"", " "}, {1, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditingTest, EnterWithoutAutoIndentKeepsTheTailsLeadingSpaces) {
    SetText({"a  b"});
    memo.EditSettings().AutoIndent = false;
    memo.SetCaretColumn(1);
    Enter();
    EXPECT_THAT(Text(), ElementsAre("a", "  b"));
}

TEST_F(EditingTest, DeleteAtTheVeryEndChangesNothingButRaisesAChange) {
    SetText({"ab", "cd"});
    Caret(2, 1);
    ResetCounts();
    Delete();
    EXPECT_THAT(Text(), ElementsAre("ab", "cd"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(memo.UndoList().Count(), 0);
}

TEST_F(EditingTest, DeleteBeyondTheLineEndJoinsAtTheRealEnd) {
    SetText({"ab", "abcdef", "x"});
    Caret(5, 1);
    memo.SetCaretLine(0);
    Delete();
    EXPECT_THAT(Text(), ElementsAre("ababcdef", "x"));
    EXPECT_EQ(memo.UndoList().Item(0).Text, "\r");
    Delete();
    EXPECT_THAT(Text(), ElementsAre("ababcef", "x"));
    EXPECT_EQ(memo.UndoList().Count(), 1) << "the deletions at one place merge";
    memo.Undo();
    EXPECT_THAT(Trimmed(Text()), ElementsAre("ab", "abcdef", "x"));
}

TEST_F(EditingTest, BackspaceBeyondTheEndOnlyMovesLeft) {
    SetText({"abcdefgh", "abc"});
    Caret(5, 0);
    memo.SetCaretLine(1);
    ResetCounts();
    Backspace();
    EXPECT_THAT(Trimmed(Text()), ElementsAre("abcdefgh", "abc"));
    EXPECT_EQ(CaretPos(), (TTextPos{4, 1}));
    EXPECT_EQ(changes, 0);
    memo.SetCaretColumn(3);
    Backspace();
    EXPECT_THAT(Trimmed(Text()), ElementsAre("abcdefgh", "ab"));
    EXPECT_EQ(changes, 1);
}

TEST_F(EditingTest, BackspaceAtColumnZeroJoinsWithThePreviousLine) {
    SetText({"ab", "cd"});
    Caret(0, 1);
    Backspace();
    Backspace();
    EXPECT_THAT(Text(), ElementsAre("acd"));
    EXPECT_EQ(CaretPos(), (TTextPos{1, 0}));
    EXPECT_EQ(memo.UndoList().Count(), 1);
    EXPECT_EQ(memo.UndoList().Item(0).Text, "b\r");
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("ab", "cd"));
    EXPECT_EQ(CaretPos(), (TTextPos{0, 1}));
}

TEST_F(EditingTest, CtrlBackspaceDeletesBackToTheSpace) {
    SetText({"foo bar"});
    memo.SetCaretColumn(7);
    ResetCounts();
    memo.DeleteWordBackward();
    EXPECT_THAT(Text(), ElementsAre("foo "));
    EXPECT_EQ(changes, 3) << "one per removed character";
    memo.DeleteWordBackward();
    EXPECT_THAT(Text(), ElementsAre(""));
    EXPECT_EQ(memo.UndoList().Count(), 1) << "the steps merge";
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("foo bar"));
}

TEST_F(EditingTest, CtrlBackspaceAtColumnZeroJoinsTheLines) {
    SetText({"ab", "cd"});
    Caret(0, 1);
    memo.DeleteWordBackward();
    EXPECT_THAT(Text(), ElementsAre("abcd"));
}

TEST_F(EditingTest, DeleteCaretLineRemovesTheLastLineFromAbove) {
    SetText({"a", "b", "c"});
    Caret(1, 2);
    memo.DeleteCaretLine();
    EXPECT_THAT(Text(), ElementsAre("a", "b"));
    EXPECT_EQ(CaretPos(), (TTextPos{0, 1}));
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("a", "b", "c"));
    Caret(0, 0);
    memo.DeleteCaretLine();
    EXPECT_THAT(Text(), ElementsAre("b", "c"));
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("a", "b", "c"));
    SetText({"only"});
    memo.DeleteCaretLine();
    EXPECT_THAT(Text(), ElementsAre(""));
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("only"));
}

TEST_F(EditingTest, ReadOnlyTypingDoesNothing) {
    SetText({"ab"});
    memo.SetReadOnly(true);
    Type("x");
    EXPECT_THAT(Text(), ElementsAre("ab"));
    EXPECT_EQ(changes, 0);
}

TEST_F(EditingTest, CharCaseConvertsTypedLetters) {
    SetText({""});
    memo.EditSettings().CharCase = ecUpperCase;
    Type("ab1");
    memo.EditSettings().CharCase = ecLowerCase;
    Type("CD");
    EXPECT_THAT(Text(), ElementsAre("AB1cd"));
}

}  // namespace
}  // namespace tarnwick::editor::test

namespace tarnwick::editor::test {
namespace {

// The events and the caret-line mark of each keystroke operation.
struct KeystrokeCase {
    const char* name;
    std::vector<std::string> lines;
    TTextPos anchor, caret;  // a selection when they differ
    std::function<void(EditingTest&)> keystroke;
    int changes;
    int selections;
    bool marked;
};

class KeystrokeEvents : public ::testing::TestWithParam<KeystrokeCase> {};

TEST_P(KeystrokeEvents, RaiseTheirEventsAndMarkTheCaretLine) {
    const KeystrokeCase& c = GetParam();
    EditingHarness t;
    t.SetText(c.lines);
    t.Select(c.anchor, c.caret);
    t.ResetCounts();
    c.keystroke(t);
    EXPECT_EQ(t.changes, c.changes);
    EXPECT_EQ(t.selections, c.selections);
    EXPECT_EQ(t.memo.Lines().LineModState(t.memo.CurY()) == 1, c.marked);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeystrokeEvents,
    ::testing::Values(
        KeystrokeCase{
            "Typing", {"ab"}, {1, 0}, {1, 0}, [](EditingTest& t) { t.Type("x"); }, 1, 0, true},
        KeystrokeCase{"TypingOverASelection",
                      {"abc"},
                      {0, 0},
                      {2, 0},
                      [](EditingTest& t) { t.Type("x"); },
                      2,
                      2,
                      true},
        KeystrokeCase{
            "Tab", {"ab"}, {1, 0}, {1, 0}, [](EditingTest& t) { t.memo.TabKey(0); }, 0, 0, true},
        KeystrokeCase{"TabCollapsingASelection",
                      {"abc"},
                      {0, 0},
                      {2, 0},
                      [](EditingTest& t) { t.memo.TabKey(0); },
                      0,
                      1,
                      true},
        KeystrokeCase{"BlockIndent",
                      {"a", "b", "c"},
                      {0, 0},
                      {1, 2},
                      [](EditingTest& t) { t.memo.TabKey(0); },
                      0,
                      0,
                      false},
        KeystrokeCase{
            "Enter", {"ab"}, {1, 0}, {1, 0}, [](EditingTest& t) { t.Enter(); }, 1, 0, true},
        KeystrokeCase{"EnterOverASelection",
                      {"abc"},
                      {0, 0},
                      {2, 0},
                      [](EditingTest& t) { t.Enter(); },
                      2,
                      2,
                      true},
        KeystrokeCase{
            "Delete", {"ab"}, {0, 0}, {0, 0}, [](EditingTest& t) { t.Delete(); }, 1, 0, true},
        KeystrokeCase{"DeleteASelection",
                      {"abc"},
                      {0, 0},
                      {2, 0},
                      [](EditingTest& t) { t.Delete(); },
                      1,
                      2,
                      true},
        KeystrokeCase{"BackspaceAtTheStart",
                      {"ab"},
                      {0, 0},
                      {0, 0},
                      [](EditingTest& t) { t.Backspace(); },
                      0,
                      0,
                      true},
        KeystrokeCase{
            "Backspace", {"ab"}, {2, 0}, {2, 0}, [](EditingTest& t) { t.Backspace(); }, 1, 0, true},
        KeystrokeCase{"CtrlBackspace",
                      {"ab cd"},
                      {5, 0},
                      {5, 0},
                      [](EditingTest& t) {
                          t.memo.DeleteWordBackward();
                          t.memo.MarkCaretLine();
                      },
                      2,
                      0,
                      true},
        KeystrokeCase{"ToggleOverwrite",
                      {"ab"},
                      {1, 0},
                      {1, 0},
                      [](EditingTest& t) { t.memo.ToggleOverwrite(); },
                      0,
                      0,
                      false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick::editor::test
