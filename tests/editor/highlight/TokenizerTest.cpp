// Line highlighting with the program's styler: which occurrences of the searched text become
// keyword runs (in any letter case, in UTF-8 and Windows-1252), numbers, comments within and
// across lines, runs that never cut a character, and agreement with a literal model.
#include <gmock/gmock.h>

#include <random>

#include "editor/control/AdvMemo.h"
#include "editor/highlight/AdvPascalMemoStyler.h"
#include "editor/highlight/ReferenceTokenizer.h"
#include "editor/support/EditorTestSupport.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {
namespace {

using test::Comment;
using test::Keyword;
using test::Number;
using test::Plain;
using test::RecordedRun;
using test::RunRecorder;
using ::testing::ElementsAre;

class TokenizerTest : public ::testing::Test {
  protected:
    TokenizerTest() : styler(CreateAdvPascalMemoStyler1()) {
        memo.SetSyntaxStyles(styler.get());
        SetKeywords({"foo"});
    }
    void SetKeywords(std::initializer_list<std::string> words) {
        TStringList list;
        for (const auto& w : words) {
            list.Add(w);
        }
        styler->AllStyles().Items(0).SetKeyWords(list);
    }
    std::vector<RecordedRun> Runs(const std::string& line, HighlightState state = {}) {
        memo.PrepareHighlighting();
        RunRecorder recorder;
        end = memo.TokenizeLine(line, state, recorder);
        return recorder.Runs;
    }
    std::vector<std::string> Marked(const std::string& line) {
        std::vector<std::string> words;
        for (const RecordedRun& r : Runs(line)) {
            if (r.State.IsKeyword) {
                words.push_back(r.Text);
            }
        }
        return words;
    }

