// UTF-8 text in the editor: files of any bytes come back byte for byte, lengths and columns
// count characters, cells hold whole characters.
#include <gmock/gmock.h>

#include "editor/control/AdvMemo.h"
#include "editor/support/AdvMemoPaintTestSupport.h"
#include "editor/support/EditorTestSupport.h"

namespace tarnwick::editor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;
using ::testing::ElementsAre;

constexpr platform::SurfaceColor kWhite = 0xFFFFFF;
constexpr platform::SurfaceColor kNavy = 0x800000;

struct RoundTripCase {
    const char* name;
    std::string bytes;             // the file, every line ended by CR LF
    std::vector<int32_t> lengths;  // characters per line
};

class Utf8RoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(Utf8RoundTripTest, LoadAndSaveGiveTheSameBytesAndCountCharacters) {
    const RoundTripCase& c = GetParam();
    TempDir dir;
    WriteFile(dir.File("in.txt"), c.bytes);
    TAdvMemo memo;
    memo.Lines().LoadFromFile(dir.File("in.txt"));
    EXPECT_EQ(memo.Lines().LineLengths(), c.lengths);
    memo.Lines().SaveToFile(dir.File("out.txt"));
    EXPECT_EQ(ReadFile(dir.File("out.txt")), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Utf8RoundTripTest,
    ::testing::Values(
        RoundTripCase{"Valid",
                      "Caf\xC3\xA9 r\xC3\xA9sum\xC3\xA9\r\n\xE2\x82\xAC \xF0\x9F\x98\x80\r\n",
                      {11, 3}},
        RoundTripCase{"Invalid",
                      "a\xFF\xFE"
                      "b\r\n\xC0\r\n",
                      {4, 1}},
        RoundTripCase{"Truncated", "x\xE2\x82\r\n\xF0\x9F\x98\r\n", {3, 3}},
        RoundTripCase{"Overlong", "\xC0\xAF \xE0\x80\xAF \xF0\x80\x80\xAF\r\n", {11}},
        RoundTripCase{"Surrogate", "\xED\xA0\x80\xED\xBF\xBF\r\n", {6}},
        RoundTripCase{"LoneContinuation",
                      "\x80\xBF"
                      "a\xBF\r\n",
                      {4}},
        RoundTripCase{"Windows1252", "na\xEFve caf\xE9 \x80 5\r\n\x93quoted\x94\r\n", {14, 8}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8LoadTest, ANulInsideASequenceIsACharacterOfItsOwn) {
    TempDir dir;
    WriteFile(dir.File("in.txt"), std::string("a\xC3\xA9\r\nb\xC3\0\xA9z", 10));
    TAdvMemo memo;
    memo.Lines().LoadFromFile(dir.File("in.txt"));
    ASSERT_EQ(memo.Lines().Count(), 2);
    EXPECT_EQ(memo.Lines().Get(1), std::string("b\xC3\0\xA9z", 5));
    EXPECT_THAT(memo.Lines().LineLengths(), ElementsAre(2, 5));
}

TEST(Utf8LengthTest, EveryChangeKeepsLengthsAndTheLongestLineInCharacters) {
    TAdvMemo memo;
    memo.Lines().Clear();
    memo.Lines().Add("\xE2\x82\xAC\xE2\x82\xAC");  // 2 characters, 6 bytes
    memo.Lines().Add("abc");
    EXPECT_EQ(memo.LongestLineLength(), 3);
    memo.Lines().Put(0, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");  // 4 characters, 8 bytes
    memo.Lines().Insert(1, "\xF0\x9F\x98\x80\tx");            // 1 + 4 + 1
    EXPECT_THAT(memo.Lines().LineLengths(), ElementsAre(4, 6, 3));
    EXPECT_EQ(memo.LongestLineLength(), 6);
    TStringList source;
    source.Add("\xC3\xA9t\xC3\xA9");
    memo.Lines().Assign(source);
    EXPECT_THAT(memo.Lines().LineLengths(), ElementsAre(3));
    EXPECT_EQ(memo.Lines().LineCharCount(0), 3);
}

TEST(Utf8CaretTest, PaddingToAColumnCountsCharactersNotBytes) {
    TAdvMemo memo;
    memo.Lines().Clear();
    memo.Lines().Add("caf\xC3\xA9");  // 4 characters
    memo.Lines().Add("x");
    memo.SetCaretColumn(6);
    EXPECT_EQ(memo.Lines().Get(0), "caf\xC3\xA9  ");
    EXPECT_EQ(memo.CurX(), 6);
    EXPECT_EQ(memo.Lines().LineCharCount(0), 6);
    // Without AutoExpand the caret stops at the line's last character.
    memo.SetAutoExpand(false);
    memo.SetCaretLine(1);
    memo.Lines().Put(1, "\xE2\x82\xAC\xE2\x82\xAC");
    memo.SetCaretColumn(9);
    EXPECT_EQ(memo.CurX(), 2);
    // Moving left from column 0 lands after the previous line's last character.
    memo.SetCaretColumn(0);
    memo.SetCaretColumn(-1);
    EXPECT_EQ(memo.CurY(), 0);
    EXPECT_EQ(memo.CurX(), 6);
}

class Utf8PaintTest : public test::PaintFixture {};

TEST_F(Utf8PaintTest, EachCharacterTakesOneCellAndStrayBytesReachTheSurfaceAsTheirCharacters) {
    SetText({"a\xC3\xA9\x80\xE2\x82\xACz"});  // a é (stray 0x80) € z: five cells
    memo.SetSelectionEnds({1, 0}, {3, 0});
    Paint();
    EXPECT_EQ(RunTextAt(0, 0), "a");
    EXPECT_EQ(RunTextAt(1, 0), "\xC3\xA9\xE2\x82\xAC");  // é and the euro sign of byte 0x80
    EXPECT_EQ(RunTextAt(3, 0),
              "\xE2\x82\xAC"
              "z");
    EXPECT_EQ(CellPixel(1, 0), kNavy);
    EXPECT_EQ(CellPixel(2, 0), kNavy);
    EXPECT_EQ(CellPixel(3, 0), kWhite);
    EXPECT_EQ(view.HorizontalBar().Visible, false);
}

TEST_F(Utf8PaintTest, ALegacy8BitLineKeepsOneCellPerByteAndShowsItsCharacters) {
    SetText({"caf\xE9 \x93ok\x94"});
    memo.SetSelectionEnds({3, 0}, {5, 0});
    Paint();
    EXPECT_EQ(RunTextAt(0, 0), "caf");
    EXPECT_EQ(RunTextAt(3, 0), "\xC3\xA9 ");
    EXPECT_EQ(RunTextAt(5, 0), "\xE2\x80\x9Cok\xE2\x80\x9D");  // curly quotes
    EXPECT_EQ(CellPixel(4, 0), kNavy);
    EXPECT_EQ(CellPixel(5, 0), kWhite);
}

TEST_F(Utf8PaintTest, AScrolledViewSkipsWholeCharacters) {
    SetText(
        {"\xC3\xA9\xC3\xA8\xC3\xAA"
         "abc"});
    memo.SetFirstVisibleColumn(2);
    Paint();
    EXPECT_EQ(RunTextAt(0, 0),
              "\xC3\xAA"
              "abc");
}

}  // namespace
}  // namespace tarnwick::editor
