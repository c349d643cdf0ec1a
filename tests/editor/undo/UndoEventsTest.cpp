// The events of undo and redo: each record kind raises what the editing operations it stands
// for raise (a Backspace per typed character, the typed characters back for deleted ones,
// InsertAtCaret for a deleted selection, DeleteSelectedText for a paste), in their order,
// together with the caret moves of the replay.
#include <gtest/gtest.h>

#include <functional>

#include "editor/support/EditingTestSupport.h"

namespace tarnwick::editor::test {
namespace {

// One edit, then the events of one Undo and of the Redo after it: "C" OnChange,
// "S" OnSelectionChange, "xN" OnColumnChange with column N. prepare, when set, runs before the
// edit as an earlier step.
struct EventCase {
    const char* name;
    std::vector<std::string> lines;
    std::function<void(EditingTest&)> prepare;
    std::function<void(EditingTest&)> edit;
    std::string undoEvents;
    std::string redoEvents;
};

void PrintTo(const EventCase& c, std::ostream* os) {
    *os << c.name;
}

class UndoEvents : public ::testing::TestWithParam<EventCase> {};

TEST_P(UndoEvents, UndoAndRedoRaiseTheEventsOfTheReplayedOperations) {
    const EventCase& c = GetParam();
    EditingHarness t;
    t.SetText(c.lines);
    if (c.prepare) {
        c.prepare(t);
    }
    const std::vector<std::string> before = t.Text();
    c.edit(t);
    const std::vector<std::string> edited = t.Text();
    std::string log;
    auto add = [&log](const std::string& event) { log += (log.empty() ? "" : " ") + event; };
    t.memo.OnChange = [&](TAdvCustomMemo&) { add("C"); };
    t.memo.OnSelectionChange = [&](TAdvCustomMemo&) { add("S"); };
    t.memo.OnColumnChange = [&](TAdvCustomMemo&, int column) { add("x" + std::to_string(column)); };

    t.memo.Undo();
    EXPECT_EQ(log, c.undoEvents) << "undo";
    EXPECT_EQ(Trimmed(t.Text()), Trimmed(before)) << "undo gives the text back";
    log.clear();
    t.memo.Redo();
    EXPECT_EQ(log, c.redoEvents) << "redo";
    EXPECT_EQ(Trimmed(t.Text()), Trimmed(edited)) << "redo gives the edit back";
}

INSTANTIATE_TEST_SUITE_P(
    Records, UndoEvents,
    ::testing::Values(
        // Typing: a Backspace per character back, the characters typed again (no OnChange).
        EventCase{"TypedText",
                  {""},
                  {},
                  [](EditingTest& t) { t.Type("abc"); },
                  "x2 C x1 C x0 C",
                  "x1 x2 x3"},
        EventCase{"EnterWithItsIndent",
                  {"  a"},
                  {},
                  [](EditingTest& t) {
                      t.Caret(3, 0);
                      t.Enter();
                  },
                  "x1 C x0 C x3 C",
                  "x0 C x1 x2"},
        EventCase{"EnterRecordedLineByLine",
                  {"ab"},
                  [](EditingTest& t) { t.memo.EditSettings().UndoLineByLine = true; },
                  [](EditingTest& t) {
                      t.Caret(1, 0);
                      t.Enter();
                  },
                  "x1 C",
                  "x0 C"},
        EventCase{"TabSpaces",
                  {"ab"},
                  {},
                  [](EditingTest& t) {
                      t.Caret(1, 0);
                      t.memo.TabKey(0);
                  },
                  "x4 C x3 C x2 C x1 C",
                  "x2 x3 x4 x5"},
        EventCase{"SelectionMadeAfterTypingIsCollapsedByTheFirstBackspace",
                  {""},
                  {},
                  [](EditingTest& t) {
                      t.Type("ab");
                      t.Select({0, 0}, {1, 0});
                  },
                  "x2 x1 S C x0 C",
                  "x1 x2"},
        EventCase{"OverwrittenCharacter",
                  {"abc"},
                  {},
                  [](EditingTest& t) {
                      t.Caret(1, 0);
                      t.memo.ToggleOverwrite();
                      t.Type("x");
                  },
                  "x1 C",
                  "C"},
        // Deleting: the characters typed back (an Enter for a joined line), then a Delete
        // or Backspace per character.
        EventCase{"DeleteRun",
                  {"abc"},
                  {},
                  [](EditingTest& t) {
                      t.Delete();
                      t.Delete();
                  },
                  "x1 x0 x1 x0",
                  "C C"},
        EventCase{"DeleteJoiningLines",
                  {"ab", "cd"},
                  {},
                  [](EditingTest& t) {
                      t.Caret(2, 0);
                      t.Delete();
                  },
                  "x0 C x2",
                  "C"},
        EventCase{"BackspacesAcrossALineStart",
                  {"ab", "cd"},
                  {},
                  [](EditingTest& t) {
                      t.Caret(1, 1);
                      t.Backspace();
                      t.Backspace();
                  },
                  "x0 C x1",
                  "x0 C x2 C"},
        EventCase{"WordBackspace",
                  {"foo bar"},
                  {},
                  [](EditingTest& t) {
                      t.Caret(7, 0);
                      t.memo.DeleteWordBackward();
                  },
                  "x5 x6 x7",
                  "x6 C x5 C x4 C"},
        EventCase{"DeletedLine",
                  {"a", "b", "c"},
                  {},
                  [](EditingTest& t) {
                      t.Caret(0, 1);
                      t.memo.DeleteCaretLine();
                  },
                  "C",
                  "C"},
        // A deleted selection comes back through InsertAtCaret and is selected again; it
        // goes again through DeleteSelectedText.
        EventCase{"DeletedSelectionOnOneLine",
                  {"hello world"},
                  {},
                  [](EditingTest& t) {
                      t.Select({0, 0}, {5, 0});
                      t.Delete();
                  },
                  "C x5 C S",
                  "x0 S S C"},
        EventCase{"DeletedSelectionOverLines",
                  {"ab", "cd"},
                  {},
                  [](EditingTest& t) {
                      t.Select({1, 0}, {1, 1});
                      t.Delete();
                  },
                  "C C C S",
                  "S S C"},
        // A paste goes through DeleteSelectedText and comes again through InsertAtCaret.
        EventCase{"PastedText",
                  {"ab"},
                  {},
                  [](EditingTest& t) {
                      t.Caret(1, 0);
                      t.memo.InsertAtCaret("xy");
                  },
                  "x1 S S C",
                  "C x3 C"},
        EventCase{"PastedLines",
                  {"ab"},
                  {},
                  [](EditingTest& t) {
                      t.Caret(1, 0);
                      t.memo.InsertAtCaret("x\r\ny");
                  },
                  "S S C",
                  "C C C"},
        EventCase{"PastedLinesOfLineFeeds",
                  {"ab"},
                  {},
                  [](EditingTest& t) {
                      t.Caret(1, 0);
                      t.memo.InsertAtCaret("x\ny");
                  },
                  "S S C",
                  "C C C"},
        EventCase{"EmptyPaste",
                  {"ab"},
                  {},
                  [](EditingTest& t) {
                      t.Caret(1, 0);
                      t.memo.InsertAtCaret("");
                  },
                  "",
                  "C C"},
        // Linked: one step undoes the paste and the deleted selection, and redoes both.
        EventCase{"PasteOverASelection",
                  {"hello world"},
                  {},
                  [](EditingTest& t) {
                      t.Select({0, 0}, {5, 0});
                      t.memo.InsertAtCaret("bye");
                  },
                  "x0 S S C C x5 C S",
                  "x0 S S C C x3 C"},
        EventCase{"LinesPastedOverLines",
                  {"ab", "cd"},
                  {},
                  [](EditingTest& t) {
                      t.Select({1, 0}, {1, 1});
                      t.memo.InsertAtCaret("1\r\n2");
                  },
                  "S S C C C C S",
                  "S S C C C C"},
        // Mode switches and indenting raise no OnChange; their frame ends at (0, 0).
        EventCase{"InsertOverwriteToggle",
                  {"ab"},
                  [](EditingTest& t) { t.Type("x"); },
                  [](EditingTest& t) { t.memo.ToggleOverwrite(); },
                  "x0",
                  ""},
        EventCase{"BlockIndent",
                  {"a", "b"},
                  {},
                  [](EditingTest& t) {
                      t.Select({0, 0}, {1, 1});
                      t.memo.TabKey(0);
                  },
                  "x0",
                  ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick::editor::test
