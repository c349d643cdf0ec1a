// The styler model: defaults, the program's configured styler, attaching to the editor,
// keyword lists, delimiter and comment queries, and the destruction notice.
#include <gmock/gmock.h>

#include "editor/control/AdvMemo.h"
#include "editor/highlight/AdvPascalMemoStyler.h"

namespace tarnwick::editor {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Words(const TStringList& list) {
    std::vector<std::string> words;
    for (int i = 0; i < list.Count(); ++i) {
        words.push_back(list.Get(i));
    }
    return words;
}

TEST(CustomStyler, BaseDefaults) {
    TAdvCustomMemoStyler styler;
    EXPECT_EQ(styler.AllStyles().Count(), 0);
    EXPECT_EQ(styler.CommentStyle, (TCharStyle{12632256, 16777215, fsItalic}));
    EXPECT_EQ(styler.NumberStyle, (TCharStyle{8388608, 16777215, fsBold}));
    EXPECT_EQ(styler.HighlightStyle, (TCharStyle{16777215, 255, fsBold}));
    EXPECT_EQ(styler.NumberChars, "+-.0123456789");
    EXPECT_EQ(styler.LiteralPrefix, "\xFF");
    EXPECT_TRUE(styler.EscapeChar.empty());
    EXPECT_FALSE(styler.CustomKeywordDraw);
    EXPECT_FALSE(styler.HasBlockComments());
}

TEST(PascalStyler, ConstructorDefaults) {
    TAdvPascalMemoStyler styler;
    EXPECT_STREQ(styler.Version(), "3.0");
    EXPECT_EQ(styler.LineComment, "//");
    EXPECT_EQ(styler.MultiCommentLeft, "{");
    EXPECT_EQ(styler.MultiCommentRight, "}");
    EXPECT_EQ(styler.HexIdentifier, "$");
    EXPECT_EQ(styler.NumberStyle, (TCharStyle{16711935, 16777215, fsBold}));
    EXPECT_EQ(styler.CommentStyle, (TCharStyle{8388608, 16777215, fsItalic}));
    EXPECT_EQ(styler.Filter, "Pascal Files (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc");
    EXPECT_EQ(styler.DefaultExtension, ".pas");
    EXPECT_EQ(styler.Extensions, "pas;dpr;dpk;inc");
    EXPECT_EQ(styler.StylerName, "Pascal");
    ASSERT_EQ(styler.AllStyles().Count(), 5);
    std::vector<std::string> names;
    for (int i = 0; i < 5; ++i) {
        names.push_back(styler.AllStyles().Items(i).Info());
    }
    EXPECT_THAT(names, ElementsAre("Pascal Standard Default", "Simple Quote", "Double Quote",
                                   "Symbols Delimiters", "Multi line comment"));
    EXPECT_EQ(styler.AllStyles().Items(3).Symbols(), " ,;:.(){}[]=+-*/^%<>#\r\n");
    EXPECT_THAT(Words(styler.AutoCompletion), ElementsAre("ShowMessage", "MessageDlg"));
    EXPECT_EQ(styler.HintParameter.Parameters.Count(), 2);
}

TEST(PascalStyler, ConfiguredStylerHasOneYellowKeywordStyle) {
    auto styler = CreateAdvPascalMemoStyler1();
    ASSERT_EQ(styler->AllStyles().Count(), 1);
    const TElementStyle& keyword = styler->AllStyles().Items(0);
    EXPECT_EQ(keyword.StyleType(), stKeyword);
    EXPECT_EQ(keyword.BGColor(), 65535u);
    EXPECT_EQ(keyword.Font().Color, kClBlack);
    EXPECT_EQ(keyword.Font().Style, 0);
    EXPECT_EQ(keyword.Font().Name, "Courier New");
    EXPECT_EQ(keyword.Font().Height(), -11);
    EXPECT_EQ(keyword.BracketStart(), '\0');
    EXPECT_EQ(keyword.Info(), "Pascal Standard Default");
    EXPECT_EQ(keyword.KeyWords().Count(), 0);
    EXPECT_EQ(styler->CommentStyle, (TCharStyle{kClBlack, kClWhite, 0}));
    EXPECT_EQ(styler->NumberStyle, (TCharStyle{kClBlack, kClWhite, 0}));
    EXPECT_EQ(styler->HighlightStyle, (TCharStyle{kClWhite, kClWhite, fsBold}));
    EXPECT_EQ(styler->BlockStart, "begin,try,case,class,record,interface");
    EXPECT_EQ(styler->BlockEnd, "end");
    EXPECT_EQ(styler->HexIdentifier, "$");
    EXPECT_EQ(styler->NumberChars, "+-.0123456789");
    EXPECT_TRUE(styler->HasBlockComments());
    EXPECT_THAT(Words(styler->AutoCompletion), ElementsAre("ShowMessage", "MessageDlg"));
}

TEST(PascalStyler, LoadingWithoutStoredStylesEmptiesTheCollection) {
    TAdvPascalMemoStyler styler;
    styler.Loaded();
    EXPECT_EQ(styler.AllStyles().Count(), 0);
}

TEST(StylerAttach, LowerCasesAndSortsKeywordsAndUsesTheStyler) {
    TAdvPascalMemoStyler styler;
    TStringList words{"WHILE", "Begin", "begin", "and"};
    styler.AllStyles().Items(0).SetKeyWords(words);
    TAdvMemo memo;
    const int before = memo.InvalidateCount();
    memo.SetSyntaxStyles(&styler);
    EXPECT_TRUE(memo.UseStyler());
    EXPECT_EQ(styler.AllStyles().Editor(), &memo);
    const TStringList& list = styler.AllStyles().Items(0).KeyWords();
    EXPECT_TRUE(list.Sorted());
    EXPECT_THAT(Words(list), ElementsAre("and", "begin", "begin", "while"));
    EXPECT_GT(memo.InvalidateCount(), before);
    EXPECT_EQ(memo.RememberedStartStateLine(), TAdvCustomMemo::kNoLine);
}

TEST(StylerAttach, NewKeywordsKeepTheirCaseAndDropDuplicates) {
    auto styler = CreateAdvPascalMemoStyler1();
    TAdvMemo memo;
    memo.SetSyntaxStyles(styler.get());
    const int before = memo.InvalidateCount();
    styler->AllStyles().Items(0).SetKeyWords(TStringList{"Foo"});
    EXPECT_THAT(Words(styler->AllStyles().Items(0).KeyWords()), ElementsAre("Foo"));
    styler->AllStyles().Items(0).SetKeyWords(TStringList{"zed", "Zed", "abc"});
    EXPECT_THAT(Words(styler->AllStyles().Items(0).KeyWords()), ElementsAre("abc", "zed"));
    styler->AllStyles().Items(0).SetBGColor(kClRed);
    EXPECT_EQ(memo.InvalidateCount(), before) << "style changes wait for the next repaint";
}

TEST(StylerAttach, NewItemsTakeTheEditorBackground) {
    TAdvCustomMemoStyler styler;
    EXPECT_EQ(styler.AllStyles().Add().BGColor(), kClWhite);
    TAdvMemo memo;
    memo.SetBkColor(0x123456);
    memo.SetSyntaxStyles(&styler);
    EXPECT_EQ(styler.AllStyles().Add().BGColor(), 0x123456u);
}

TEST(StylerAttach, DestroyingTheStylerDetachesIt) {
    TAdvMemo memo;
    {
        TAdvPascalMemoStyler styler;
        memo.SetSyntaxStyles(&styler);
        ASSERT_EQ(memo.SyntaxStyles(), &styler);
    }
    EXPECT_EQ(memo.SyntaxStyles(), nullptr);
    EXPECT_FALSE(memo.IsDelimiterChar('.'));
}

TEST(StylerAttach, DestroyingTheEditorClearsTheBackReference) {
    TAdvPascalMemoStyler styler;
    {
        TAdvMemo memo;
        memo.SetSyntaxStyles(&styler);
    }
    EXPECT_EQ(styler.AllStyles().Editor(), nullptr);
}

TEST(StylerQueries, DelimiterCharacters) {
    TAdvMemo memo;
    for (char c : std::string(" \"',;")) {
        EXPECT_TRUE(memo.IsDelimiterChar(c)) << c;
    }
    auto configured = CreateAdvPascalMemoStyler1();
    memo.SetSyntaxStyles(configured.get());
    for (char c : std::string(".(){}:-")) {
        EXPECT_FALSE(memo.IsDelimiterChar(c)) << c;
    }
    TAdvPascalMemoStyler defaults;
    memo.SetSyntaxStyles(&defaults);
    EXPECT_TRUE(memo.IsDelimiterChar('.'));
    EXPECT_TRUE(memo.IsDelimiterChar('('));
    memo.SetUseStyler(false);
    EXPECT_FALSE(memo.IsDelimiterChar('.'));
}

TEST(StylerQueries, TheStylersOwnCommentDelimiterWins) {
    TAdvPascalMemoStyler styler;  // "{" ... "}" plus a "(*" ... "*)" comment style
    EXPECT_TRUE(styler.HasBlockComments());
    const TDelimiterMatch start = styler.FindBlockCommentStart("a (* b { c");
    EXPECT_EQ(start.Position, 8);
    EXPECT_EQ(start.Length, 1);
    const TDelimiterMatch style = styler.FindBlockCommentStart("a (* b");
    EXPECT_EQ(style.Position, 3);
    EXPECT_EQ(style.Length, 2);
    EXPECT_EQ(styler.FindBlockCommentEnd("x *) y }").Position, 8);
    EXPECT_EQ(styler.FindBlockCommentEnd("nothing").Position, 0);

    TAdvCustomMemoStyler onlyStyle;
    TElementStyle& comment = onlyStyle.AllStyles().Add();
    comment.SetStyleType(stComment);
    comment.SetCommentLeft("/*");
    EXPECT_FALSE(onlyStyle.HasBlockComments()) << "a style needs both delimiters";
    comment.SetCommentRight("*/");
    EXPECT_TRUE(onlyStyle.HasBlockComments());
}

TEST(StylerQueries, AssignCopiesEveryField) {
    TAdvPascalMemoStyler styler;
    TElementStyle copy;
    copy.Assign(styler.AllStyles().Items(3));
    EXPECT_EQ(copy.StyleType(), stSymbol);
    EXPECT_EQ(copy.Symbols(), styler.AllStyles().Items(3).Symbols());
    EXPECT_EQ(copy.Info(), "Symbols Delimiters");
    copy.Assign(styler.AllStyles().Items(4));
    EXPECT_EQ(copy.CommentLeft(), "(*");
    EXPECT_EQ(copy.CommentRight(), "*)");
}

}  // namespace
}  // namespace tarnwick::editor
