// A file loaded into the editor and saved comes back byte for byte whatever it holds, and an
// edit of one line changes that line only: every other line keeps its bytes and its break.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/document/AdvMemoStrings.h"
#include "editor/support/EditingTestSupport.h"
#include "editor/support/EditorTestSupport.h"

namespace tarnwick::editor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

struct RoundTripCase {
    const char* name;
    std::string bytes;
};

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(rng() & 0xFF);
    }
    return bytes;
}

std::vector<RoundTripCase> Cases() {
    return {
        {"Empty", ""},
        {"TabsAndTrailingBlanks", "all:\n\tcc -o x x.c  \n\t\tindent\t \nend \t"},
        {"LfWithFinalBreak", "one\ntwo\nthree\n"},
        {"CrLf", "one\r\ntwo\r\n"},
        {"CrOnly", "one\rtwo\r"},
        {"MixedBreaks", "lf\ncrlf\r\ncr\rlfcr\n\rend"},
        {"NoFinalBreak", "first\nlast"},
        {"OnlyBreaks", "\n\n\r\n\r"},
        {"InvalidUtf8", "caf\xE9\n\xC3\x28 \xF0\x9F\x98\n\x80\x81\xFE\xFF\n"},
        {"NulBytes", std::string("x\0y\n\0\0\n\0", 8)},
        {"Utf16WithMark", std::string("\xFF\xFEh\0i\0\r\0\n\0", 10)},
        {"RandomBinary", RandomBytes(4096, 1)},
        {"RandomBinaryWithoutBreaks", RandomBytes(3000, 2) + "\x01\x02"},
    };
}

// The file as the editor's lines see it: each line's bytes and the break that follows it
// (CR LF, a lone CR or LF, or nothing at the very end).
struct FileLine {
    std::string bytes;
    std::string brk;
};

std::vector<FileLine> SplitFile(const std::string& bytes) {
    std::vector<FileLine> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        const size_t length = bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        lines.push_back({bytes.substr(start, end - start), bytes.substr(end, length)});
        start = end + length;
    }
    return lines;
}

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, SavingUnchangedGivesBackTheSameBytes) {
    TempDir dir;
    WriteFile(dir.File("in"), GetParam().bytes);
    test::EditingHarness edit;
    edit.memo.Lines().LoadFromFile(dir.File("in"));
    edit.memo.Lines().SaveToFile(dir.File("out"));
    EXPECT_EQ(ReadFile(dir.File("out")), GetParam().bytes);

    TMemoryStream stream;
    edit.memo.Lines().SaveToStream(stream);
    EXPECT_EQ(stream.Bytes(), GetParam().bytes);
}

TEST_P(RoundTrip, TypingInOneLineChangesOnlyThatLineAndUndoGivesTheFileBack) {
    const std::vector<FileLine> lines = SplitFile(GetParam().bytes);
    TempDir dir;
    WriteFile(dir.File("in"), GetParam().bytes);
    // Every line of the short files; a spread of them in the long ones.
    const size_t step = std::max<size_t>(1, lines.size() / 12);
    for (size_t edited = 0; edited < lines.size(); edited += step) {
        SCOPED_TRACE(testing::Message() << "line " << edited);
        test::EditingHarness edit;
        edit.memo.Lines().LoadFromFile(dir.File("in"));
        edit.Caret(0, static_cast<int>(edited));
        edit.Type("Z");
        edit.memo.Lines().SaveToFile(dir.File("out"));

        std::string expected;
        for (size_t i = 0; i < lines.size(); ++i) {
            // The edited line is written as the editor holds it: its tabs expanded.
            expected += i == edited ? "Z" + ExpandTabs(lines[i].bytes, 4) : lines[i].bytes;
            expected += lines[i].brk;
        }
        ASSERT_EQ(ReadFile(dir.File("out")), expected);

        edit.memo.Undo();
        edit.memo.Lines().SaveToFile(dir.File("out"));
        ASSERT_EQ(ReadFile(dir.File("out")), GetParam().bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, RoundTrip, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct AddedLineCase {
    const char* name;
    std::string file;
    std::string saved;  // after Enter and "new" at the end of the last line
};

class AddedLines : public ::testing::TestWithParam<AddedLineCase> {};

TEST_P(AddedLines, EndInTheFilesOwnBreakAndKeepAMissingFinalBreakMissing) {
    TempDir dir;
    WriteFile(dir.File("in"), GetParam().file);
    test::EditingHarness edit;
    edit.memo.Lines().LoadFromFile(dir.File("in"));
    const int last = edit.memo.Lines().Count() - 1;
    edit.Caret(edit.memo.Lines().LineCharCount(last), last);
    edit.Enter();
    edit.Type("new");
    edit.memo.Lines().SaveToFile(dir.File("out"));
    EXPECT_EQ(ReadFile(dir.File("out")), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AddedLines,
    ::testing::Values(AddedLineCase{"CrLfWithoutFinalBreak", "a\r\nb", "a\r\nb\r\nnew"},
                      AddedLineCase{"CrLfWithFinalBreak", "a\r\nb\r\n", "a\r\nb\r\nnew\r\n"},
                      AddedLineCase{"FirstBreakDecides", "a\rb\n", "a\rb\nnew\r"},
                      AddedLineCase{"OneLineFileUsesLf", "only", "only\nnew"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick::editor
