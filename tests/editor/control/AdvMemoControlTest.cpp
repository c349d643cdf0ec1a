// The control as one object: its entry points, the switches that must come back on by
// themselves when an exception passes, and the list reporting to the editor.
#include <gtest/gtest.h>

#include <stdexcept>

#include "editor/control/AdvMemo.h"
#include "editor/document/StringList.h"

namespace tarnwick::editor {
namespace {

// A source list whose third line cannot be read.
class TBrokenSource final : public TStringList {
  public:
    std::string Get(int index) const override {
        if (index == 2) {
            throw std::runtime_error("unreadable");
        }
        return TStringList::Get(index);
    }
};

class ControlTest : public ::testing::Test {
  protected:
    ControlTest() {
        memo.SetTextAreaCells(40, 10);
        memo.Lines().Clear();
    }
    void AddLines(int n) {
        for (int i = 0; i < n; ++i) {
            memo.Lines().Add("line " + std::to_string(i));
        }
    }
    TAdvMemo memo;
};

TEST_F(ControlTest, TheNotifySwitchComesBackOnWhenAnExceptionLeavesAQuietStep) {
    memo.Lines().Add("abc   ");
    memo.Lines().Add("x");
    memo.SetTrimTrailingSpaces(true);
    auto handler = memo.Lines().OnChange;
    memo.Lines().OnChange = [](TStrings&) { throw std::runtime_error("handler failed"); };
    // Leaving line 0 trims it with the switch off; the failing handler throws out of that.
    EXPECT_THROW(memo.SetCaretLine(1), std::runtime_error);
    EXPECT_TRUE(memo.NotifyEnabled());
    memo.Lines().OnChange = handler;
    int changes = 0;
    memo.OnChange = [&](TAdvCustomMemo&) { ++changes; };
    memo.Lines().Put(1, "y");
    EXPECT_EQ(changes, 1);
}

TEST_F(ControlTest, AFailedBulkCopyLeavesNoUpdateBracketOpenAndLinesGetRecordsAgain) {
    TBrokenSource source;
    for (const char* line : {"a", "b", "c", "d"}) {
        source.Add(line);
    }
    EXPECT_THROW(memo.Lines().Assign(source), std::runtime_error);
    EXPECT_EQ(memo.Lines().UpdateLockCount(), 0);
    EXPECT_EQ(memo.Lines().UpdateCount(), 0);
    const int index = memo.Lines().Add("after");
    EXPECT_NE(memo.Lines().LineProp(index), nullptr) << "the no-record flag stayed set";
}

TEST_F(ControlTest, TheReplayScopeEndsWithItsScopeAlsoOnAnException) {
    try {
        const auto replay = memo.UndoList().ReplayScope();
        EXPECT_TRUE(memo.UndoList().Replaying());
        EXPECT_FALSE(memo.EditSettings().AutoIndent);
        throw std::runtime_error("replay failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(memo.UndoList().Replaying());
    EXPECT_TRUE(memo.EditSettings().AutoIndent);
    memo.Lines().Add("x");
    memo.Lines().Add("y");
    memo.DeleteCaretLine();
    EXPECT_EQ(memo.UndoList().Count(), 1);
}

TEST_F(ControlTest, DeletingThroughTheListIsTheEditorsLineRemovalWithOneUndoRecord) {
    AddLines(5);
    memo.SetCaretLine(3);
    memo.SetCaretColumn(2);
    memo.Lines().Delete(1);
    EXPECT_EQ(memo.Lines().Count(), 4);
    EXPECT_EQ(memo.Lines().Get(1), "line 2");
    EXPECT_EQ(memo.Lines().LineLengths().size(), 4u);
    EXPECT_EQ(memo.CurY(), 2);  // the caret stays on its text
    EXPECT_EQ(memo.CurX(), 2);
    ASSERT_EQ(memo.UndoList().Count(), 1);
    EXPECT_EQ(memo.UndoList().Item(0).Text, "line 1");
    // The editor's own removal does not come back into the routed path.
    memo.Lines().RemoveLine(0);
    EXPECT_EQ(memo.Lines().Count(), 3);
    EXPECT_EQ(memo.UndoList().Count(), 1);
}

struct WheelCase {
    std::vector<int> deltas;
    int firstLine;
};

TEST_F(ControlTest, WheelTurnsAddUpToWholeNotchesOfFourLines) {
    const std::vector<WheelCase> cases = {
        {{-120}, 4},     {{-240}, 8},          {{-60}, 0}, {{-60, -60}, 4},
        {{-90, -90}, 4}, {{-120, 60, -60}, 4}, {{-30}, 0}, {{-480, 120}, 12},
    };
    for (const WheelCase& c : cases) {
        TAdvMemo fresh;
        fresh.SetTextAreaCells(40, 10);
        for (int i = 0; i < 100; ++i) {
            fresh.Lines().Add("x");
        }
        for (int delta : c.deltas) {
            EXPECT_TRUE(fresh.MouseWheel(delta, 0));
        }
        EXPECT_EQ(fresh.FirstVisibleLine(), c.firstLine) << ::testing::PrintToString(c.deltas);
    }
}

TEST_F(ControlTest, FocusIsTheControlsOwnStateAndRepaints) {
    EXPECT_FALSE(memo.Focused());
    const int before = memo.InvalidateCount();
    memo.FocusGained();
    EXPECT_TRUE(memo.Focused());
    EXPECT_GT(memo.InvalidateCount(), before);
    memo.FocusLost();
    EXPECT_FALSE(memo.Focused());
}

TEST_F(ControlTest, KeysOfTheTableAreHandledAndOthersLeftToTheHost) {
    AddLines(3);
    EXPECT_TRUE(memo.KeyDown(vkDown, 0));
    EXPECT_EQ(memo.CurY(), 1);
    EXPECT_FALSE(memo.KeyDown(vkF1 + 4, 0));
    EXPECT_FALSE(memo.KeyDown('Q', ssAlt));
    EXPECT_TRUE(memo.KeyPress("a"));
    EXPECT_EQ(memo.Lines().Get(1), "aline 1");
    EXPECT_TRUE(memo.KeyUp(vkDown, 0));
}

}  // namespace
}  // namespace tarnwick::editor
