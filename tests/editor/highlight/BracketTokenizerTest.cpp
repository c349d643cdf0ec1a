// Bracketed elements, symbols and custom keyword drawing, with the Pascal styler's default
// element styles (quotes, symbol delimiters, the "(*" comment).
#include <gmock/gmock.h>

#include "editor/control/AdvMemo.h"
#include "editor/highlight/AdvPascalMemoStyler.h"
#include "editor/support/EditorTestSupport.h"

namespace tarnwick::editor {
namespace {

using test::RecordedRun;
using test::RunRecorder;
using ::testing::ElementsAre;

constexpr int kSingleQuote = 1;
constexpr int kDoubleQuote = 2;
constexpr int kSymbols = 3;

HighlightState InString(char quote, int style) {
    HighlightState s;
    s.InBracket = true;
    s.BracketStart = quote;
    s.BracketEnd = quote;
    s.StyleIndex = style;
    return s;
}

HighlightState Symbol() {
    HighlightState s;
    s.IsSymbol = true;
    s.StyleIndex = kSymbols;
    return s;
}

class BracketTest : public ::testing::Test {
  protected:
    BracketTest() {
        styler.AllStyles().Items(0).SetKeyWords(TStringList{"foo"});
        memo.SetSyntaxStyles(&styler);
        memo.StartStateOfLine(0);  // the delimiter set comes from the symbol style
    }
    std::vector<RecordedRun> Runs(const std::string& line, HighlightState state = {}) {
        memo.PrepareHighlighting();
        RunRecorder recorder;
        end = memo.TokenizeLine(line, state, recorder);
        return recorder.Runs;
    }
    TAdvPascalMemoStyler styler;
    TAdvMemo memo;
    HighlightState end;
};

TEST_F(BracketTest, AQuotedStringIsOneElementAndHidesDelimiters) {
    EXPECT_THAT(Runs("'a { foo'"),
                ElementsAre(RecordedRun{"'a { foo'", InString('\'', kSingleQuote)}));
    EXPECT_FALSE(end.InBracket);
    EXPECT_FALSE(end.InComment) << "the brace inside the string opens nothing";
    EXPECT_THAT(Runs("\"x\";"), ElementsAre(RecordedRun{"\"x\"", InString('"', kDoubleQuote)},
                                            RecordedRun{";", Symbol()}));
}

TEST_F(BracketTest, AnOpenStringContinuesOnTheNextLine) {
    Runs("x := 'open");
    ASSERT_TRUE(end.InBracket);
    EXPECT_THAT(Runs("still' foo", end),
                ElementsAre(RecordedRun{"still'", InString('\'', kSingleQuote)},
                            RecordedRun{" ", Symbol()}, RecordedRun{"foo", test::Keyword()}));
}

TEST_F(BracketTest, EscapeAndLiteralPrefix) {
    styler.EscapeChar = "\\";
    EXPECT_THAT(Runs("'a\\'b'"), ElementsAre(RecordedRun{"'a\\'b'", InString('\'', kSingleQuote)}));
    styler.EscapeChar.clear();
    Runs("'a\xFF'b");
    EXPECT_TRUE(end.InBracket) << "a quote after the literal prefix does not close";
}

TEST_F(BracketTest, ElementsEndingAtADelimiterOrASpace) {
    TElementStyle& tag = styler.AllStyles().Add();
    tag.SetStyleType(stBracket);
    tag.SetBracketStart('#');  // ends before the next delimiter character
    tag.SetBracketEnd('\0');
    const int index = styler.AllStyles().Count() - 1;
    memo.SetSyntaxStyles(&styler);
    HighlightState element;
    element.InBracket = true;
    element.BracketStart = '#';
    element.StyleIndex = index;
    // "#" is also a symbol: the symbol style comes first in the collection.
    styler.AllStyles().Items(kSymbols).SetSymbols(" ,;");
    memo.StartStateOfLine(0);
    EXPECT_THAT(Runs("#abc;"),
                ElementsAre(RecordedRun{"#abc", element}, RecordedRun{";", Symbol()}));

    tag.SetBracketEnd(' ');
    element.BracketEnd = ' ';
    Runs("#abc");
    EXPECT_FALSE(end.InBracket) << "an element ended by a space never continues";
}

TEST_F(BracketTest, TheScannerFollowsStringsToo) {
    memo.Lines().Clear();
    memo.Lines().Add("s := '{';");
    memo.Lines().Add("foo");
    EXPECT_FALSE(memo.StartStateOfLine(1).InComment);
    memo.Lines().Put(0, "s := {'");
    EXPECT_TRUE(memo.StartStateOfLine(1).InComment);
}

// Records the words handed to the styler's own keyword painting.
class DrawingStyler : public TAdvCustomMemoStyler {
  public:
    void KeywordDrawHook(std::string_view word) override { words.emplace_back(word); }
    std::vector<std::string> words;
};

TEST(CustomKeywordDraw, KeywordsGoToTheStylerInsteadOfRuns) {
    DrawingStyler styler;
    styler.CustomKeywordDraw = true;
    styler.AllStyles().Add().SetKeyWords(TStringList{"foo"});
    TAdvMemo memo;
    memo.SetSyntaxStyles(&styler);
    memo.PrepareHighlighting();
    RunRecorder recorder;
    memo.TokenizeLine("a foo b", {}, recorder);
    EXPECT_THAT(styler.words, ElementsAre("foo"));
    EXPECT_THAT(recorder.Runs,
                ElementsAre(RecordedRun{"a ", test::Plain()}, RecordedRun{" b", test::Plain(0)}));
}

}  // namespace
}  // namespace tarnwick::editor
