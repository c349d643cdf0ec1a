// The completion list, the parameter hint and auto-correction of the editor, driven through
// the calls the key handling makes, with fake timers for the two delays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/completion/AdvMemoCompletion.h"
#include "editor/support/AdvMemoPaintTestSupport.h"
#include "support/FakeTimer.h"

namespace tarnwick::editor::test {
namespace {

class CompletionTest : public PaintFixture {
  protected:
    CompletionTest() { aids.SetTimers(&delay, &hide); }
    // Types text into the editor as the character input does.
    void Type(const std::string& text) {
        for (char c : text) {
            aids.KeyDownSeen();
            memo.TypeCharacter(static_cast<unsigned char>(c));
            aids.CharacterTyped(static_cast<unsigned char>(c));
        }
    }
    std::vector<std::string> Shown() const {
        std::vector<std::string> items;
        for (int i = 0; aids.VisibleItem(i) != nullptr; ++i) {
            items.push_back(aids.VisibleItem(i)->Entry);
        }
        return items;
    }
    std::string Line(int i = 0) const { return memo.Lines().Get(i); }

    TAdvMemoCompletion& aids = memo.Completion();
    tarnwick::testing::FakeTimer delay;
    tarnwick::testing::FakeTimer hide;
};

using Items = std::vector<std::string>;

TEST_F(CompletionTest, ShowThenCtrlSpaceOffersShowMessageAndEnterReplacesTheWord) {
    Type("Show");
    aids.OpenByKey();
    ASSERT_TRUE(aids.ListVisible());
    EXPECT_EQ(Shown(), Items{"ShowMessage"});
    EXPECT_EQ(aids.SelectedIndex(), 0);
    // The gutter's 45 pixels and four cells across, one line down and 2 pixels more: from the
    // client origin, not from the text area's inset and indent.
    EXPECT_EQ(aids.ListPosition().X, 45 + 4 * kCw);
    EXPECT_EQ(aids.ListPosition().Y, 1 * kLh + 2);
    aids.ListCharacter(TAdvMemoCompletion::kEnter);
    EXPECT_FALSE(aids.ListVisible());
    EXPECT_EQ(Line(), "ShowMessage");
    EXPECT_EQ(memo.CurX(), 11);
    EXPECT_FALSE(memo.HasSelection());
}

TEST_F(CompletionTest, ListAndHintStandAtTheCaretCountedFromTheClientOrigin) {
    // Scrolled by 5 lines and 3 columns, the caret on line 7: the list stands at the gutter
    // width + 7 cells, (7 - 5 + 1) lines + 2 pixels down; the hint at its own caret cell,
    // (7 - 5 + 1) lines down.
    memo.Lines().Add(std::string(100, 'x'));  // wider than the view: it scrolls sideways
    for (int i = 0; i < 12; ++i) {
        memo.Lines().Add("");
    }
    view.UpdateScrollBars();
    memo.SetCaretLine(7);
    memo.SetCaretColumn(6);
    memo.SetFirstVisibleLine(5);
    memo.SetFirstVisibleColumn(3);
    Type("Show");
    aids.OpenByKey();
    ASSERT_TRUE(aids.ListVisible());
    EXPECT_EQ(aids.ListPosition(), (TTextPos{45 + (10 - 3) * kCw, (7 - 5 + 1) * kLh + 2}));
    aids.ListCharacter(TAdvMemoCompletion::kEscape);
    Type("Message(");
    ASSERT_TRUE(aids.HintVisible());
    EXPECT_EQ(aids.HintPosition(), (TTextPos{45 + (18 - 3) * kCw, (7 - 5 + 1) * kLh}));
}

TEST_F(CompletionTest, CtrlSpaceOnAnEmptyLineListsBothEntriesInStylerOrder) {
    aids.OpenByKey();
    EXPECT_EQ(Shown(), (Items{"ShowMessage", "MessageDlg"}));
    EXPECT_EQ(aids.Candidates()[1].Kind, ckIdentifier);
    EXPECT_FALSE(aids.StartedByToken());
    EXPECT_EQ(Line(), "");
}

TEST_F(CompletionTest, NothingOpensWhenInactiveReadOnlyOrWithoutCandidates) {
    Type("Zap");
    aids.OpenByKey();
    EXPECT_FALSE(aids.ListVisible());
    memo.Lines().Put(0, "");
    memo.SetCaretColumn(0);
    memo.SetReadOnly(true);
    aids.OpenByKey();
    EXPECT_FALSE(aids.ListVisible());
    memo.SetReadOnly(false);
    aids.AutoCompletion.Active = false;
    aids.OpenByKey();
    EXPECT_FALSE(aids.ListVisible());
    aids.AutoCompletion.Active = true;
    bool asked = false;
    aids.OnBeforeAutoCompletion = [&](std::string& token, bool& show) {
        asked = token.empty();
        show = false;
    };
    aids.OpenByKey();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(aids.ListVisible());
}

TEST_F(CompletionTest, XDotWaitsTheDelayAndOpensNothing) {
    Type("x.");
    ASSERT_TRUE(delay.Active());
    EXPECT_EQ(delay.Remaining(), 500);
    delay.Elapse(499);
    EXPECT_TRUE(delay.Active());
    delay.Elapse(1);
    EXPECT_FALSE(aids.ListVisible());
}

TEST_F(CompletionTest, DelayedOpeningAfterAClassDotAndAKeyDownStoppingIt) {
    styler->AutoCompletion.Add("Sys.ShowMessage");
    Type("Sys.");
    aids.KeyDownSeen();
    delay.Elapse(500);
    EXPECT_FALSE(aids.ListVisible());
    Type("x");
    memo.DeleteBackward();
    memo.DeleteBackward();
    Type(".");
    delay.Elapse(500);
    ASSERT_TRUE(aids.ListVisible());
    EXPECT_TRUE(aids.StartedByToken());
    EXPECT_EQ(aids.StartPoint(), (TTextPos{4, 0}));
    EXPECT_EQ(Shown(), Items{"Sys.ShowMessage"});
    aids.ListCharacter(U' ');
    EXPECT_EQ(Line(), "Sys.ShowMessage");
}

TEST_F(CompletionTest, EscTabAndOtherCharactersCloseWithoutInserting) {
    int cancels = 0;
    aids.OnCancelAutoCompletion = [&] { ++cancels; };
    for (char32_t key : {TAdvMemoCompletion::kEscape, TAdvMemoCompletion::kTab, U'+'}) {
        aids.OpenByKey();
        ASSERT_TRUE(aids.ListVisible());
        aids.ListCharacter(key);
        EXPECT_FALSE(aids.ListVisible());
        EXPECT_EQ(Line(), "");
    }
    EXPECT_EQ(cancels, 1);  // only the other character cancels
}

TEST_F(CompletionTest, TypingInTheListFiltersAndBackspaceWidensAgain) {
    aids.OpenByKey();
    aids.ListCharacter(U'm');
    EXPECT_EQ(Line(), "m");
    EXPECT_EQ(Shown(), Items{"MessageDlg"});
    aids.ListCharacter(U'x');
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(aids.SelectedIndex(), -1);
    aids.ListCharacter(TAdvMemoCompletion::kEnter);  // nothing selected: nothing inserted
    EXPECT_EQ(Line(), "mx");
    aids.ListCharacter(TAdvMemoCompletion::kBackspace);
    aids.ListCharacter(TAdvMemoCompletion::kBackspace);
    EXPECT_EQ(Line(), "");
    EXPECT_EQ(Shown(), (Items{"ShowMessage", "MessageDlg"}));
    aids.SetSelectedIndex(1);
    aids.ListCharacter(TAdvMemoCompletion::kEnter);
    EXPECT_EQ(Line(), "MessageDlg");
}

TEST_F(CompletionTest, KeyboardFormAddsParenthesesAndTheMouseFormDoesNot) {
    styler->AutoCompletion.Clear();
    styler->AutoCompletion.AddObject("procedure Beep(Count: Integer)",
                                     CompletionKindObject(ckProcedure));
    Type("x Be");
    aids.OpenByKey();
    ASSERT_EQ(Shown(), Items{"procedure Beep(Count: Integer)"});
    EXPECT_EQ(aids.Candidates()[0].Kind, ckProcedure);
    aids.ListCharacter(TAdvMemoCompletion::kEnter);
    EXPECT_EQ(Line(), "x Beep()");
    EXPECT_EQ(memo.CurX(), 7);

    memo.Lines().Put(0, "x Be(y)");
    memo.SetCaretColumn(3);
    aids.OpenByKey();
    aids.ListDoubleClick();
    EXPECT_EQ(Line(), "x Beep(y)");
    EXPECT_FALSE(aids.ListVisible());
}

TEST_F(CompletionTest, ChangedEntryIsInsertedAsItIs) {
    aids.OnInsertAutoCompletionEntry = [](std::string& entry) { entry = "Hello World"; };
    Type("Show");
    aids.OpenByKey();
    aids.ListCharacter(TAdvMemoCompletion::kEnter);
    EXPECT_EQ(Line(), "Hello World");
}

TEST_F(CompletionTest, ShowMessageHintIsAllBoldAndHidesAfterTheDelayOrOffTheLine) {
    memo.Lines().Add("next");
    Type("ShowMessage(");
    ASSERT_TRUE(aids.HintVisible());
    EXPECT_EQ(aids.Hint().Before, "");
    EXPECT_EQ(aids.Hint().Current, "const Msg: string");
    EXPECT_EQ(aids.HintPosition().X, 45 + 12 * kCw);
    EXPECT_EQ(aids.HintPosition().Y, 1 * kLh);
    EXPECT_EQ(hide.Remaining(), 2500);
    hide.Elapse(2500);
    EXPECT_FALSE(aids.HintVisible());
    memo.SetCaretColumn(11);
    memo.SetCaretColumn(12);
    ASSERT_TRUE(aids.HintVisible());
    memo.SetCaretLine(1);
    EXPECT_FALSE(aids.HintVisible());
}

TEST_F(CompletionTest, MessageDlgHintBoldsTheSecondParameter) {
    Type("MessageDlg('a',");
    ASSERT_TRUE(aids.HintVisible());
    EXPECT_EQ(aids.Hint().Before, "const Msg: string;");
    EXPECT_EQ(aids.Hint().Current, " DlgType: TMsgDlgType;");
    EXPECT_EQ(aids.Hint().After, " Buttons: TMsgDlgButtons; HelpCtx: Longint");
}

TEST_F(CompletionTest, EveryScrollOfTheViewHidesAShownHint) {
    // Enough lines and width for both bars to move.
    memo.Lines().Clear();
    for (int i = 0; i < 60; ++i) {
        memo.Lines().Add(std::string(120, 'w'));
    }
    memo.Lines().Put(0, "");
    view.UpdateScrollBars();
    struct Action {
        const char* Name;
        bool Vertical;
        TScrollCode Code;
        int Track;
        int Wheel;  // a wheel turn instead of a bar action when not 0
        bool Hides;
    };
    const Action actions[] = {
        {"line down", true, TScrollCode::LineDown, 0, 0, true},
        {"page down", true, TScrollCode::PageDown, 0, 0, true},
        {"thumb", true, TScrollCode::ThumbTrack, 7, 0, true},
        {"column right", false, TScrollCode::LineDown, 0, 0, true},
        {"column thumb", false, TScrollCode::ThumbTrack, 9, 0, true},
        {"wheel down", true, TScrollCode::LineDown, 0, -TAdvCustomMemo::kWheelDelta, true},
        {"wheel up at the top", true, TScrollCode::LineDown, 0, TAdvCustomMemo::kWheelDelta, false},
        {"part of a notch", true, TScrollCode::LineDown, 0, -TAdvCustomMemo::kWheelDelta / 2,
         false},
    };
    for (const Action& a : actions) {
        memo.SetFirstVisibleLine(0);
        memo.SetFirstVisibleColumn(0);
        memo.Lines().Put(0, "");
        memo.SetCaretLine(0);
        memo.SetCaretColumn(0);
        Type("ShowMessage(");
        ASSERT_TRUE(aids.HintVisible()) << a.Name;
        int changes = 0;
        aids.OnHintChanged = [&] { ++changes; };
        if (a.Wheel != 0) {
            memo.MouseWheel(a.Wheel, {});
        } else if (a.Vertical) {
            view.VerticalScroll(a.Code, a.Track);
        } else {
            view.HorizontalScroll(a.Code, a.Track);
        }
        EXPECT_EQ(aids.HintVisible(), !a.Hides) << a.Name;
        EXPECT_EQ(changes, a.Hides ? 1 : 0) << a.Name;  // the host's window follows
        EXPECT_EQ(hide.Active(), !a.Hides) << a.Name;
        aids.OnHintChanged = nullptr;
    }
}

TEST_F(CompletionTest, NoHintPastAClosingParenthesisOrAfterCtrlKeys) {
    Type("ShowMessage(x) ");
    EXPECT_FALSE(aids.HintVisible());
    memo.Lines().Put(0, "ShowMessage(");
    aids.LastKeyWithoutCtrl = false;
    memo.SetCaretColumn(12);
    EXPECT_FALSE(aids.HintVisible());
    aids.RefreshParameterHint();  // Ctrl+Shift+Space
    EXPECT_TRUE(aids.HintVisible());
}

TEST_F(CompletionTest, WordCompletionReplacesTheWordBeforeTheCaret) {
    Type("teh");
    aids.WordComplete();  // no replacements configured: nothing happens
    EXPECT_EQ(Line(), "teh");
    aids.AutoCorrect.OldValue.Add("teh");
    aids.AutoCorrect.NewValue.Add("the");
    aids.AutoCorrect.OldValue.Add("btw");
    aids.AutoCorrect.NewValue.Add("by the way");
    aids.AutoCorrect.OldValue.Add("orphan");  // no replacement of its own: kept
    int changes = 0;
    memo.OnChange = [&](TAdvCustomMemo&) { ++changes; };
    aids.WordComplete();
    EXPECT_EQ(Line(), "the");
    EXPECT_EQ(memo.CurX(), 3);
    EXPECT_EQ(changes, 1);
    Type(" btw");
    aids.WordComplete();
    EXPECT_EQ(Line(), "the by the way");
    EXPECT_EQ(memo.CurX(), 14);
    Type(" Teh orphan");
    aids.WordComplete();
    EXPECT_EQ(Line(), "the by the way Teh orphan");
    std::string seen;
    aids.OnWordComplete = [&](const std::string& word, std::string& replacement) {
        seen = word;
        replacement = "Teh";
    };
    memo.SetCaretColumn(18);
    aids.WordComplete();
    EXPECT_EQ(seen, "Teh");
    EXPECT_EQ(Line(), "the by the way Teh orphan");
    EXPECT_TRUE(TAdvMemoCompletion::IsWordCompleteChar(U'['));
    EXPECT_FALSE(TAdvMemoCompletion::IsWordCompleteChar(U'a'));
}

}  // namespace
}  // namespace tarnwick::editor::test

