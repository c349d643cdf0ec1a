// The editor's line list: line rules of adding and inserting, deleting, clearing, objects,
// line lengths and the change notifications that reach the editor.
#include <gmock/gmock.h>

#include "editor/control/AdvMemo.h"
#include "editor/document/EditorErrors.h"
#include "editor/document/StringList.h"
#include "editor/support/EditorTestSupport.h"

namespace tarnwick::editor {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> LinesOf(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) {
        lines.push_back(list.Get(i));
    }
    return lines;
}

class MemoStringsTest : public ::testing::Test {
  protected:
    MemoStringsTest() {
        memo.OnChange = [this](TAdvCustomMemo&) { ++changes; };
        memo.Lines().Clear();
        changes = 0;
    }
    TAdvMemo memo;
    int changes = 0;
};

TEST_F(MemoStringsTest, AnEditorStartsWithOneEmptyLine) {
    TAdvMemo fresh;
    EXPECT_THAT(LinesOf(fresh.Lines()), ElementsAre(""));
    EXPECT_EQ(fresh.Lines().LineLengths().size(), 1u);
}

struct AddCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

class AddRules : public MemoStringsTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddRules, SplitsAtCarriageReturnsAndDropsLineFeeds) {
    const AddCase& c = GetParam();
    const int last = memo.Lines().Add(c.text);
    EXPECT_EQ(LinesOf(memo.Lines()), c.lines);
    EXPECT_EQ(last, memo.Lines().Count() - 1);
    EXPECT_EQ(changes, static_cast<int>(c.lines.size())) << "one notification per line added";
    ASSERT_EQ(memo.Lines().LineLengths().size(), c.lines.size());
    for (size_t i = 0; i < c.lines.size(); ++i) {
        EXPECT_EQ(memo.Lines().LineLengths()[i], static_cast<int>(c.lines[i].size()));
        EXPECT_NE(memo.Lines().LineProp(static_cast<int>(i)), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Add, AddRules,
    ::testing::Values(
        AddCase{"Plain", "abc", {"abc"}}, AddCase{"CrLfInside", "a\rb\nc", {"a", "bc"}},
        AddCase{"TrailingCr", "a\r", {"a", ""}}, AddCase{"CrLfPair", "a\r\nb", {"a", "b"}},
        AddCase{"LfOnly", "a\nb", {"ab"}}, AddCase{"TabBecomesFourSpaces", "\tx", {"    x"}},
        AddCase{"TabsAreNotTabStops", "ab\tc\t", {"ab    c    "}}, AddCase{"Empty", "", {""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MemoStringsTest, InsertSplitsOnlyAtCrLf) {
    memo.Lines().Add("first");
    memo.Lines().Add("last");
    changes = 0;
    memo.Lines().Insert(1, "a\r\nb\rc\nd\te");
    EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre("first", "a", "b\rc\nd    e", "last"));
    EXPECT_EQ(changes, 2);
    EXPECT_THAT(memo.Lines().LineLengths(), ElementsAre(5, 1, 10, 4));
    EXPECT_EQ(memo.Lines().LineProp(1), nullptr) << "inserted lines start without a record";
    EXPECT_NE(memo.Lines().LineProp(3), nullptr);
}

TEST_F(MemoStringsTest, InsertMovesBookmarksAtOrBelowTheIndex) {
    memo.Lines().Add("a");
    memo.Lines().Add("b");
    memo.SetBookmark(0, 0);
    memo.SetBookmark(1, 1);
    memo.Lines().Insert(1, "x");
    EXPECT_EQ(memo.Bookmark(0), 0);
    EXPECT_EQ(memo.Bookmark(1), 2);
    EXPECT_EQ(memo.Bookmark(2), TAdvCustomMemo::kNoLine);
}

TEST_F(MemoStringsTest, PutExpandsTabsAndTracksLengths) {
    memo.Lines().Add("short");
    memo.Lines().Add("a much longer line");
    EXPECT_EQ(memo.LongestLineLength(), 18);
    changes = 0;
    memo.Lines().Put(1, "\t");
    EXPECT_EQ(memo.Lines().Get(1), "    ");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(memo.LongestLineLength(), 5) << "the longest line shrank";
    memo.Lines().Put(0, std::string(40, 'x'));
    EXPECT_EQ(memo.LongestLineLength(), 40);
    EXPECT_THAT(memo.Lines().LineLengths(), ElementsAre(40, 4));
}

TEST_F(MemoStringsTest, IndexErrorsCarryTheIndex) {
    memo.Lines().Add("only");
    for (int bad : {-1, 1, 7}) {
        try {
            memo.Lines().Get(bad);
            FAIL() << "Get(" << bad << ") did not raise";
        } catch (const EStringListError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "List index out of bounds (" + std::to_string(bad) + ")");
        }
        EXPECT_THROW(memo.Lines().Put(bad, "x"), EStringListError);
        EXPECT_NO_THROW(memo.Lines().Delete(bad));
        EXPECT_EQ(memo.Lines().GetObject(bad), nullptr);
        EXPECT_NO_THROW(memo.Lines().PutObject(bad, nullptr));
    }
    EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre("only"));
}

TEST_F(MemoStringsTest, ObjectsRideInTheLineRecord) {
    TObject first;
    TObject second;
    memo.Lines().AddObject("a", &first);
    memo.Lines().Insert(1, "b");
    memo.Lines().PutObject(1, &second);
    EXPECT_EQ(memo.Lines().GetObject(0), &first);
    EXPECT_EQ(memo.Lines().GetObject(1), &second);
    memo.Lines().Delete(0);
    EXPECT_EQ(memo.Lines().GetObject(0), &second);
}

TEST_F(MemoStringsTest, DeleteKeepsTheCaretOnItsLine) {
    for (const char* s : {"zero", "one", "two", "three"}) {
        memo.Lines().Add(s);
    }
    memo.SetCaretLine(2);
    memo.SetCaretColumn(3);
    changes = 0;
    memo.Lines().Delete(0);
    EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre("one", "two", "three"));
    EXPECT_EQ(memo.CurY(), 1) << "the caret line moved up with its text";
    EXPECT_EQ(memo.CurX(), 3);
    EXPECT_EQ(changes, 1);
    EXPECT_THAT(memo.Lines().LineLengths(), ElementsAre(3, 3, 5));
    ASSERT_EQ(memo.UndoList().Count(), 1);
    EXPECT_EQ(memo.UndoList().Item(0).Text, "zero");

    memo.Lines().Delete(2);  // the last line, below the caret
    EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre("one", "two"));
    EXPECT_EQ(memo.CurY(), 1);
}

