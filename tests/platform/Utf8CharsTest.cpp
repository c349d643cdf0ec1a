// The editor's character model: which bytes form one character, counts, and the conversions
// between columns and byte offsets on lines mixing ASCII, UTF-8 and stray bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Utf8Chars.h"

namespace tarnwick::platform::utf8 {
namespace {

// Splits text into its characters, as the editor counts them.
std::vector<std::string> Chars(std::string_view text) {
    std::vector<std::string> out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t n = CharLength(text, pos);
        out.emplace_back(text.substr(pos, n));
        pos += n;
    }
    return out;
}

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> chars;
};

class Utf8SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Utf8SplitTest, EveryByteBelongsToExactlyOneCharacter) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(Chars(c.text), c.chars);
    EXPECT_EQ(CharCount(c.text), static_cast<int>(c.chars.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8SplitTest,
    ::testing::Values(
        SplitCase{"Ascii", "abc", {"a", "b", "c"}},
        SplitCase{"TwoByte", "caf\xC3\xA9", {"c", "a", "f", "\xC3\xA9"}},
        SplitCase{"ThreeByteEuro", "\xE2\x82\xAC!", {"\xE2\x82\xAC", "!"}},
        SplitCase{"FourByteLargest", "\xF4\x8F\xBF\xBF", {"\xF4\x8F\xBF\xBF"}},
        SplitCase{"AboveLargestIsBytes", "\xF4\x90\x80\x80", {"\xF4", "\x90", "\x80", "\x80"}},
        SplitCase{"OverlongTwoByte", "\xC0\xAF", {"\xC0", "\xAF"}},
        SplitCase{"OverlongC1", "\xC1\xBF", {"\xC1", "\xBF"}},
        SplitCase{"OverlongThreeByte", "\xE0\x80\xAF", {"\xE0", "\x80", "\xAF"}},
        SplitCase{"OverlongFourByte", "\xF0\x8F\xBF\xBF", {"\xF0", "\x8F", "\xBF", "\xBF"}},
        SplitCase{"Surrogate", "\xED\xA0\x80", {"\xED", "\xA0", "\x80"}},
        SplitCase{"LastBeforeSurrogates", "\xED\x9F\xBF", {"\xED\x9F\xBF"}},
        SplitCase{"TruncatedAtEnd", "a\xE2\x82", {"a", "\xE2", "\x82"}},
        SplitCase{"TruncatedBeforeAscii", "\xE2\x82x", {"\xE2", "\x82", "x"}},
        SplitCase{"LoneContinuation", "\x80\xBF", {"\x80", "\xBF"}},
        SplitCase{"Windows1252", "na\xEFve", {"n", "a", "\xEF", "v", "e"}},
        SplitCase{"LeadsF5AndUpAreBytes", "\xF5\x80\x80\x80", {"\xF5", "\x80", "\x80", "\x80"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8DecodeTest, WellFormedSequencesGiveTheirCodePoint) {
    std::size_t n = 0;
    EXPECT_EQ(DecodeChar("\xC3\xA9", 0, n), U'\u00E9');
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(DecodeChar("\xE2\x82\xAC", 0, n), U'\u20AC');
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(DecodeChar("\xF0\x9F\x98\x80", 0, n), U'\U0001F600');
    EXPECT_EQ(n, 4u);
}

TEST(Utf8DecodeTest, AStrayByteReadsAsItsWindows1252Character) {
    std::size_t n = 0;
    EXPECT_EQ(DecodeChar("\x80", 0, n), U'\u20AC');
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(DecodeChar("\xE9x", 0, n), U'\u00E9');
    EXPECT_EQ(DecodeChar("\x81", 0, n), U'\u0081');
    EXPECT_EQ(DecodeChar("\x9D", 0, n), U'\u009D');
}

TEST(Utf8EncodeTest, EncodingADecodedCharacterGivesItsBytesBack) {
    for (const std::string text : {"A", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"}) {
        std::size_t n = 0;
        char out[4];
        const char32_t c = DecodeChar(text, 0, n);
        EXPECT_EQ(std::string(out, Encode(c, out)), text);
    }
}

TEST(Utf8CountTest, LongAsciiAndLongMixedLinesCountEveryCharacter) {
    std::string ascii(1000, 'x');
    EXPECT_TRUE(IsAscii(ascii));
    EXPECT_EQ(CharCount(ascii), 1000);
    std::string mixed = ascii + "\xC3\xA9" + ascii + "\xFF" + ascii;
    EXPECT_FALSE(IsAscii(mixed));
    EXPECT_EQ(CharCount(mixed), 3002);
    EXPECT_EQ(CharCount(""), 0);
}

// "Caf\xC3\xA9 \xE2\x82\xAC\x80x": C a f é space € stray-0x80 x
const std::string kMixed = "Caf\xC3\xA9 \xE2\x82\xAC\x80x";

struct ColumnCase {
    int column;
    std::size_t offset;
};

TEST(Utf8ColumnTest, ColumnsAndByteOffsetsConvertBothWays) {
    const std::vector<ColumnCase> cases = {{0, 0}, {3, 3},  {4, 5},  {5, 6},
                                           {6, 9}, {7, 10}, {8, 11}, {10, 13}};
    for (const ColumnCase& c : cases) {
        EXPECT_EQ(ByteOffsetOfColumn(kMixed, c.column), c.offset) << "column " << c.column;
        EXPECT_EQ(ColumnOfByteOffset(kMixed, c.offset), c.column) << "offset " << c.offset;
    }
}

TEST(Utf8ColumnTest, AnOffsetInsideACharacterGivesThatCharactersColumn) {
    EXPECT_EQ(ColumnOfByteOffset(kMixed, 4), 3);  // second byte of é
    EXPECT_EQ(ColumnOfByteOffset(kMixed, 7), 5);  // inside €
    EXPECT_EQ(ColumnOfByteOffset(kMixed, 8), 5);
}

TEST(Utf8ColumnTest, NegativeColumnIsTheLineStart) {
    EXPECT_EQ(ByteOffsetOfColumn(kMixed, -3), 0u);
}

}  // namespace
}  // namespace tarnwick::platform::utf8
