// The find/replace component: opening its window, the find, replace and replace-all actions
// behind the window's buttons, the not-found box, and forgetting a destroyed editor.
#include <gmock/gmock.h>

#include <memory>

#include "editor/find/AdvMemoFindReplace.h"
#include "editor/find/FakeReplaceDialogWindow.h"
#include "editor/support/EditingTestSupport.h"
#include "support/ScriptedPrompts.h"

namespace tarnwick::editor::test {
namespace {

using ::testing::ElementsAre;

class FindReplaceComponentTest : public EditingTest {
  protected:
    FindReplaceComponentTest() {
        auto owned = std::make_unique<FakeReplaceDialogWindow>();
        window = owned.get();
        component = std::make_unique<TAdvMemoFindReplaceDialog>(std::move(owned), &prompts);
        component->SetAdvMemo(&memo);
        component->OnReplaceDone = [this](TAdvMemoFindReplaceDialog&) { ++replaceDone; };
    }

    void Open(const std::string& find, const std::string& replace = "") {
        component->ShowDialog();
        window->findText = find;
        window->replaceText = replace;
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> boxes;
        for (const auto& shown : prompts.ShownBoxes()) {
            boxes.push_back(shown.caption + ": " + shown.text);
        }
        return boxes;
    }

    tarnwick::testing::ScriptedPrompts prompts;
    FakeReplaceDialogWindow* window = nullptr;
    std::unique_ptr<TAdvMemoFindReplaceDialog> component;
    int replaceDone = 0;
};

TEST_F(FindReplaceComponentTest, StartsWithTheSettingsOfThisProgram) {
    EXPECT_EQ(component->Options(), frDown);
    EXPECT_EQ(component->NotFoundMessage, "Text not found");
    EXPECT_TRUE(component->DisplayMessage);
    EXPECT_TRUE(component->FocusMemo);
    EXPECT_EQ(component->FindText(), "");
    EXPECT_EQ(component->ReplaceText(), "");
}

TEST_F(FindReplaceComponentTest, ShowDialogRefusesWithoutAnEditorOrWithAReadOnlyOne) {
    memo.SetReadOnly(true);
    try {
        component->ShowDialog();
        FAIL() << "no error";
    } catch (const EFindReplaceError& e) {
        EXPECT_STREQ(e.what(), "Cannot replace in read-only memo");
    }
    component->SetAdvMemo(nullptr);
    try {
        component->ShowDialog();
        FAIL() << "no error";
    } catch (const EFindReplaceError& e) {
        EXPECT_STREQ(e.what(), "No memo assigned.");
    }
    EXPECT_EQ(window->shows, 0);
}

TEST_F(FindReplaceComponentTest, OpeningFillsTheFieldsOnceAndMarksTheEditorUntilClosed) {
    int shown = 0;
    int closed = 0;
    component->OnShow = [&](TAdvMemoFindReplaceDialog&) { ++shown; };
    component->OnClose = [&](TAdvMemoFindReplaceDialog&) { ++closed; };
    window->findText = "left from before";
    component->ShowDialog();
    EXPECT_EQ(window->findText, "");
    EXPECT_TRUE(memo.FindDialogOpen());
    window->findText = "typed";
    component->ShowDialog();  // already open: to the front, the typed text stays
    EXPECT_EQ(window->shows, 2);
    EXPECT_EQ(window->findText, "typed");
    EXPECT_EQ(component->FindText(), "typed");
    EXPECT_EQ(shown, 1);
    window->CancelButton();
    EXPECT_FALSE(memo.FindDialogOpen());
    EXPECT_EQ(closed, 1);
    component->ShowDialog();
    EXPECT_EQ(window->findText, "");
    EXPECT_EQ(shown, 2);
}

TEST_F(FindReplaceComponentTest, FindNextSelectsTheMatchAndFocusesTheEditor) {
    SetText({"one two", "two"});
    Open("TWO");
    window->FindNextButton();
    EXPECT_EQ(memo.SelectedText(), "two");
    EXPECT_EQ(CaretPos(), (TTextPos{4, 0}));
    EXPECT_EQ(window->focusRequests, 1);
    window->FindNextButton();
    EXPECT_EQ(CaretPos(), (TTextPos{0, 1}));
    component->FocusMemo = false;
    Caret(0, 0);
    window->FindNextButton();
    EXPECT_EQ(window->focusRequests, 2);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(replaceDone, 0);
}

TEST_F(FindReplaceComponentTest, NotFoundShowsTheBoxAndCollapsesTheSelectionAtTheStart) {
    SetText({"abc", "abc"});
    Open("zzz");
    Caret(1, 1);
    window->FindNextButton();
    EXPECT_THAT(Boxes(), ElementsAre("Information: Text not found"));
    EXPECT_EQ(replaceDone, 1);
    EXPECT_EQ(CaretPos(), (TTextPos{1, 1}));
    EXPECT_EQ(memo.SelectionAnchor(), (TTextPos{0, 0}));
    EXPECT_EQ(memo.SelectionActiveEnd(), (TTextPos{0, 0}));
    EXPECT_TRUE(window->IsOpen());
    EXPECT_EQ(window->focusRequests, 0);

    component->NotFoundMessage = "No %s here, %s";
    window->FindNextButton();
    component->DisplayMessage = false;
    window->FindNextButton();
    EXPECT_THAT(Boxes(),
                ElementsAre("Information: Text not found", "Information: No zzz here, zzz"));
    EXPECT_EQ(replaceDone, 3);
}

TEST_F(FindReplaceComponentTest, ReplaceAlternatesBetweenFindingAndReplacing) {
    SetText({"cat cat"});
    Open("cat", "dog");
    window->ReplaceButton();  // finds
    EXPECT_THAT(Text(), ElementsAre("cat cat"));
    EXPECT_EQ(memo.SelectedText(), "cat");
    window->ReplaceButton();  // replaces
    EXPECT_THAT(Text(), ElementsAre("dog cat"));
    EXPECT_FALSE(memo.HasSelection());
    window->ReplaceButton();
    window->ReplaceButton();
    EXPECT_THAT(Text(), ElementsAre("dog dog"));
    EXPECT_EQ(component->ReplaceCount(), 2);
    window->ReplaceButton();  // nothing left
    EXPECT_THAT(Boxes(), ElementsAre("Information: Text not found"));
    EXPECT_EQ(replaceDone, 5);
}

TEST_F(FindReplaceComponentTest, ReplaceReplacesASelectionThatIsNoMatch) {
    SetText({"hello world"});
    Open("xyz", "there");
    Select({6, 0}, {11, 0});
    window->ReplaceButton();
    EXPECT_THAT(Text(), ElementsAre("hello there"));
    EXPECT_EQ(component->ReplaceCount(), 1);
}

TEST_F(FindReplaceComponentTest, ReplaceAllPutsTheCaretBackAndShowsNoMessage) {
    SetText({"aaa", "b a"});
    Open("a", "aa");
    Caret(1, 1);
    window->ReplaceAllButton();
    EXPECT_THAT(Text(), ElementsAre("aaaaaa", "b aa"));
    EXPECT_EQ(component->ReplaceCount(), 4);
    EXPECT_EQ(CaretPos(), (TTextPos{1, 1}));
    EXPECT_EQ(replaceDone, 1);

    window->findText = "nowhere";
    window->ReplaceAllButton();
    EXPECT_EQ(component->ReplaceCount(), 0);
    window->findText = "";
    window->ReplaceAllButton();
    EXPECT_EQ(component->ReplaceCount(), 0);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(replaceDone, 3);
}

TEST_F(FindReplaceComponentTest, OneUndoTakesBackAWholeReplaceAllAndOneRedoDoesItAgain) {
    // Far more replacements than the undo list holds records, over lines that grow, shrink
    // and join matches from a replacement that contains the search text.
    std::vector<std::string> lines;
    for (int i = 0; i < 300; ++i) {
        lines.push_back("line " + std::to_string(i) + " eee\tend e");
    }
    lines.push_back("");
    lines.push_back("no match here? none");
    SetText(lines);
    memo.SetTextAreaCells(20, 5);
    const std::vector<std::string> before = Text();
    const struct {
        const char* find;
        const char* replace;
    } cases[] = {{"e", "ee"}, {"e", ""}, {"line", "l\r\nx"}, {"E", "X"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.find) + " -> " + c.replace);
        Caret(2, 7);
        Open(c.find, c.replace);
        window->ReplaceAllButton();
        ASSERT_GT(component->ReplaceCount(), TAdvUndoList::kMaxCapacity);
        const std::vector<std::string> after = Text();
        ASSERT_NE(after, before);

        memo.Undo();
        EXPECT_EQ(Text(), before);
        EXPECT_EQ(CaretPos(), (TTextPos{2, 7}));
        EXPECT_FALSE(memo.HasSelection());
        EXPECT_FALSE(memo.UndoList().CanUndo());
        memo.Redo();
        EXPECT_EQ(Text(), after);
        memo.Undo();
        EXPECT_EQ(Text(), before);
    }
}

TEST_F(FindReplaceComponentTest, AReplaceAllWithoutMatchesLeavesNothingToUndo) {
    SetText({"abc"});
    Type("x");
    Open("nowhere", "y");
    window->ReplaceAllButton();
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("abc"));
    EXPECT_FALSE(memo.UndoList().CanUndo());
}

