// The state at the start of a line: the scanner that follows comments from the nearest cached
// line, the cache of every twentieth line, the remembered state of the first visible line,
// and cache upkeep when the view scrolls.
#include <gmock/gmock.h>

#include "editor/control/AdvMemo.h"
#include "editor/highlight/AdvPascalMemoStyler.h"
#include "editor/support/EditorTestSupport.h"

namespace tarnwick::editor {
namespace {

using test::RecordedRun;
using test::RunRecorder;

class StartStateTest : public ::testing::Test {
  protected:
    StartStateTest() : styler(CreateAdvPascalMemoStyler1()) {
        memo.SetSyntaxStyles(styler.get());
        styler->AllStyles().Items(0).SetKeyWords(TStringList{"foo"});
        memo.Lines().Clear();
    }
    void SetText(std::initializer_list<std::string> lines) {
        memo.Lines().Clear();
        for (const auto& l : lines) {
            memo.Lines().Add(l);
        }
    }
    // The runs of the visible lines, painted the way a paint does from FirstVisibleLine.
    std::vector<std::vector<RecordedRun>> Paint(int rows) {
        std::vector<std::vector<RecordedRun>> painted;
        HighlightState state = memo.FirstVisibleLineStartState();
        memo.PrepareHighlighting();
        for (int i = memo.FirstVisibleLine(); i < memo.Lines().Count() && rows-- > 0; ++i) {
            RunRecorder recorder;
            state = memo.TokenizeLine(memo.Lines().View(i), state, recorder);
            painted.push_back(recorder.Runs);
        }
        return painted;
    }
    bool Cached(int line) {
        const TLineProp* record = memo.Lines().LineProp(line);
        return record != nullptr && record->StartStateValid;
    }

    std::unique_ptr<TAdvPascalMemoStyler> styler;
    TAdvMemo memo;
};

TEST_F(StartStateTest, AMiddleLineInsideACommentStaysUnmarkedWhenItIsTheTopLine) {
    SetText({"{ start", "foo", "end }", "foo"});
    for (int top : {0, 1}) {
        memo.ScrollFirstVisibleLine(top);
        const auto painted = Paint(10);
        const auto& middle = painted[static_cast<size_t>(1 - top)];
        ASSERT_EQ(middle.size(), 1u) << "top " << top;
        EXPECT_EQ(middle[0], (RecordedRun{"foo", test::Comment()})) << "top " << top;
        EXPECT_TRUE(painted.back().back().State.IsKeyword) << "the last foo is outside";
    }
    memo.ScrollFirstVisibleLine(3);
    EXPECT_FALSE(memo.FirstVisibleLineStartState().InComment);
}

TEST_F(StartStateTest, LineCommentsAndEmptyListsGiveAClearState) {
    SetText({"// { not a block", "foo"});
    EXPECT_EQ(memo.StartStateOfLine(1), HighlightState{});
    memo.Lines().Clear();
    EXPECT_EQ(memo.StartStateOfLine(0), HighlightState{});
    SetText({"{", "x"});
    memo.SetSyntaxStyles(nullptr);
    EXPECT_EQ(memo.StartStateOfLine(1), HighlightState{});
}

TEST_F(StartStateTest, TheScannerFollowsOnlyDelimiters) {
    // The scanner ignores keywords and numbers, and after a comment closes it drops one
    // character: both differ from tokenizing, as the rules say.
    styler->AllStyles().Items(0).SetKeyWords(TStringList{"a{b"});
    SetText({"a{b", "foo"});
    EXPECT_TRUE(memo.StartStateOfLine(1).InComment);
    RunRecorder recorder;
    memo.PrepareHighlighting();
    EXPECT_FALSE(memo.TokenizeLine("a{b", {}, recorder).InComment);

    SetText({"{}{", "x"});
    EXPECT_FALSE(memo.StartStateOfLine(1).InComment);
    EXPECT_TRUE(memo.TokenizeLine("{}{", {}, recorder).InComment);

    SetText({"{ a } b { c", "", "x } {", "y"});
    EXPECT_TRUE(memo.StartStateOfLine(1).InComment);
    EXPECT_TRUE(memo.StartStateOfLine(2).InComment) << "an empty line passes the state on";
    EXPECT_TRUE(memo.StartStateOfLine(3).InComment);
}

TEST_F(StartStateTest, CachesEveryTwentiethNonEmptyLineAndTheTarget) {
    for (int i = 0; i < 100; ++i) {
        memo.Lines().Add(i == 40 ? "" : "line");
    }
    memo.StartStateOfLine(95);
    for (int i = 0; i < 100; ++i) {
        const bool expected = i == 0 || i == 20 || i == 60 || i == 80 || i == 95;
        EXPECT_EQ(Cached(i), expected) << "line " << i;
    }
}

TEST_F(StartStateTest, ContinuesFromTheNearestCachedLine) {
    for (int i = 0; i < 60; ++i) {
        memo.Lines().Add("plain");
    }
    TLineProp& record = memo.Lines().EnsureLineProp(30);
    record.StartStateCache.InComment = true;  // as if line 30 had started inside a comment
    record.StartStateValid = true;
    EXPECT_TRUE(memo.StartStateOfLine(50).InComment);
    EXPECT_FALSE(memo.StartStateOfLine(30).InComment) << "line 30's own cache is not used";
}

TEST_F(StartStateTest, LinesWithoutRecordsAreScannedButNotCached) {
    memo.Lines().Add("{");
    for (int i = 0; i < 30; ++i) {
        memo.Lines().Insert(1, "inserted");
    }
    EXPECT_TRUE(memo.StartStateOfLine(25).InComment);
    EXPECT_FALSE(Cached(20));
    EXPECT_FALSE(Cached(25));
}

TEST_F(StartStateTest, TheTopLineStateIsRememberedUntilDropped) {
    SetText({"{", "a", "b"});
    memo.ScrollFirstVisibleLine(2);
    EXPECT_TRUE(memo.FirstVisibleLineStartState().InComment);
    EXPECT_EQ(memo.RememberedStartStateLine(), 2);
    // A change the document handling does not report keeps the remembered state.
    memo.Lines().LineProp(0);
    styler->MultiCommentLeft = "(";
    EXPECT_TRUE(memo.FirstVisibleLineStartState().InComment);
    memo.DropRememberedStartState();
    memo.InvalidateAllStartStateCaches();
    EXPECT_FALSE(memo.FirstVisibleLineStartState().InComment);
}

TEST_F(StartStateTest, ScrollingDropsTheCachesItPassesOver) {
    for (int i = 0; i < 200; ++i) {
        memo.Lines().Add("x");
    }
    memo.ScrollFirstVisibleLine(50);
    memo.StartStateOfLine(150);
    ASSERT_TRUE(Cached(40) && Cached(60) && Cached(140));
    memo.ScrollFirstVisibleLine(130);
    EXPECT_TRUE(Cached(40));
    EXPECT_FALSE(Cached(60));
    EXPECT_FALSE(Cached(120));
    EXPECT_TRUE(Cached(140));
    memo.ScrollFirstVisibleLine(10000);
    EXPECT_EQ(memo.FirstVisibleLine(), 199);
    EXPECT_FALSE(Cached(140));
}

}  // namespace
}  // namespace tarnwick::editor
