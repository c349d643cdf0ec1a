// The caret as the host shows it: with the focus, not during a press, and never while
// HiddenCaret is on; and the editing settings this program runs the editor with.
#include <gtest/gtest.h>

#include <functional>

#include "editor/support/InputTestSupport.h"

namespace tarnwick::editor::test {
namespace {

class InputHarness : public InputTest {
  public:
    void TestBody() override {}
};

// What happened last before the caret's state is asked, and whether the caret shows then
// with HiddenCaret off.
struct CaretShownCase {
    const char* name;
    std::function<void(InputTest&)> action;
    bool shown;
};

TEST(CaretShown, HiddenCaretKeepsTheCaretHiddenWhateverShowsItOtherwise) {
    const CaretShownCase cases[] = {
        {"focus gained", [](InputTest& t) { t.memo.FocusGained(); }, true},
        {"focus lost", [](InputTest& t) { t.memo.FocusLost(); }, false},
        {"key down and up", [](InputTest& t) { t.Key(vkRight); }, true},
        {"key held down", [](InputTest& t) { t.memo.KeyDown(vkRight, 0); }, true},
        {"mouse press", [](InputTest& t) { t.Press(1, 0); }, false},
        {"mouse press and release", [](InputTest& t) { t.Click(1, 0); }, true},
        {"press, then a key released",
         [](InputTest& t) {
             t.Press(1, 0);
             t.Key(vkLeft);
         },
         true},
        {"drag selecting",
         [](InputTest& t) {
             t.Press(0, 0);
             t.MoveTo(2, 0);
             t.Release(2, 0);
         },
         true},
    };
    for (const CaretShownCase& c : cases) {
        for (const bool hidden : {false, true}) {
            InputHarness t;
            t.SetText({"abc", "def"});
            t.memo.EditSettings().HiddenCaret = hidden;
            t.memo.FocusLost();
            t.memo.FocusGained();
            c.action(t);
            EXPECT_EQ(t.memo.CaretShown(), c.shown && !hidden)
                << c.name << (hidden ? ", HiddenCaret on" : ", HiddenCaret off");
        }
    }
}

TEST(EditSettings, TheEditorStartsWithTheSettingsThisProgramRunsWith) {
    EditingHarness t;
    const TAdvCustomMemo& memo = t.memo;
    const TEditSettings& s = memo.EditSettings();
    EXPECT_TRUE(memo.AutoExpand());
    EXPECT_TRUE(s.DelErase);
    EXPECT_TRUE(s.AutoIndent);
    EXPECT_EQ(memo.TabSize(), 4);
    EXPECT_FALSE(s.ReadOnly);
    EXPECT_EQ(s.ClipboardFormats, cfText);
    EXPECT_FALSE(memo.TrimTrailingSpaces());
    EXPECT_FALSE(s.SmartTabs);
    EXPECT_FALSE(s.EnhancedHomeKey);
    EXPECT_EQ(s.CharCase, ecNormal);
    EXPECT_FALSE(s.UndoLineByLine);
    EXPECT_FALSE(s.HiddenCaret);
    EXPECT_EQ(s.SelectionMode, smText);
    EXPECT_EQ(memo.Settings().WordWrap, wwNone);
    EXPECT_EQ(memo.UndoLimit(), 100);
}

}  // namespace
}  // namespace tarnwick::editor::test