TEST_F(MemoStringsTest, DeleteDoesNotPadTheLineUnderARestoredColumn) {
    memo.Lines().Add("a long first line");
    memo.Lines().Add("x");
    memo.Lines().Add("a long third line");
    memo.SetCaretLine(2);
    memo.SetCaretColumn(10);
    memo.Lines().Delete(0);
    EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre("x", "a long third line"));
    EXPECT_EQ(memo.CurX(), 10);
    EXPECT_EQ(memo.CurY(), 1);
}

TEST_F(MemoStringsTest, DeletingTheOnlyLineEmptiesIt) {
    memo.Lines().Add("solo");
    memo.SetCaretColumn(2);
    memo.Lines().Delete(0);
    EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre(""));
    EXPECT_EQ(memo.CurX(), 0);
    EXPECT_EQ(memo.CurY(), 0);
}

TEST_F(MemoStringsTest, ClearLeavesNoLinesAndResetsCaretAndSelection) {
    memo.Lines().Add("one");
    memo.Lines().Add("two");
    memo.SetCaretLine(1);
    memo.SetSelectionEnds({0, 0}, {2, 1});
    memo.SetBookmark(0, 1);
    changes = 0;
    memo.Lines().Clear();
    EXPECT_EQ(memo.Lines().Count(), 0);
    EXPECT_TRUE(memo.Lines().LineLengths().empty());
    EXPECT_EQ(memo.CurX(), 0);
    EXPECT_EQ(memo.CurY(), 0);
    EXPECT_FALSE(memo.HasSelection());
    EXPECT_EQ(changes, 1);
    memo.Lines().Clear();
    EXPECT_EQ(changes, 1) << "clearing an empty list changes nothing";
}