    std::unique_ptr<TAdvPascalMemoStyler> styler;
    TAdvMemo memo;
    HighlightState end;
};

struct MarkCase {
    const char* line;
    bool marked;
};

TEST_F(TokenizerTest, WholeWordEndsAndPlaces) {
    const MarkCase cases[] = {
        {"foo", true},      {"x foo", true},  {"foo;", true},      {"foo:", true},
        {"foo ", true},     {"xxfoo", true},  {"FOO", true},       {"Foo", true},
        {"foox", false},    {"foo.", false},  {"foo,", false},     {"(foo)", false},
        {"foo-bar", false}, {"'foo'", false}, {"(* foo *)", true}, {"\"foo bar\"", true},
        {"1foo", false},    {"1xfoo", true},  {"// foo", false},   {"x//foo", false},
        {"{ foo }", false}, {"a=foo", true},  {"$foo", false},     {"http://x.org/foo", false},
    };
    for (const MarkCase& c : cases) {
        EXPECT_EQ(!Marked(c.line).empty(), c.marked) << c.line;
    }
}

TEST_F(TokenizerTest, KeywordsThatBeginLikeANumberAreNeverMarked) {
    for (const char* word : {"-x", ".net", "3d", "+1", "$ff"}) {
        SetKeywords({word});
        EXPECT_TRUE(Marked(std::string("a ") + word + " b").empty()) << word;
    }
}

TEST_F(TokenizerTest, TheWordAfterANumberIsNoWordStart) {
    SetKeywords({"txt"});
    EXPECT_TRUE(Marked("readme.txt").empty());
    EXPECT_THAT(Marked("readme txt"), ElementsAre("txt"));
}

TEST_F(TokenizerTest, SpacesInKeywords) {
    SetKeywords({"foo bar"});
    EXPECT_TRUE(Marked("a foo bar").empty()) << "a word never holds a later space";
    SetKeywords({" foo"});
    EXPECT_THAT(Marked("a foo;"), ElementsAre(" foo"));
}

TEST_F(TokenizerTest, RunsOfALineWithAKeyword) {
    EXPECT_THAT(Runs("x foo y"),
                ElementsAre(RecordedRun{"x ", Plain()}, RecordedRun{"foo", Keyword()},
                            RecordedRun{" y", Plain(0)}));
    EXPECT_THAT(Runs("a { foo } foo"),
                ElementsAre(RecordedRun{"a ", Plain()}, RecordedRun{"{ foo }", Comment()},
                            RecordedRun{" ", Plain()}, RecordedRun{"foo", Keyword()}));
    EXPECT_FALSE(end.InComment);
}

TEST_F(TokenizerTest, Numbers) {
    EXPECT_THAT(Runs("$1Fz 1.2.3 1e5"),
                ElementsAre(RecordedRun{"$1F", Number()}, RecordedRun{"z ", Plain()},
                            RecordedRun{"1", Number()}, RecordedRun{".", Plain()},
                            RecordedRun{"2.3", Number()}, RecordedRun{" ", Plain()},
                            RecordedRun{"1e5", Number()}));
    EXPECT_THAT(Runs("$"), ElementsAre(RecordedRun{"$", Number()}));
}

TEST_F(TokenizerTest, CommentsAcrossLines) {
    EXPECT_THAT(Runs("a { start"),
                ElementsAre(RecordedRun{"a ", Plain()}, RecordedRun{"{ start", Comment()}));
    ASSERT_TRUE(end.InComment);
    const HighlightState inside = end;
    EXPECT_THAT(Runs("foo", inside), ElementsAre(RecordedRun{"foo", Comment()}));
    EXPECT_THAT(Runs("end } foo", inside),
                ElementsAre(RecordedRun{"end }", Comment()}, RecordedRun{" ", Plain()},
                            RecordedRun{"foo", Keyword()}));
    EXPECT_FALSE(end.InComment);
    EXPECT_THAT(Runs("// foo"), ElementsAre(RecordedRun{"// foo", Comment()}));
    EXPECT_FALSE(end.InComment) << "a line comment never continues";
}

TEST_F(TokenizerTest, WithoutAStylerEachLineIsOnePlainRun) {
    memo.SetSyntaxStyles(nullptr);
    EXPECT_THAT(Runs("{ foo 12 // x"), ElementsAre(RecordedRun{"{ foo 12 // x", Plain()}));
    memo.SetSyntaxStyles(styler.get());
    memo.SetUseStyler(false);
    EXPECT_THAT(Runs("foo 1"), ElementsAre(RecordedRun{"foo 1", Plain()}));
    EXPECT_TRUE(Runs("").empty());
}

TEST_F(TokenizerTest, HighlightTextOccurrencesAreEmittedWhole) {
    memo.HighlightText = "oo";
    HighlightState highlight;
    highlight.IsHighlight = true;
    EXPECT_THAT(Runs("a foo b"),
                ElementsAre(RecordedRun{"a f", Plain()}, RecordedRun{"oo", highlight},
                            RecordedRun{" b", Plain()}));
}

TEST_F(TokenizerTest, CaseSensitiveEditorsMatchExactly) {
    memo.SetCaseSensitive(true);
    SetKeywords({"Foo"});
    EXPECT_THAT(Marked("Foo foo FOO"), ElementsAre("Foo"));
}

TEST_F(TokenizerTest, AHugeWordIsTokenizedInOnePass) {
    std::string line(1 << 20, 'x');
    line += "foo";
    const auto runs = Runs(line);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].Text.size(), size_t{1} << 20);
    EXPECT_EQ(runs[1], (RecordedRun{"foo", Keyword()}));
    // The same with a word of two-byte characters, counted in characters.
    std::string wide;
    for (int i = 0; i < (1 << 19); ++i) {
        wide += "\xC3\xA9";
    }
    const auto wideRuns = Runs(wide + "FOO");
    ASSERT_EQ(wideRuns.size(), 2u);
    EXPECT_EQ(wideRuns[0].Text, wide);
    EXPECT_EQ(wideRuns[1], (RecordedRun{"FOO", Keyword()}));
}

TEST_F(TokenizerTest, TheSearchedWordIsMarkedInEveryLetterCase) {
    for (const char* typed : {"caf\xC3\xA9", "CAF\xC3\x89", "Caf\xC3\xA9"}) {
        SetKeywords({typed});
        EXPECT_THAT(Marked("x CAF\xC3\x89 caf\xC3\xA9 cafe Caf\xC3\x89;"),
                    ElementsAre("CAF\xC3\x89", "caf\xC3\xA9", "Caf\xC3\x89"))
            << typed;
    }
}

TEST_F(TokenizerTest, LettersBeyondLatinFoldToo) {
    SetKeywords({"\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x99\xCE\x91"});         // ΣΟΦΙΑ
    EXPECT_THAT(Marked("\xCF\x83\xCE\xBF\xCF\x86\xCE\xB9\xCE\xB1 x"),  // σοφια
                ElementsAre("\xCF\x83\xCE\xBF\xCF\x86\xCE\xB9\xCE\xB1"));
    SetKeywords({"\xD0\x9C\xD0\x98\xD0\xA0"});  // МИР
    EXPECT_THAT(Marked("\xD0\xBC\xD0\xB8\xD1\x80 \xD0\x9C\xD0\xB8\xD0\xA0;"),
                ElementsAre("\xD0\xBC\xD0\xB8\xD1\x80", "\xD0\x9C\xD0\xB8\xD0\xA0"));
}

