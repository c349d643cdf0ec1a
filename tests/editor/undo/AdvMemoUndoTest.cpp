// Undo and redo: the merge rules, the bounded list, linked records, the replay frame, and the
// edit sequences whose literal replay used to lose text.
#include <gmock/gmock.h>

#include <functional>

#include "editor/support/EditingTestSupport.h"
#include "editor/undo/UndoRecords.h"
#include "support/FakeClipboard.h"

namespace tarnwick::editor::test {
namespace {

using ::testing::ElementsAre;

TEST_F(EditingTest, TypingAcrossEnterIsOneStep) {
    SetText({""});
    Type("abc");
    Enter();
    Type("de");
    EXPECT_THAT(Text(), ElementsAre("abc", "de"));
    ASSERT_EQ(memo.UndoList().Count(), 1);
    EXPECT_EQ(memo.UndoList().Item(0).Text, "abc\rde");
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre(""));
    EXPECT_EQ(CaretPos(), (TTextPos{0, 0}));
    memo.Redo();
    EXPECT_THAT(Text(), ElementsAre("abc", "de"));
    EXPECT_EQ(CaretPos(), (TTextPos{2, 1}));
}

TEST_F(EditingTest, MergingComparesOnlyCaretPositions) {
    SetText({""});
    Type("ab");
    Caret(0, 0);
    Type("c");
    EXPECT_EQ(memo.UndoList().Count(), 2) << "typed elsewhere: a new step";
    SetText({""});
    Type("ab");
    Caret(0, 0);
    Caret(2, 0);
    Type("c");
    EXPECT_EQ(memo.UndoList().Count(), 1) << "back at the same place: merged";
}

TEST_F(EditingTest, ARunOfTypingInALongLineKeepsOnlyTheTypedText) {
    // Each key used to add both whole copies of the line to the merged record: ten keys in a
    // 100 MB line kept 2 GB. Then the line was kept twice; now only what changed is kept.
    const std::string line(100000, 'a');
    SetText({"first", line, "last"});
    Caret(50000, 1);
    Type("0123456789");
    ASSERT_EQ(memo.UndoList().Count(), 1);
    const TUndo& record = memo.UndoList().Item(0);
    ASSERT_EQ(record.Steps.size(), 1u);
    EXPECT_TRUE(record.Steps[0].Compact);
    EXPECT_EQ(record.Steps[0].Front, 50000u);
    EXPECT_EQ(record.Steps[0].Old.Bytes, "");
    EXPECT_EQ(record.Steps[0].New.Bytes, "0123456789");
    memo.Undo();
    EXPECT_EQ(Text()[1], line);
    memo.Redo();
    EXPECT_EQ(Text()[1], line.substr(0, 50000) + "0123456789" + line.substr(50000));
    // Backspaces merge the same way.
    Backspace();
    Backspace();
    ASSERT_EQ(memo.UndoList().Item(0).Steps.size(), 1u);
}

TEST_F(EditingTest, DeleteAndBackspaceMergeOnlyWithTheirOwnKind) {
    SetText({"abcdef"});
    Caret(3, 0);
    Delete();
    Delete();
    EXPECT_EQ(memo.UndoList().Count(), 1);
    EXPECT_EQ(memo.UndoList().Item(0).Text, "ed") << "each character goes in front";
    Backspace();
    Backspace();
    EXPECT_EQ(memo.UndoList().Count(), 2);
    EXPECT_EQ(memo.UndoList().Item(0).Text, "bc");
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("abcf"));
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("abcdef"));
}

