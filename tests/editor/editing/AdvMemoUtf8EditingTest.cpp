// Editing UTF-8 text: columns count characters, so typing, overwriting, deleting, selecting
// and inserting take whole characters and never split one.
#include <gmock/gmock.h>

#include "editor/support/EditingTestSupport.h"

namespace tarnwick::editor::test {
namespace {

using ::testing::ElementsAre;

const std::string kE = "\xC3\xA9";         // é, two bytes
const std::string kEuro = "\xE2\x82\xAC";  // €, three bytes

TEST_F(EditingTest, SelectionOfUtf8TextCountsCharacters) {
    SetText({"Caf" + kE + " au lait", kEuro + "5"});
    memo.SetSelectionEnds({2, 0}, {1, 1});
    EXPECT_EQ(memo.SelectedText(), "f" + kE + " au lait\r\n" + kEuro);
    EXPECT_EQ(memo.SelectionLength(), 10 + 2 + 1);
    memo.DeleteSelectedText(true);
    EXPECT_THAT(Text(), ElementsAre("Ca5"));
    EXPECT_EQ(CaretPos(), (TTextPos{2, 0}));
}

TEST_F(EditingTest, TypingAUtf8CharacterPadsByCharacters) {
    SetText({"abcdefgh", kE + "b"});
    Caret(6, 0);
    memo.SetCaretLine(1);
    Type(kEuro);
    EXPECT_THAT(Text(), ElementsAre("abcdefgh", kE + "b    " + kEuro));
    EXPECT_EQ(CaretPos(), (TTextPos{7, 1}));
    EXPECT_EQ(memo.Lines().LineCharCount(1), 7);
}

TEST_F(EditingTest, OverwriteDeleteAndBackspaceTakeWholeCharacters) {
    SetText({"m" + kE + "x"});
    Caret(1, 0);
    memo.SetOverwrite(true);
    Type("y");
    EXPECT_THAT(Text(), ElementsAre("myx"));
    memo.Undo();
    EXPECT_THAT(Text(), ElementsAre("m" + kE + "x"));
    memo.SetOverwrite(false);
    Caret(1, 0);
    Delete();
    EXPECT_THAT(Text(), ElementsAre("mx"));
    EXPECT_EQ(memo.UndoList().Item(0).Text, kE);
    memo.Undo();
    Caret(2, 0);
    Backspace();
    EXPECT_THAT(Text(), ElementsAre("mx"));
    EXPECT_EQ(CaretPos(), (TTextPos{1, 0}));
}

TEST_F(EditingTest, InsertingMovesTheCaretByCharacters) {
    SetText({"a" + kE});
    Caret(1, 0);
    memo.InsertAtCaret(kEuro + kEuro);
    EXPECT_EQ(CaretPos(), (TTextPos{3, 0}));
    memo.InsertAtCaret("\xC3\xBC\r\n\xC3\xB6");
    EXPECT_THAT(Text(), ElementsAre("a" + kEuro + kEuro + "\xC3\xBC", "\xC3\xB6" + kE));
    EXPECT_EQ(CaretPos(), (TTextPos{1, 1}));
    EXPECT_EQ(memo.LongestLineLength(), 4);
}

TEST_F(EditingTest, CtrlBackspaceStopsAtASpaceAfterUtf8Words) {
    SetText({"caf" + kE + " cr" + kE + "me"});
    memo.SetCaretColumn(10);
    memo.DeleteWordBackward();
    EXPECT_THAT(Text(), ElementsAre("caf" + kE + " "));
}

}  // namespace
}  // namespace tarnwick::editor::test