TEST_F(TokenizerTest, LettersWhoseCasesDifferInLengthAreMarked) {
    // Capital and small letter take a different number of bytes: dotted capital I (2) and i
    // (1), the Kelvin sign (3) and k (1), capital sharp s (3) and sharp s (2), A with stroke
    // (2) and its small letter (3). Either form is the keyword, the other the text.
    struct Case {
        const char* keyword;
        const char* line;
        const char* marked;
    };
    const Case cases[] = {
        {"istanbul", "x \xC4\xB0STANBUL;", "\xC4\xB0STANBUL"},
        {"\xC4\xB0STANBUL", "istanbul x", "istanbul"},
        {"k", "a \xE2\x84\xAA", "\xE2\x84\xAA"},
        {"\xE2\x84\xAA", "k:", "k"},
        {"stra\xC3\x9F"
         "e",
         "STRA\xE1\xBA\x9E"
         "E",
         "STRA\xE1\xBA\x9E"
         "E"},
        {"\xC8\xBA", "\xE2\xB1\xA5 x", "\xE2\xB1\xA5"},
        {"\xE2\xB1\xA5", "xx\xC8\xBA", "\xC8\xBA"},
    };
    for (const Case& c : cases) {
        SetKeywords({c.keyword});
        EXPECT_THAT(Marked(c.line), ElementsAre(c.marked)) << c.keyword << " in " << c.line;
    }
    // The count of characters still decides: a word one letter longer is no keyword.
    SetKeywords({"k"});
    EXPECT_THAT(Marked("\xE2\x84\xAA\xE2\x84\xAAx"), ElementsAre());
}

TEST_F(TokenizerTest, AKeywordIsNeverMatchedFromInsideACharacter) {
    // C4 8A is one character; the keyword made of the stray byte 8A and "a" must not be found
    // at its second byte, but is found where 8A stands alone.
    SetKeywords(
        {"\x8A"
         "a"});
    EXPECT_THAT(Marked("\xC4\x8A"
                       "a"),
                ElementsAre());
    EXPECT_THAT(Marked("x\xC4\x8A"
                       "a b"),
                ElementsAre());
    EXPECT_THAT(Marked("\xC4\x8A \x8A"
                       "a"),
                ElementsAre("\x8A"
                            "a"));
    // Nor from the middle of a four-byte character.
    SetKeywords({"\x98\x80"});
    EXPECT_THAT(Marked("\xF0\x9F\x98\x80"), ElementsAre());
}

TEST_F(TokenizerTest, AWindows1252WordStillFoldsAsBefore) {
    SetKeywords({"caf\xE9"});
    EXPECT_THAT(Marked("CAF\xC9 caf\xE9"), ElementsAre("CAF\xC9", "caf\xE9"));
}

// Whether offset `at` of line is the start of a character.
bool AtBoundary(std::string_view line, size_t at) {
    for (size_t pos = 0; pos < line.size(); pos += platform::utf8::CharLength(line, pos)) {
        if (pos >= at) {
            return pos == at;
        }
    }
    return at == line.size();
}

TEST_F(TokenizerTest, RunsNeverCutACharacterWhateverTheHighlightText) {
    SetKeywords({"ab"});
    const std::vector<std::string> pieces = {
        "a",    "b",        " ", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
        "\x80", "\xE2\x82", "{", "}"};
    std::mt19937 rng(11);
    for (int round = 0; round < 400; ++round) {
        std::string line;
        for (int k = std::uniform_int_distribution<int>(1, 12)(rng); k > 0; --k) {
            line += pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(rng)];
        }
        // Any one or two bytes of the line, whole characters or not, as the highlight text.
        const size_t from = std::uniform_int_distribution<size_t>(0, line.size() - 1)(rng);
        memo.HighlightText = line.substr(from, 1 + round % 2);
        std::string joined;
        for (const RecordedRun& r : Runs(line)) {
            EXPECT_TRUE(AtBoundary(line, joined.size())) << ::testing::PrintToString(line);
            joined += r.Text;
        }
        EXPECT_EQ(joined, line);
    }
}

// The editor's tokenizer against the literal model, on random lines made of the characters
// that matter to the rules.
struct RandomCase {
    const char* name;
    test::ReferenceConfig config;
};