TEST_F(EditingTest, TheHundredFirstStepDropsTheOldest) {
    SetText({""});
    for (int i = 0; i < 101; ++i) {
        Caret(0, 0);  // each typing a step of its own
        Type("x");
    }
    EXPECT_EQ(memo.UndoList().Count(), 100);
    int undone = 0;
    while (memo.CanUndo()) {
        memo.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    EXPECT_THAT(Text(), ElementsAre("x"));
}

TEST_F(EditingTest, TypingAfterUndoDropsTheRedoSteps) {
    SetText({""});
    Type("ab");
    memo.Undo();
    ASSERT_TRUE(memo.CanRedo());
    Type("c");
    EXPECT_FALSE(memo.CanRedo());
    EXPECT_EQ(memo.UndoList().Count(), 1);
    EXPECT_EQ(memo.UndoList().Item(0).Text, "c");
    memo.Undo();
    EXPECT_THAT(Trimmed(Text()), ElementsAre(""));
    EXPECT_FALSE(memo.CanUndo());
}

TEST_F(EditingTest, UndoLimitIsClampedAndAChangeEmptiesTheList) {
    SetText({""});
    Type("a");
    memo.SetUndoLimit(100);
    EXPECT_EQ(memo.UndoList().Count(), 1) << "the same limit keeps the list";
    memo.SetUndoLimit(500);
    EXPECT_EQ(memo.UndoLimit(), 100);
    memo.SetUndoLimit(-3);
    EXPECT_EQ(memo.UndoLimit(), 1);
    EXPECT_EQ(memo.UndoList().Count(), 0);
    for (int i = 0; i < 3; ++i) {
        Caret(0, 0);
        Type("x");
    }
    EXPECT_EQ(memo.UndoList().Count(), 1);
}

TEST_F(EditingTest, UndoChangeReportsWhatIsPossible) {
    SetText({""});
    std::vector<std::pair<bool, bool>> seen;
    memo.UndoList().OnUndoChange = [&](bool u, bool r) { seen.emplace_back(u, r); };
    Type("a");
    memo.Undo();
    memo.Redo();
    memo.Undo();  // nothing more after this one...
    memo.Undo();  // ...so this raises nothing
    memo.UndoList().Clear();
    EXPECT_THAT(seen,
                ElementsAre(std::pair(true, false), std::pair(false, true), std::pair(true, false),
                            std::pair(false, true), std::pair(false, false)));
}

TEST_F(EditingTest, LoadingEmptiesTheListAndClearingTheLinesKeepsIt) {
    SetText({"abc"});
    Type("x");
    memo.Lines().Clear();
    EXPECT_EQ(memo.UndoList().Count(), 1);
    memo.Undo();  // the record no longer fits the text: no harm
    EXPECT_LE(memo.Lines().Count(), 1);
}

TEST_F(EditingTest, ReplayRunsWithAutoIndentOffAndAddsNoRecords) {
    SetText({"    a"});
    bool indentDuringReplay = true;
    memo.OnChange = [&](TAdvCustomMemo& m) {
        if (m.UndoList().Replaying()) {
            indentDuringReplay = m.EditSettings().AutoIndent;
        }
    };
    memo.SetCaretColumn(5);
    Enter();
    memo.Undo();
    EXPECT_FALSE(indentDuringReplay);
    EXPECT_TRUE(memo.EditSettings().AutoIndent);
    EXPECT_EQ(memo.UndoList().Count(), 1);
    EXPECT_EQ(memo.UndoList().Position(), 1);
}

TEST_F(EditingTest, ARestoredSelectionIsExtendedByShiftMovesFromTheCaret) {
    // Selected leftwards the caret was at the start, rightwards at the end; undo puts it back
    // there with the text selected again, and Shift+Left extends that selection.
    for (const bool leftwards : {true, false}) {
        SetText({"hello world abc"});
        if (leftwards) {
            Select({15, 0}, {12, 0});
        } else {
            Select({12, 0}, {15, 0});
        }
        Delete();
        memo.Undo();
        ASSERT_EQ(memo.SelectedText(), "abc") << leftwards;
        EXPECT_EQ(CaretPos(), (TTextPos{leftwards ? 12 : 15, 0}));
        memo.MoveCaret(-1, 0, ssShift);
        EXPECT_EQ(memo.SelectionAnchor(), (TTextPos{12, 0})) << leftwards;
        EXPECT_EQ(memo.SelectionActiveEnd(), (TTextPos{leftwards ? 11 : 14, 0})) << leftwards;
    }
}

TEST_F(EditingTest, UndoingAPasteLeavesNoOtherSelectionForTypingToReplace) {
    // Undoing a paste selects what it inserted and deletes it; for an empty paste that is the
    // empty selection at the paste's place, so a selection made after the paste goes too.
    struct Case {
        const char* Name;
        std::string Pasted;
        bool OverSelection;  // the paste replaced "cd"
        std::string AfterTypingX;
    };
    const Case cases[] = {
        {"empty paste", "", false, "abxcdef"},
        {"empty paste over a selection", "", true, "abcdxef"},
        {"paste", "12", false, "abxcdef"},
        {"paste over a selection", "12", true, "abcdxef"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SetText({"abcdef"});
        if (c.OverSelection) {
            Select({2, 0}, {4, 0});
        } else {
            Caret(2, 0);
        }
        memo.InsertAtCaret(c.Pasted);
        Select({4, 0}, {5, 0});
        ResetCounts();
        memo.Undo();
        EXPECT_THAT(Text(), ElementsAre("abcdef"));
        if (c.OverSelection) {
            EXPECT_EQ(memo.SelectedText(), "cd") << "the replaced text is selected again";
        } else {
            EXPECT_FALSE(memo.HasSelection());
            EXPECT_EQ(CaretPos(), (TTextPos{2, 0}));
        }
        if (c.OverSelection) {
            Caret(4, 0);
        }
        Type("x");
        EXPECT_THAT(Text(), ElementsAre(c.AfterTypingX));
    }
}

TEST_F(EditingTest, RedoneTypingMarksTheLinesItsEntersOpenOnlyWhenRecordedAsTyping) {
    for (const bool lineByLine : {false, true}) {
        SetText({"ab"});
        memo.EditSettings().UndoLineByLine = lineByLine;
        Caret(2, 0);
        Enter();
        memo.Undo();
        for (int i = 0; i < memo.Lines().Count(); ++i) {
            memo.Lines().SetLineModState(i, lmsUnchanged);
        }
        memo.Redo();
        ASSERT_EQ(memo.Lines().Count(), 2);
        EXPECT_EQ(memo.Lines().LineModState(1), lineByLine ? lmsUnchanged : lmsModified)
            << lineByLine;
    }
}

// Edits whose literal replay does not give the text back; undo must restore every line (trailing
// spaces aside) and redo the edited text.
struct RestoreCase {
    const char* name;
    std::vector<std::string> lines;
    std::function<void(EditingTest&)> steps;
    std::vector<std::string> edited;
};

class RestoreRules : public ::testing::TestWithParam<RestoreCase> {};

TEST_P(RestoreRules, UndoGivesBackTheTextAndRedoTheEdit) {
    const RestoreCase& c = GetParam();
    EditingHarness t;
    tarnwick::testing::FakeClipboard clipboard;
    t.memo.SetClipboard(&clipboard);
    clipboard.content = "xy";
    t.SetText(c.lines);
    c.steps(t);
    EXPECT_EQ(Trimmed(t.Text()), c.edited);
    while (t.memo.CanUndo()) {
        t.memo.Undo();
    }
    EXPECT_EQ(Trimmed(t.Text()), Trimmed(c.lines));
    while (t.memo.CanRedo()) {
        t.memo.Redo();
    }
    EXPECT_EQ(Trimmed(t.Text()), c.edited);
}

INSTANTIATE_TEST_SUITE_P(
    Undo, RestoreRules,
    ::testing::Values(RestoreCase{"UnindentOfUnevenLines",
                                  {"  a", "      b"},
                                  [](EditingTest& t) {
                                      t.Select({0, 0}, {7, 1});
                                      t.memo.TabKey(ssShift);
                                  },
                                  {"a", "  b"}},
                      RestoreCase{"EnterDropsTheSpacesBeforeTheTail",
                                  {"a   b"},
                                  [](EditingTest& t) {
                                      t.memo.SetCaretColumn(2);
                                      t.Enter();
                                  },
                                  {"a", "b"}},
                      RestoreCase{"TrimmedSpacesOfAJoinedBreak",
                                  {"a b"},
                                  [](EditingTest& t) {
                                      t.memo.SetCaretColumn(2);
                                      t.Enter();
                                      t.Move(0, -1);
                                      t.Enter();
                                  },
                                  {"", "a", "b"}},
                      RestoreCase{"BreakUndoneAtAPaddedLineEnd",
                                  {"n"},
                                  [](EditingTest& t) {
                                      t.Enter();
                                      t.Move(0, -1);
                                      t.Move(1, 0);
                                  },
                                  {"", "n"}},
                      RestoreCase{"DeleteBeyondTheLineEnd",
                                  {"ab", "abcdef"},
                                  [](EditingTest& t) {
                                      t.Move(0, 1);
                                      t.End();
                                      t.Move(0, -1);
                                      t.Delete();
                                  },
                                  {"ababcdef"}},
                      RestoreCase{"SelectionStartingBeyondItsLine",
                                  {"ab", "hello world"},
                                  [](EditingTest& t) {
                                      t.Move(0, 1);
                                      t.memo.SetCaretColumn(5);
                                      t.Move(0, -1);
                                      t.memo.SetCaretLine(1);
                                      t.memo.ExtendSelection();
                                      t.Delete();
                                  },
                                  {"ab world"}},
                      RestoreCase{"OverwriteModeReplay",
                                  {"m\xC3\xA9"},
                                  [](EditingTest& t) {
                                      t.memo.ToggleOverwrite();
                                      t.Delete();
                                  },
                                  {"\xC3\xA9"}},
                      RestoreCase{"EmptyOverwriteTabAfterTyping",
                                  {"abcdefghij"},
                                  [](EditingTest& t) {
                                      t.Type("x");
                                      t.memo.SetOverwrite(true);
                                      t.memo.TabKey(0);
                                      t.Type("y");
                                  },
                                  {"xabcdyfghij"}},
                      RestoreCase{"PasteBeyondTheLineEnd",
                                  {"abcdef", "ab"},
                                  [](EditingTest& t) {
                                      t.End();
                                      t.Move(0, 1);
                                      t.memo.InsertAtCaret("xy");
                                  },
                                  {"abcdef", "abxy"}},
                      RestoreCase{"PastedLoneCarriageReturn",
                                  {"xy"},
                                  [](EditingTest& t) { t.memo.InsertAtCaret("a\rb"); },
                                  {"a\rbxy"}},
                      RestoreCase{"PastedTab",
                                  {"xy"},
                                  [](EditingTest& t) { t.memo.InsertAtCaret("a\tb"); },
                                  {"a    bxy"}},
                      RestoreCase{"RedoAfterPadding",
                                  {"", "\xC3\xA9"},
                                  [](EditingTest& t) {
                                      t.Delete();
                                      t.memo.Undo();
                                      t.Move(1, 0);
                                      t.memo.Redo();
                                  },
                                  {"\xC3\xA9"}},
                      RestoreCase{"LinkedPaste",
                                  {"hello world"},
                                  [](EditingTest& t) {
                                      t.Select({0, 0}, {5, 0});
                                      t.memo.PasteClipboard();
                                  },
                                  {"xy world"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick::editor::test
