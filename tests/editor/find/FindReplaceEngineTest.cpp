// The find and replace engine on an editor without a window: line matching (case folding, the
// whole-word rule, character boundaries), the part of each line a search looks at, what a
// match or a miss does to the caret and the selection, and replace all.
#include <gmock/gmock.h>

#include "editor/control/MemoFindTarget.h"
#include "editor/editing/EditColumns.h"
#include "editor/find/FindReplaceEngine.h"
#include "editor/support/EditingTestSupport.h"

namespace tarnwick::editor::test {
namespace {

using ::testing::ElementsAre;

struct FindCase {
    const char* name;
    std::vector<std::string> lines;
    TTextPos caret;
    std::string text;
    TFindOptions options;
    int64_t offset;       // expected result
    TTextPos matchStart;  // expected caret and anchor when found
};

class FindNextRules : public EditingTest, public ::testing::WithParamInterface<FindCase> {
  protected:
    TMemoFindTarget target{memo};
};

TEST_P(FindNextRules, SelectsTheMatchAndReturnsItsOffset) {
    const FindCase& c = GetParam();
    SetText(c.lines);
    Caret(c.caret.X, c.caret.Y);
    ResetCounts();
    const int64_t offset = FindNext(target, c.text, c.options);
    EXPECT_EQ(offset, c.offset);
    if (offset >= 0) {
        EXPECT_EQ(CaretPos(), c.matchStart);
        EXPECT_EQ(memo.SelectionAnchor(), c.matchStart);
        EXPECT_EQ(memo.SelectionActiveEnd(),
                  (TTextPos{c.matchStart.X + columns::Length(c.text), c.matchStart.Y}));
    } else {
        EXPECT_EQ(CaretPos(), c.caret);
        EXPECT_EQ(memo.SelectionAnchor(), (TTextPos{0, 0}));
        EXPECT_EQ(memo.SelectionActiveEnd(), (TTextPos{0, 0}));
    }
    EXPECT_EQ(selections, 0);  // a search moves the selection without the event
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(Text(), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Find, FindNextRules,
    ::testing::Values(
        FindCase{"FirstOccurrenceOnTheCaretLine", {"a foo foo"}, {0, 0}, "foo", frDown, 2, {2, 0}},
        FindCase{"LineBreaksCountTwo", {"ab", "", "xfoo"}, {0, 0}, "foo", frDown, 7, {1, 2}},
        FindCase{"WholeWordRejectsTheLineAtItsFirstOccurrence",
                 {"foobar foo", "x foo"},
                 {0, 0},
                 "foo",
                 frDown | frWholeWord,
                 14,
                 {2, 1}},
        FindCase{"WholeWordAcceptsPunctuationAround",
                 {"(foo)"},
                 {0, 0},
                 "foo",
                 frDown | frWholeWord,
                 1,
                 {1, 0}},
        FindCase{"UnderscoreIsNoWordCharacter",
                 {"_foo_"},
                 {0, 0},
                 "foo",
                 frDown | frWholeWord,
                 1,
                 {1, 0}},
        FindCase{
            "DigitsAreWordCharacters", {"foo1 x"}, {0, 0}, "foo", frDown | frWholeWord, -1, {}},
        FindCase{"CaseIgnoredForAsciiLetters", {"xx FOO"}, {0, 0}, "Foo", frDown, 3, {3, 0}},
        FindCase{"MatchCaseComparesExactly",
                 {"FOO Foo"},
                 {0, 0},
                 "Foo",
                 frDown | frMatchCase,
                 4,
                 {4, 0}},
        FindCase{"LettersAbove127DoNotFold", {"\xC3\xA9"}, {0, 0}, "\xC3\x89", frDown, -1, {}},
        FindCase{"SameLetterAbove127Matches", {"x\xC3\xA9"}, {0, 0}, "\xC3\xA9", frDown, 1, {1, 0}},
        FindCase{"ColumnsAndOffsetsCountCharacters",
                 {"\xC3\xA9\xC3\xA9", "\xC3\xA9 foo"},
                 {0, 0},
                 "foo",
                 frDown,
                 6,
                 {2, 1}},
        FindCase{"NoMatchInsideAMultiByteCharacter", {"\xC3\xA9"}, {0, 0}, "\xA9", frDown, -1, {}},
        FindCase{"NoMatchOfAPartialCharacter", {"\xC3\xA9"}, {0, 0}, "\xC3", frDown, -1, {}},
        FindCase{"LeadBytesDoNotMatchInsideTheCharacterTheyBegin",
                 {"\xE2\x82\xAC"},
                 {0, 0},
                 "\xE2\x82",
                 frDown,
                 -1,
                 {}},
        FindCase{"StrayLeadBytesMatchWhereTheyStandAlone",
                 {"\xE2\x82\xAC \xE2\x82x"},
                 {0, 0},
                 "\xE2\x82",
                 frDown,
                 2,
                 {2, 0}},
        FindCase{"AStrayByteAndALetterDoNotMatchACharacterAndTheLetter",
                 {"\xC3\xA9"
                  "a \xA9"
                  "a"},
                 {0, 0},
                 "\xA9"
                 "a",
                 frDown,
                 3,
                 {3, 0}},
        FindCase{"LoneBytesMatchAsCharacters", {"\xA9\xC3"}, {0, 0}, "\xA9\xC3", frDown, 0, {0, 0}},
        FindCase{"SearchStartsAtTheCaret", {"foo foo"}, {1, 0}, "foo", frDown, 4, {4, 0}},
        FindCase{"LinesAboveTheCaretAreNotSearched", {"foo", "bar"}, {0, 1}, "foo", frDown, -1, {}},
        FindCase{"CaretAtTheLineEndSkipsTheLine", {"foo", "foo"}, {3, 0}, "foo", frDown, 5, {0, 1}},
        FindCase{"UpwardsFindsTheLastOccurrenceBeforeTheCaret",
                 {"aaa x", "aaa"},
                 {4, 0},
                 "aa",
                 0,
                 1,
                 {1, 0}},
        FindCase{"UpwardsGoesToEarlierLines", {"foo bar", "baz"}, {2, 1}, "foo", 0, 0, {0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

class FindNextTest : public EditingTest {
  protected:
    TMemoFindTarget target{memo};
};

TEST_F(FindNextTest, ContinuesBehindTheMatchOnTheSameLine) {
    SetText({"ab ab", "x ab"});
    std::vector<int64_t> found;
    for (int i = 0; i < 4; ++i) {
        found.push_back(FindNext(target, "ab", frDown));
    }
    EXPECT_THAT(found, ElementsAre(0, 3, 9, -1));
}

TEST_F(FindNextTest, TheViewScrollsUntilTheWholeMatchShows) {
    // The view is 80 columns wide. The caret rule alone scrolls only until the match start
    // shows; the match's last character must show too, but never at the cost of its start.
    struct Case {
        const char* Name;
        int MatchColumn;
        int MatchLength;
        int FirstVisibleColumn;
    };
    const Case cases[] = {
        {"a match running past the right edge", 90, 6, 18},  // last column 95 = 18 + 79 - 2
        {"a match ending inside the view", 10, 6, 0},
        {"a match wider than the view shows from its start", 50, 100, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string needle(static_cast<size_t>(c.MatchLength), 'n');
        SetText({std::string(static_cast<size_t>(c.MatchColumn), 'x') + needle + "x"});
        memo.SetFirstVisibleColumn(0);
        ASSERT_EQ(FindNext(target, needle, frDown), c.MatchColumn);
        EXPECT_EQ(memo.FirstVisibleColumn(), c.FirstVisibleColumn);
        EXPECT_LE(memo.FirstVisibleColumn(), c.MatchColumn);
        if (c.MatchLength <= memo.VisibleColumns()) {
            EXPECT_LE(c.MatchColumn + c.MatchLength - 1, memo.LastVisibleColumn());
        }
    }
}

TEST_F(FindNextTest, AnEmptyTextFindsNothingAndChangesNothing) {
    SetText({"foo foo"});
    Select({1, 0}, {5, 0});
    EXPECT_EQ(FindNext(target, "", frDown), -1);
    EXPECT_EQ(memo.SelectionAnchor(), (TTextPos{1, 0}));
    EXPECT_EQ(memo.SelectionActiveEnd(), (TTextPos{5, 0}));
    EXPECT_EQ(CaretPos(), (TTextPos{5, 0}));
}

TEST_F(FindNextTest, AfterAMissTheNextSearchStartsAtTheCaretLinesBeginning) {
    SetText({"foo", "foo bar"});
    Caret(3, 1);
    EXPECT_EQ(FindNext(target, "foo", frDown), -1);
    EXPECT_EQ(CaretPos(), (TTextPos{3, 1}));
    EXPECT_EQ(FindNext(target, "foo", frDown), 5);
    EXPECT_EQ(CaretPos(), (TTextPos{0, 1}));
}

TEST_F(FindNextTest, AnAnchorOnAnotherLineLimitsOnlyFindNextOnTheFirstLine) {
    // The selection runs from column 5 of line 0 to the caret on line 1.
    const std::vector<std::string> lines = {"ab foo", "foo x foo"};
    SetText(lines);
    Select({5, 0}, {2, 1});
    EXPECT_EQ(FindNext(target, "foo", frDown), 14);  // from column 5 of line 1
    SetText(lines);
    Select({5, 0}, {2, 1});
    EXPECT_EQ(FindForReplaceAll(target, "foo", frDown), 8);  // line 1 searched whole
}

TEST_F(FindNextTest, TheRemainingPartStartsAtTheSelectionsActiveEnd) {
    SetText({"foo foo foo"});
    memo.SetSelectionEnds({0, 0}, {5, 0});  // active end inside the second "foo"
    EXPECT_EQ(FindNext(target, "foo", frDown), 8);
}

class ReplaceAllTest : public EditingTest {
  protected:
    TMemoFindTarget target{memo};
    int ReplaceAll(const std::string& text, const std::string& by, TFindOptions options = frDown) {
        Caret(0, 0);
        return ReplaceAllMatches(target, text, by, options);
    }
};

TEST_F(ReplaceAllTest, AReplacementHoldingTheTextIsNotSearchedAgain) {
    SetText({"aaa"});
    EXPECT_EQ(ReplaceAll("a", "aa"), 3);
    EXPECT_THAT(Text(), ElementsAre("aaaaaa"));
}

TEST_F(ReplaceAllTest, ReplacesOnEveryLineFromTheCaretOn) {
    SetText({"Foo foo", "x", "FOO"});
    EXPECT_EQ(ReplaceAll("foo", "bar"), 3);
    EXPECT_THAT(Text(), ElementsAre("bar bar", "x", "bar"));
}

TEST_F(ReplaceAllTest, AnEmptyReplacementRemovesAdjacentMatchesToo) {
    SetText({"ababab x ab"});
    EXPECT_EQ(ReplaceAll("ab", ""), 4);
    EXPECT_THAT(Text(), ElementsAre(" x "));
}

TEST_F(ReplaceAllTest, AReplacementWithALineBreakSplitsTheLine) {
    SetText({"a;b;c"});
    EXPECT_EQ(ReplaceAll(";", "\r\n"), 2);
    EXPECT_THAT(Text(), ElementsAre("a", "b", "c"));
}

TEST_F(ReplaceAllTest, MatchesStartAndEndOnCharacterBoundaries) {
    // The first two bytes of a euro sign are two stray characters of their own, which occur
    // only where they stand alone; the euro sign itself stays whole.
    SetText({"\xE2\x82\xACx", "\xE2\x82 \xE2\x82\xAC"});
    EXPECT_EQ(ReplaceAll("\xE2\x82", "Z"), 1);
    EXPECT_THAT(Text(), ElementsAre("\xE2\x82\xACx", "Z \xE2\x82\xAC"));
}

TEST_F(ReplaceAllTest, AnEmptyTextReplacesNothing) {
    SetText({"abc"});
    EXPECT_EQ(ReplaceAll("", "x"), 0);
    EXPECT_THAT(Text(), ElementsAre("abc"));
    EXPECT_EQ(changes, 0);
}

TEST_F(ReplaceAllTest, AReadOnlyEditorIsLeftAlone) {
    SetText({"abc abc"});
    memo.SetReadOnly(true);
    EXPECT_EQ(ReplaceAll("abc", "x"), 0);
    EXPECT_THAT(Text(), ElementsAre("abc abc"));
}

TEST_F(ReplaceAllTest, UndoTakesBackOneReplacementAtATime) {
    SetText({"cat dog cat", "cat"});
    ASSERT_EQ(ReplaceAll("cat", "bird"), 3);
    EXPECT_THAT(Text(), ElementsAre("bird dog bird", "bird"));
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("bird dog bird", "cat"));
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("bird dog cat", "cat"));
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("cat dog cat", "cat"));
    EXPECT_FALSE(memo.CanUndo());
    memo.Redo();
    memo.Redo();
    memo.Redo();
    EXPECT_THAT(Text(), ElementsAre("bird dog bird", "bird"));
}

}  // namespace
}  // namespace tarnwick::editor::test