TEST_F(FindReplaceComponentTest, ReplaceAllKeepsToTheWindowsOptions) {
    SetText({"Cat cat category"});
    Open("cat", "dog");
    window->options = frDown | frMatchCase;
    window->ReplaceAllButton();
    EXPECT_THAT(Text(), ElementsAre("Cat dog dogegory"));
    SetText({"Cat cat category"});
    window->options = frDown | frWholeWord;
    window->ReplaceAllButton();
    EXPECT_THAT(Text(), ElementsAre("dog dog category"));
}

TEST_F(FindReplaceComponentTest, ShowDialogResetsTheReplacementCount) {
    SetText({"x x"});
    Open("x", "y");
    window->ReplaceAllButton();
    EXPECT_EQ(component->ReplaceCount(), 2);
    component->ShowDialog();
    EXPECT_EQ(component->ReplaceCount(), 0);
}

TEST_F(FindReplaceComponentTest, AnEditorTurnedReadOnlyWhileOpenIsNotChanged) {
    SetText({"abc"});
    Open("b", "xx");
    memo.SetReadOnly(true);
    window->ReplaceAllButton();
    Select({0, 0}, {1, 0});
    window->ReplaceButton();
    EXPECT_THAT(Text(), ElementsAre("abc"));
}

TEST(FindReplaceComponentLifetime, ForgetsAnEditorThatIsDestroyed) {
    auto owned = std::make_unique<FakeReplaceDialogWindow>();
    FakeReplaceDialogWindow* window = owned.get();
    TAdvMemoFindReplaceDialog component(std::move(owned), nullptr);
    {
        TAdvMemo memo;
        component.SetAdvMemo(&memo);
        component.ShowDialog();
    }
    EXPECT_EQ(component.AdvMemo(), nullptr);
    window->findText = "x";
    window->FindNextButton();  // does nothing, and nothing breaks
    window->CancelButton();
    EXPECT_THROW(component.ShowDialog(), EFindReplaceError);
}

TEST(FindReplaceComponentLifetime, OnlyComponentsStillAliveAreTold) {
    TAdvMemoFindReplaceDialog survivor(std::make_unique<FakeReplaceDialogWindow>(), nullptr);
    {
        TAdvMemo memo;
        survivor.SetAdvMemo(&memo);
        {
            TAdvMemoFindReplaceDialog gone(std::make_unique<FakeReplaceDialogWindow>(), nullptr);
            gone.SetAdvMemo(&memo);
        }
        survivor.SetAdvMemo(&memo);  // set twice: told once
    }
    EXPECT_EQ(survivor.AdvMemo(), nullptr);
}

}  // namespace
}  // namespace tarnwick::editor::test
