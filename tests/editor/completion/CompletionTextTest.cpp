// The text rules of the typing aids: tokens, entry keys, inserted text and parameter hints.
#include <gtest/gtest.h>

#include "editor/completion/CompletionText.h"

namespace tarnwick::editor::completion {
namespace {

TEST(CompletionTextTest, TokenIsTheRunAroundTheColumnWithoutQuotesSpacesOrBrackets) {
    struct Case {
        const char* Line;
        int Column;
        const char* Token;
    };
    for (const Case& c :
         {Case{"Show", 4, "Show"}, Case{"a Show(x", 4, "Show"}, Case{"ShowMessage(", 12, ""},
          Case{"x.", 2, "x."}, Case{"ab", 5, ""}, Case{"'q'", 2, "q"}, Case{"", 0, ""},
          Case{"\xC3\xA9t\xC3\xA9 x", 3, "\xC3\xA9t\xC3\xA9"}}) {
        EXPECT_EQ(TextOf(c.Line, RunAround(c.Line, c.Column, kTokenDelimiters)), c.Token)
            << c.Line << " @" << c.Column;
    }
    EXPECT_EQ(RunAround("\xC3\xA9t\xC3\xA9 x", 5, kTokenDelimiters), (TColumnRange{4, 5}));
}

TEST(CompletionTextTest, EntryKeysDropTheKindWordAndForFilteringTheClass) {
    EXPECT_EQ(EntryKey("ShowMessage"), "SHOWMESSAGE");
    EXPECT_EQ(EntryKey("procedure Beep"), "BEEP");
    EXPECT_EQ(EntryMatchKey("Sys.ShowMessage"), "SHOWMESSAGE");
    EXPECT_EQ(EntryMatchKey("function Sys.Now: TDateTime"), "NOW: TDATETIME");
}

TEST(CompletionTextTest, EntryPartsForDrawing) {
    const TEntryParts p = SplitEntry("procedure Beep(Count: Integer)");
    EXPECT_EQ(p.KindWord, "procedure");
    EXPECT_EQ(p.Name, "Beep");
    EXPECT_EQ(p.Rest, "(Count: Integer)");
    const TEntryParts q = SplitEntry("MessageDlg(const Msg: string)");
    EXPECT_EQ(q.KindWord, "");
    EXPECT_EQ(q.Name, "MessageDlg");
}

TEST(CompletionTextTest, InsertedTextPerForm) {
    struct Case {
        const char* Entry;
        bool Keyboard;
        const char* Text;
        bool Parentheses;
    };
    for (const Case& c : {Case{"ShowMessage", true, "ShowMessage", false},
                          Case{"procedure Beep(Count: Integer)", true, "Beep()", true},
                          Case{"procedure Beep(Count: Integer)", false, "Beep", false},
                          Case{"property Top: Integer", true, "Top", false},
                          Case{"property Top:Integer", false, "Top:Integer", false},
                          Case{"Sys.Halt;", true, "Sys.Halt", false}}) {
        const TInsertText t = InsertTextOf(c.Entry, c.Keyboard);
        EXPECT_EQ(t.Text, c.Text) << c.Entry;
        EXPECT_EQ(t.Parentheses, c.Parentheses) << c.Entry;
    }
}

TEST(CompletionTextTest, HintCallIsFoundLeftOfTheCaret) {
    struct Case {
        const char* Line;
        int Column;
        bool Found;
        const char* Name;
        int Commas;
    };
    for (const Case& c : {Case{"SHOWMESSAGE(", 12, true, "SHOWMESSAGE", 0},
                          Case{"  MESSAGEDLG('A',", 17, true, "MESSAGEDLG", 1},
                          Case{"X := F.MESSAGEDLG('A', 1, ", 27, true, "F.MESSAGEDLG", 2},
                          Case{"SHOWMESSAGE(A) ", 15, false, "", 0},
                          Case{"SHOWMESSAGE", 11, false, "", 0}, Case{"F(     ", 7, false, "", 0},
                          Case{"F(    ", 6, true, "F", 0}, Case{"F(X", 40, true, "F", 0}}) {
        const THintCall call = FindHintCall(c.Line, c.Column);
        EXPECT_EQ(call.Found, c.Found) << c.Line;
        EXPECT_EQ(call.Name, c.Name) << c.Line;
        EXPECT_EQ(call.Commas, c.Commas) << c.Line;
    }
}

TEST(CompletionTextTest, HintSplitsAtTheCurrentParameter) {
    const char* dlg =
        "MessageDlg(const Msg: string; DlgType: TMsgDlgType; Buttons: TMsgDlgButtons; "
        "HelpCtx: Longint): Integer);";
    THintParts p = SplitHint(dlg, 1);
    EXPECT_EQ(p.Before, "const Msg: string;");
    EXPECT_EQ(p.Current, " DlgType: TMsgDlgType;");
    EXPECT_EQ(p.After, " Buttons: TMsgDlgButtons; HelpCtx: Longint");
    p = SplitHint("ShowMessage(const Msg: string);", 0);
    EXPECT_EQ(p.Before, "");
    EXPECT_EQ(p.Current, "const Msg: string");
    EXPECT_EQ(p.After, "");
    // More commas than parameters: everything is before, and that part is bold.
    p = SplitHint("ShowMessage(const Msg: string);", 2);
    EXPECT_EQ(p.Before, "const Msg: string");
    EXPECT_TRUE(p.BoldIsBefore());
}

}  // namespace
}  // namespace tarnwick::editor::completion
