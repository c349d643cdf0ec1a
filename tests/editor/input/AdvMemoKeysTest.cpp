// The editor's keyboard: the key table and the command dispatcher with and without ReadOnly,
// undo and redo keys, character input (UTF-8, controls, the step order), key up and the caret
// blink state.
#include <gtest/gtest.h>

#include <optional>

#include "editor/completion/AdvMemoCompletion.h"
#include "editor/input/KeyClaims.h"
#include "editor/support/InputTestSupport.h"

namespace tarnwick::editor::test {
namespace {

struct Stroke {
    TKey Key;
    TShiftState Shift;
    const char* Chars;  // what the key types, nullptr for nothing
};

struct KeyCase {
    const char* Name;
    std::vector<std::string> Text;
    TTextPos Caret;
    std::optional<TTextPos> SelectTo;  // selection from Caret to here
    std::vector<Stroke> Keys;
    std::vector<std::string> Writable;     // the lines afterwards
    std::vector<std::string> ReadOnly;     // the lines afterwards with ReadOnly on
    std::optional<std::string> Clipboard;  // the clipboard afterwards
};

class KeysTest : public InputTest {};

TEST_F(KeysTest, KeyTableAndDispatcherWithAndWithoutReadOnly) {
    const std::vector<std::string> abc{"abc"};
    const std::vector<KeyCase> cases{
        {"Backspace", abc, {2, 0}, {}, {{vkBack, 0, "\b"}}, {"ac"}, abc, {}},
        {"Delete", abc, {1, 0}, {}, {{vkDelete, 0, nullptr}}, {"ac"}, abc, {}},
        {"Delete with selection",
         abc,
         {0, 0},
         TTextPos{2, 0},
         {{vkDelete, 0, nullptr}},
         {"c"},
         abc,
         {}},
        {"Enter", abc, {1, 0}, {}, {{vkReturn, 0, "\r"}}, {"a", "bc"}, abc, {}},
        {"Enter replaces selection",
         abc,
         {1, 0},
         TTextPos{2, 0},
         {{vkReturn, 0, "\r"}},
         {"a", "c"},
         abc,
         {}},
        {"typing", abc, {1, 0}, {}, {{'X', ssShift, "X"}}, {"aXbc"}, abc, {}},
        {"typing replaces selection",
         abc,
         {0, 0},
         TTextPos{2, 0},
         {{'Q', 0, "q"}},
         {"qc"},
         abc,
         {}},
        {"Tab", {"ab"}, {1, 0}, {}, {{vkTab, 0, "\t"}}, {"a    b"}, {"ab"}, {}},
        {"Tab indents selected lines",
         {"a", "b"},
         {0, 0},
         TTextPos{1, 1},
         {{vkTab, 0, "\t"}},
         {"    a", "    b"},
         {"a", "b"},
         {}},
        {"Shift+Tab unindents",
         {"  a", "      b"},
         {0, 0},
         TTextPos{1, 1},
         {{vkTab, ssShift, nullptr}},
         {"a", "  b"},
         {"  a", "      b"},
         {}},
        {"Ctrl+Backspace",
         {"foo bar"},
         {7, 0},
         {},
         {{vkBack, ssCtrl, "\x7f"}},
         {"foo "},
         {"foo bar"},
         {}},
        {"Ctrl+X cuts",
         abc,
         {0, 0},
         TTextPos{2, 0},
         {{'X', ssCtrl, "\x18"}},
         {"c"},
         abc,
         std::string("ab")},
        {"Shift+Delete cuts",
         abc,
         {1, 0},
         TTextPos{3, 0},
         {{vkDelete, ssShift, nullptr}},
         {"a"},
         abc,
         std::string("bc")},
        {"Ctrl+C copies",
         abc,
         {0, 0},
         TTextPos{2, 0},
         {{'C', ssCtrl, "\x03"}},
         abc,
         abc,
         std::string("ab")},
        {"Ctrl+C without a selection keeps the clipboard",
         abc,
         {1, 0},
         {},
         {{'C', ssCtrl, "\x03"}},
         abc,
         abc,
         std::string("clip")},
        {"Ctrl+X without a selection keeps the clipboard",
         abc,
         {1, 0},
         {},
         {{'X', ssCtrl, "\x18"}},
         abc,
         abc,
         std::string("clip")},
        {"Ctrl+Insert copies",
         abc,
         {1, 0},
         TTextPos{3, 0},
         {{vkInsert, ssCtrl, nullptr}},
         abc,
         abc,
         std::string("bc")},
        {"Ctrl+V pastes",
         abc,
         {1, 0},
         {},
         {{'V', ssCtrl, "\x16"}},
         {"aclipbc"},
         abc,
         std::string("clip")},
        {"Shift+Insert pastes",
         abc,
         {3, 0},
         {},
         {{vkInsert, ssShift, nullptr}},
         {"abcclip"},
         abc,
         std::string("clip")},
        {"Esc does nothing", abc, {1, 0}, {}, {{vkEscape, 0, "\x1b"}}, abc, abc, {}},
        {"Ctrl+Enter makes a line feed that does nothing",
         abc,
         {1, 0},
         {},
         {{vkReturn, ssCtrl, "\n"}},
         abc,
         abc,
         {}},
        {"Alt+letter types nothing", abc, {1, 0}, {}, {{'X', ssAlt, nullptr}}, abc, abc, {}},
    };
    for (const bool readOnly : {false, true}) {
        for (const KeyCase& c : cases) {
            SCOPED_TRACE(std::string(c.Name) + (readOnly ? " (read-only)" : ""));
            SetText(c.Text);
            clipboard.content = "clip";
            if (c.SelectTo) {
                Select(c.Caret, *c.SelectTo);
            } else {
                Caret(c.Caret.X, c.Caret.Y);
            }
            memo.SetReadOnly(readOnly);
            for (const Stroke& p : c.Keys) {
                Key(p.Key, p.Shift, p.Chars == nullptr ? std::string_view() : p.Chars);
            }
            memo.SetReadOnly(false);
            EXPECT_EQ(Text(), readOnly ? c.ReadOnly : c.Writable);
            // A read-only text is copied but never cut.
            const bool cut = std::string(c.Name).find("cut") != std::string::npos;
            EXPECT_EQ(clipboard.content, readOnly && cut ? "clip" : c.Clipboard.value_or("clip"));
        }
    }
}

// A Backspace that cannot delete (caret beyond the line end, or at the text start) still
// runs the Left movement, which collapses a selection made earlier: the next typed character
// must not replace that selection.
TEST_F(KeysTest, BackspaceThatCannotDeleteCollapsesTheSelection) {
    struct Case {
        const char* Name;
        std::vector<std::string> Text;
        TTextPos Caret;
        Stroke Select;     // the Shift movement that makes the selection
        Stroke Backspace;  // Backspace or Ctrl+Backspace
        bool DelErase;
        std::vector<std::string> AfterTypingX;
        TTextPos CaretAfterBackspace;
    };
    const Stroke back{vkBack, 0, "\b"};
    const Stroke ctrlBack{vkBack, ssCtrl, "\x7f"};
    const std::vector<Case> cases{
        {"Ctrl+Backspace beyond the line end",
         {"abcdef", "ab"},
         {6, 0},
         {vkDown, ssShift, nullptr},
         ctrlBack,
         true,
         {"abcdef", "ab   x"},
         {5, 1}},
        {"Ctrl+Backspace at the text start",
         {"abc"},
         {3, 0},
         {vkHome, ssShift, nullptr},
         ctrlBack,
         true,
         {"xabc"},
         {0, 0}},
        {"Backspace beyond the line end without DelErase",
         {"abcdef", "ab"},
         {6, 0},
         {vkDown, ssShift, nullptr},
         back,
         false,
         {"abcdef", "ab   x"},
         {5, 1}},
        {"Backspace at the text start without DelErase",
         {"abc"},
         {3, 0},
         {vkHome, ssShift, nullptr},
         back,
         false,
         {"xabc"},
         {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SetText(c.Text);
        memo.EditSettings().DelErase = c.DelErase;
        Caret(c.Caret.X, c.Caret.Y);
        Key(c.Select.Key, c.Select.Shift);
        ASSERT_TRUE(memo.HasSelection());
        ResetCounts();
        Key(c.Backspace.Key, c.Backspace.Shift, c.Backspace.Chars);
        EXPECT_EQ(CaretPos(), c.CaretAfterBackspace);
        EXPECT_FALSE(memo.HasSelection());
        EXPECT_EQ(selections, 1) << "the collapse is reported";
        EXPECT_EQ(changes, 0) << "nothing was deleted";
        Chars("x");
        EXPECT_EQ(Text(), c.AfterTypingX);
    }
    memo.EditSettings().DelErase = true;
}

TEST_F(KeysTest, ReadOnlyStillCopiesButCtrlADoesNotSelect) {
    SetText({"abc", "def"});
    memo.SetReadOnly(true);
    Key('A', ssCtrl, "\x01");
    EXPECT_FALSE(memo.HasSelection());
    Select({1, 0}, {2, 1});
    Key('C', ssCtrl, "\x03");
    EXPECT_EQ(clipboard.content, "bc\nde");
    clipboard.content.reset();
    Key(vkInsert, ssCtrl);
    EXPECT_EQ(clipboard.content, "bc\nde");
    memo.SetReadOnly(false);
    Key('A', ssCtrl, "\x01");
    EXPECT_EQ(Anchor(), (TTextPos{0, 0}));
    EXPECT_EQ(Active(), (TTextPos{3, 1}));
}

TEST_F(KeysTest, UndoAndRedoKeys) {
    SetText({""});
    Chars("xy");
    ASSERT_EQ(Text(), (std::vector<std::string>{"xy"}));
    struct Step {
        TKey Key;
        TShiftState Shift;
        const char* After;
    };
    const Step steps[] = {
        {'Z', ssCtrl, ""},   {vkBack, ssAlt | ssShift, "xy"}, {vkBack, ssAlt, ""},
        {'Y', ssCtrl, "xy"}, {'Z', ssCtrl | ssAlt, "xy"},  // Ctrl+Alt+Z is no undo
    };
    for (const Step& s : steps) {
        Key(s.Key, s.Shift);
        EXPECT_EQ(Text(), (std::vector<std::string>{s.After})) << s.Key << " " << int(s.Shift);
    }
    // From the keyboard, undo works on a read-only text; redo by Ctrl+Y does not.
    memo.SetReadOnly(true);
    Key('Z', ssCtrl);
    EXPECT_EQ(Text(), (std::vector<std::string>{""}));
    Key('Y', ssCtrl);
    EXPECT_EQ(Text(), (std::vector<std::string>{""}));
    Key(vkBack, ssAlt | ssShift);
    EXPECT_EQ(Text(), (std::vector<std::string>{"xy"}));
}

TEST_F(KeysTest, InsertTogglesOverwriteAndReportsStatus) {
    SetText({"abc"});
    int status = 0;
    memo.OnStatusChange = [&](TAdvCustomMemo&) { ++status; };
    Key(vkInsert);
    EXPECT_TRUE(memo.Overwrite());
    EXPECT_GE(status, 1);
    Chars("x");
    EXPECT_EQ(Text(), (std::vector<std::string>{"xbc"}));
    Key(vkInsert);
    EXPECT_FALSE(memo.Overwrite());
}

TEST_F(KeysTest, TypedTextEntersAsUtf8Characters) {
    SetText({"ab"});
    Caret(1, 0);
    Chars("é€😀");
    EXPECT_EQ(Text(), (std::vector<std::string>{"aé€😀b"}));
    EXPECT_EQ(CaretPos(), (TTextPos{4, 0}));
    Key(vkLeft);
    Key(vkBack, 0, "\b");
    EXPECT_EQ(Text(), (std::vector<std::string>{"aé😀b"}));
    EXPECT_EQ(CaretPos(), (TTextPos{2, 0}));
    // C1 controls are no typed characters.
    Chars("\xC2\x85");
    EXPECT_EQ(Text(), (std::vector<std::string>{"aé😀b"}));
}

TEST_F(KeysTest, CharacterInputRunsOnKeyPressAndDropsTheSpaceOfCtrlSpaceOnlyWithCompletion) {
    SetText({""});
    memo.OnKeyPress = [](TAdvCustomMemo&, char32_t& ch) {
        if (ch == U'a') {
            ch = U'b';
        }
    };
    Chars("a");
    EXPECT_EQ(Text(), (std::vector<std::string>{"b"}));
    // With the completion aids active Ctrl+Space opens the list and its space is not typed.
    Key(vkSpace, ssCtrl, " ");
    EXPECT_EQ(Text(), (std::vector<std::string>{"b"}));
    EXPECT_FALSE(memo.InputState().KeyDownSeen);
    memo.Completion().ListDismissed();
    // Without them the space of Ctrl+Space is typed.
    memo.Completion().AutoCompletion.Active = false;
    Key(vkSpace, ssCtrl, " ");
    EXPECT_EQ(Text(), (std::vector<std::string>{"b "}));
    EXPECT_TRUE(memo.InputState().KeyDownSeen);
    EXPECT_FALSE(memo.InputState().LastKeyWithoutCtrl);
    Key(vkLeft);
    EXPECT_TRUE(memo.InputState().LastKeyWithoutCtrl);
}

TEST_F(KeysTest, OnKeyDownMayClearTheKey) {
    SetText({"abc"});
    Caret(1, 0);
    memo.OnKeyDown = [](TAdvCustomMemo&, TKey& key, TShiftState) {
        if (key == vkDelete) {
            key = vkNone;
        }
    };
    Key(vkDelete);
    EXPECT_EQ(Text(), (std::vector<std::string>{"abc"}));
}

TEST_F(KeysTest, KeysOtherThanCtrlStopTheBlinkUntilKeyUp) {
    SetText({"abc"});
    EXPECT_TRUE(memo.CaretBlinks());
    memo.KeyDown(vkControl, ssCtrl);
    EXPECT_TRUE(memo.CaretBlinks());
    memo.KeyDown(vkRight, ssCtrl);
    EXPECT_FALSE(memo.CaretBlinks());
    memo.KeyUp(vkRight, ssCtrl);
    EXPECT_TRUE(memo.CaretBlinks());
    memo.KeyDown('A', 0);
    memo.FocusLost();
    EXPECT_TRUE(memo.CaretBlinks());
    EXPECT_FALSE(memo.CaretShown());
}

TEST_F(KeysTest, EditingKeysMarkTheCaretLine) {
    SetText({"abc", "def"});
    Caret(1, 1);
    Chars("x");
    EXPECT_EQ(memo.Lines().LineModState(1), lmsModified);
    EXPECT_NE(memo.Lines().LineModState(0), lmsModified);
}

TEST(KeyClaimsTest, TheControlClaimsItsKeysButNotLoneModifiersOrFunctionKeys) {
    const TKey lastFunctionKey = vkF1 + kFunctionKeyCount - 1;
    for (const TKey key :
         {TKey{'A'}, TKey{'Z'}, TKey{'0'}, TKey{'9'}, TKey{vkBack}, TKey{vkTab}, TKey{vkReturn},
          TKey{vkEscape}, TKey{vkSpace}, TKey{vkPrior}, TKey{vkNext}, TKey{vkHome}, TKey{vkEnd},
          TKey{vkLeft}, TKey{vkDown}, TKey{vkInsert}, TKey{vkDelete}, TKey(lastFunctionKey + 1)}) {
        EXPECT_TRUE(ClaimsKey(key)) << "key " << key;
    }
    for (const TKey key : {TKey{vkNone}, TKey{vkShift}, TKey{vkControl}, TKey{vkMenu}, TKey{vkF1},
                           TKey(vkF1 + 11), lastFunctionKey}) {
        EXPECT_FALSE(ClaimsKey(key)) << "key " << key;
    }
}

// A key the control used must be one it claims, or a window shortcut could take it first.
TEST_F(KeysTest, EveryKeyTheTableUsesIsClaimed) {
    const TShiftState shifts[] = {0, ssShift, ssCtrl, ssAlt, ssCtrl | ssShift, ssAlt | ssShift};
    for (int key = 1; key < 256; ++key) {
        for (const TShiftState shift : shifts) {
            SetText({"abc", "def"});
            memo.SetReadOnly(true);  // the keys act without changing the text
            if (memo.KeyDown(static_cast<TKey>(key), shift)) {
                EXPECT_TRUE(ClaimsKey(static_cast<TKey>(key)))
                    << "key " << key << " shift " << int(shift);
            }
            memo.KeyUp(static_cast<TKey>(key), shift);
        }
    }
}

}  // namespace
}  // namespace tarnwick::editor::test