void PrintTo(const RandomCase& c, std::ostream* os) {
    *os << c.name;
}

class AgreesWithTheLiteralRules : public ::testing::TestWithParam<RandomCase> {};

TEST_P(AgreesWithTheLiteralRules, OnRandomLines) {
    const test::ReferenceConfig& c = GetParam().config;
    TAdvCustomMemoStyler styler;
    styler.LineComment = c.LineComment;
    styler.MultiCommentLeft = c.MultiCommentLeft;
    styler.MultiCommentRight = c.MultiCommentRight;
    styler.HexIdentifier = c.HexIdentifier;
    TElementStyle& keywords = styler.AllStyles().Add();
    TStringList words;
    for (const auto& k : c.Keywords) {
        words.Add(k);
    }
    keywords.SetKeyWords(words);
    if (!c.Symbols.empty()) {
        TElementStyle& symbols = styler.AllStyles().Add();
        symbols.SetStyleType(stSymbol);
        symbols.SetSymbols(c.Symbols);
    }
    for (const auto& [left, right] : c.CommentStyles) {
        TElementStyle& comment = styler.AllStyles().Add();
        comment.SetStyleType(stComment);
        comment.SetCommentLeft(left);
        comment.SetCommentRight(right);
    }
    TAdvMemo memo;
    memo.SetCaseSensitive(c.CaseSensitive);
    memo.SetSyntaxStyles(&styler);
    memo.HighlightText = c.HighlightText;
    memo.StartStateOfLine(0);  // rebuilds the delimiter set from the symbol styles
    memo.PrepareHighlighting();
    test::ReferenceTokenizer reference(c);

    const std::string alphabet = "abfoFO {}/$1.;:E-+(*)x0";
    std::mt19937 random(12345);
    HighlightState mine;
    HighlightState theirs;
    for (int i = 0; i < 4000; ++i) {
        std::string line;
        const int length = static_cast<int>(random() % 24);
        for (int k = 0; k < length; ++k) {
            line += alphabet[random() % alphabet.size()];
        }
        RunRecorder recorder;
        std::vector<RecordedRun> expected;
        mine = memo.TokenizeLine(line, mine, recorder);
        theirs = reference.Line(line, theirs, expected);
        ASSERT_EQ(recorder.Runs, expected) << "line \"" << line << "\"";
        ASSERT_EQ(mine, theirs) << "after \"" << line << "\"";
    }
}

test::ReferenceConfig Config(std::vector<std::string> keywords) {
    test::ReferenceConfig c;
    c.Keywords = std::move(keywords);
    return c;
}

INSTANTIATE_TEST_SUITE_P(Tokenizer, AgreesWithTheLiteralRules,
                         ::testing::Values(RandomCase{"ProgramConfiguration", Config({"foo"})},
                                           RandomCase{"ManyKeywords",
                                                      Config({"fo", "o", "a b", " fo", "$a", "b;",
                                                              "Ob", "xE"})},
                                           RandomCase{"CaseSensitive",
                                                      [] {
                                                          auto c = Config({"Fo", "ob"});
                                                          c.CaseSensitive = true;
                                                          return c;
                                                      }()},
                                           RandomCase{"CommentStyleBesideTheStylersOwn",
                                                      [] {
                                                          auto c = Config({"fo"});
                                                          c.CommentStyles = {{"(*", "*)"}};
                                                          return c;
                                                      }()},
                                           RandomCase{"OnlyACommentStyle",
                                                      [] {
                                                          auto c = Config({"fo"});
                                                          c.MultiCommentLeft.clear();
                                                          c.MultiCommentRight.clear();
                                                          c.CommentStyles = {{"(*", "*)"}};
                                                          return c;
                                                      }()},
                                           RandomCase{"SymbolsAsDelimiters",
                                                      [] {
                                                          auto c = Config({"fo", "b", "x"});
                                                          c.Symbols = ".;(";
                                                          return c;
                                                      }()},
                                           RandomCase{"LongHexPrefixAndLineComment",
                                                      [] {
                                                          auto c = Config({"fo"});
                                                          c.HexIdentifier = "0x";
                                                          c.LineComment = "-+";
                                                          return c;
                                                      }()},
                                           RandomCase{"HighlightText",
                                                      [] {
                                                          auto c = Config({"fo"});
                                                          c.HighlightText = "o ";
                                                          return c;
                                                      }()}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick::editor