namespace tarnwick::editor::test {
namespace {

// The same aids reached through the control's key entry points, as the editor pane sends them.
class CompletionKeysTest : public CompletionTest {
  protected:
    void Key(TKey key, TShiftState shift = 0) { memo.KeyDown(key, shift); }
    void Text(const std::string& text) {
        for (char c : text) {
            memo.KeyDown(vkNone, 0);
            memo.KeyPress(std::string(1, c));
        }
    }
};

TEST_F(CompletionKeysTest, CtrlSpaceOpensTheListAndItsSpaceIsNotTyped) {
    Text("Show");
    Key(vkSpace, ssCtrl);
    memo.KeyPress(" ");  // the space the key also produces
    EXPECT_TRUE(aids.ListVisible());
    EXPECT_EQ(Shown(), Items{"ShowMessage"});
    EXPECT_EQ(Line(), "Show");
}

TEST_F(CompletionKeysTest, AStartTokenTypedArmsTheDelayedOpening) {
    Text("x(");
    EXPECT_FALSE(aids.ListVisible());
    EXPECT_TRUE(delay.Active());
    Key(vkLeft);  // any key down stops the delay
    EXPECT_FALSE(delay.Active());
}

TEST_F(CompletionKeysTest, TypingACallShowsItsHintAndCtrlShiftSpaceRefreshesIt) {
    Text("ShowMessage(");
    EXPECT_TRUE(aids.HintVisible());
    aids.HideHint();
    Key(vkSpace, ssCtrl | ssShift);
    EXPECT_TRUE(aids.HintVisible());
    memo.FocusLost();
    EXPECT_FALSE(aids.HintVisible());
}

TEST_F(CompletionKeysTest, KeysThatScrollTheViewHideAShownHintAsTheWheelDoes) {
    // Every line but two holds an open call, so the hint shows wherever the caret lands.
    memo.Lines().Clear();
    for (int i = 0; i < 60; ++i) {
        memo.Lines().Add(i == 3 || i == 15 ? "" : "ShowMessage(x");
    }
    view.UpdateScrollBars();
    struct Case {
        const char* Name;
        TKey Key;
        TShiftState Shift;
        int Top;  // the top line and the caret line before the key
        int Caret;
        bool Hides;
    };
    const Case cases[] = {
        {"ctrl down", vkDown, ssCtrl, 0, 4, true},
        {"ctrl up", vkUp, ssCtrl, 20, 24, true},
        // The caret lands inside a call again, but the view then moves on by the page.
        {"page down", vkNext, 0, 0, 4, true},
        {"page up", vkPrior, 0, 20, 24, true},
        {"ctrl up at the top", vkUp, ssCtrl, 0, 4, false},
        {"down inside the view", vkDown, 0, 0, 4, false},
    };
    for (const Case& c : cases) {
        memo.SetFirstVisibleLine(c.Top);
        memo.SetCaretLine(c.Caret);
        memo.SetCaretColumn(12);
        aids.RefreshParameterHint();
        ASSERT_TRUE(aids.HintVisible()) << c.Name;
        const int top = memo.FirstVisibleLine();
        Key(c.Key, c.Shift);
        ASSERT_EQ(memo.FirstVisibleLine() != top, c.Hides) << c.Name << ": the view scrolled";
        EXPECT_EQ(aids.HintVisible(), !c.Hides) << c.Name;
        EXPECT_EQ(hide.Active(), !c.Hides) << c.Name;
        if (!c.Hides) {
            // A hint that stays stands under the caret's line of the unmoved view.
            EXPECT_EQ(aids.HintPosition().Y, (memo.CurY() - top + 1) * kLh) << c.Name;
        }
        aids.HideHint();
    }
}

}  // namespace
}  // namespace tarnwick::editor::test