TEST_F(MemoStringsTest, UpdateBracketsNestAndSilenceNotifications) {
    TAdvMemoStrings& lines = memo.Lines();
    lines.BeginUpdate();
    lines.BeginUpdate();
    EXPECT_EQ(lines.UpdateLockCount(), 1) << "only the outermost bracket locks painting";
    lines.Add("a");
    lines.Put(0, "b");
    lines.EndUpdate();
    EXPECT_EQ(lines.UpdateLockCount(), 1);
    lines.EndUpdate();
    EXPECT_EQ(lines.UpdateLockCount(), 0);
    EXPECT_EQ(changes, 0) << "no notification inside a bracket, nor at its close";
    lines.Put(0, "c");
    EXPECT_EQ(changes, 1);
}

TEST_F(MemoStringsTest, NotifySwitchSilencesTheEditorButNotTheList) {
    int listChanges = 0;
    memo.Lines().Add("x");
    changes = 0;
    auto handler = memo.Lines().OnChange;
    memo.Lines().OnChange = [&](TStrings& s) {
        ++listChanges;
        handler(s);
    };
    {
        const auto quiet = memo.SuspendNotify();
        memo.Lines().Put(0, "y");
        EXPECT_EQ(listChanges, 1);
        EXPECT_EQ(changes, 0);
    }
    memo.Lines().Put(0, "z");
    EXPECT_EQ(changes, 1);
}

TEST_F(MemoStringsTest, EditsAboveTheTopLineDropTheRememberedStartState) {
    for (int i = 0; i < 10; ++i) {
        memo.Lines().Add("line");
    }
    memo.ScrollFirstVisibleLine(5);
    memo.FirstVisibleLineStartState();
    ASSERT_EQ(memo.RememberedStartStateLine(), 5);
    memo.Lines().Put(7, "below");
    EXPECT_EQ(memo.RememberedStartStateLine(), 5);
    memo.Lines().Put(4, "above");
    EXPECT_EQ(memo.RememberedStartStateLine(), TAdvCustomMemo::kNoLine);
    memo.FirstVisibleLineStartState();
    memo.Lines().Insert(2, "new");
    EXPECT_EQ(memo.RememberedStartStateLine(), TAdvCustomMemo::kNoLine);
}

TEST_F(MemoStringsTest, AssignCopiesWithoutRecordsAndResetsTheEditor) {
    memo.Lines().Add("old");
    memo.SetCaretColumn(2);
    TStringList source{"a\tb", "second"};
    changes = 0;
    memo.Lines().Assign(source);
    EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre("a    b", "second"));
    EXPECT_THAT(memo.Lines().LineLengths(), ElementsAre(6, 6));
    EXPECT_EQ(memo.Lines().LineProp(0), nullptr);
    EXPECT_EQ(memo.CurX(), 0);
    EXPECT_EQ(memo.LongestLineLength(), 6);
    EXPECT_EQ(changes, 1);
    memo.Lines().AddStrings(source);
    EXPECT_EQ(memo.Lines().Count(), 4);
}

TEST(OwnerlessMemoStrings, BehaveLikeAPlainList) {
    TAdvMemoStrings lines;
    int changes = 0;
    lines.OnChange = [&](TStrings&) { ++changes; };
    lines.Add("a\tb\rc");
    lines.Insert(0, "x\r\ny");
    EXPECT_THAT(LinesOf(lines), ElementsAre("x\r\ny", "a\tb\rc"));
    EXPECT_TRUE(lines.LineLengths().empty());
    EXPECT_EQ(changes, 2);
    lines.Delete(0);
    lines.Clear();
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(changes, 4);
}

TEST(StringList, SortedListsIgnoreDuplicatesAndFindByBisection) {
    TStringList list;
    list.SetSorted(true);
    for (const char* w : {"pear", "Apple", "fig", "apple", "Fig"}) {
        list.Add(w);
    }
    EXPECT_THAT(LinesOf(list), ElementsAre("Apple", "fig", "pear"));
    int index = -1;
    EXPECT_TRUE(list.Find("PEAR", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find("grape", index));
    EXPECT_EQ(index, 2);
    list.SetCaseSensitive(true);
    EXPECT_FALSE(list.Find("PEAR", index));
    EXPECT_TRUE(list.Find("fig", index));
}

}  // namespace
}  // namespace tarnwick::editor
