// The hint call scan: found without copying the line, and reused while typing on, it gives
// exactly what scanning the (upper-cased) caret line from scratch gives.
#include <gmock/gmock.h>

#include <random>

#include "editor/completion/CompletionText.h"
#include "editor/completion/HintCallScan.h"
#include "editor/document/AdvMemoStrings.h"
#include "editor/document/AnsiCase.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {
namespace {

completion::THintCall Straight(std::string_view line, int column, bool upperCase) {
    return completion::FindHintCall(upperCase ? AnsiUpperCase(line) : std::string(line), column);
}

void ExpectSame(const completion::THintCall& got, const completion::THintCall& want,
                const std::string& where) {
    EXPECT_EQ(got.Found, want.Found) << where;
    EXPECT_EQ(got.Name, want.Name) << where;
    EXPECT_EQ(got.Commas, want.Commas) << where;
}

// Pieces with the scan's stop characters, and bytes whose upper case has another length
// (0xE0..0xFE leads become two-byte leads, 0xFF a continuation byte).
const char* const kPieces[] = {"(",  ")",    ",",    " ",    ".",        "  ",   "..",
                               "ab", "Foo(", "x",    "\xE9", "\xFF",     "\xC2", "\x9A",
                               "é",  "€",    "\xE2", "\xF0", "\xE0\xA0", "ßx",   " . "};

std::string RandomText(std::mt19937& rng, int pieces) {
    std::uniform_int_distribution<size_t> pick(0, std::size(kPieces) - 1);
    std::string text;
    for (int i = 0; i < pieces; ++i) {
        text += kPieces[pick(rng)];
    }
    return text;
}

TEST(HintCallScan, FindInEqualsScanningTheCaseMappedLineForEveryColumn) {
    std::mt19937 rng(22);
    for (int round = 0; round < 300; ++round) {
        const std::string line = RandomText(rng, 12);
        const int count = platform::utf8::CharCount(AnsiUpperCase(line));
        for (int column = -1; column <= count + 2; ++column) {
            for (const bool upper : {false, true}) {
                ExpectSame(THintCallScan::FindIn(line, column, upper),
                           Straight(line, column, upper),
                           "line '" + line + "' column " + std::to_string(column));
            }
        }
    }
}

TEST(HintCallScan, KeptScanAgreesWithScanningAfreshThroughRandomEditsAndMoves) {
    for (const bool upper : {false, true}) {
        std::mt19937 rng(upper ? 7 : 8);
        TAdvMemoStrings lines;
        lines.Add(RandomText(rng, 40));
        lines.Add("other (line, here");
        THintCallScan scan;
        int column = 10;
        int reused = 0;
        for (int step = 0; step < 4000; ++step) {
            const int what = std::uniform_int_distribution<int>(0, 19)(rng);
            const std::string line(lines.View(0));
            if (what < 12) {  // typing at the caret
                const size_t at =
                    std::min(platform::utf8::ByteOffsetOfColumn(line, column), line.size());
                const std::string piece = RandomText(rng, 1);
                lines.PutEdited(0, line.substr(0, at) + piece + line.substr(at), at);
                column += platform::utf8::CharCount(piece);
            } else if (what < 14) {  // deleting before the caret
                const size_t at =
                    std::min(platform::utf8::ByteOffsetOfColumn(line, column), line.size());
                const size_t from = at - std::min<size_t>(at, 2);
                lines.PutEdited(0, line.substr(0, from) + line.substr(at), from);
                column = std::max(column - 1, 0);
            } else if (what < 16) {  // the caret elsewhere
                column =
                    std::uniform_int_distribution<int>(0, platform::utf8::CharCount(line) + 3)(rng);
            } else if (what < 17) {
                lines.Put(0, RandomText(rng, 40));
            } else if (what < 18) {
                lines.Insert(0, RandomText(rng, 10));  // lines move
            } else if (what < 19) {
                lines.Delete(0);
                if (lines.Count() == 0) {
                    lines.Add(RandomText(rng, 10));
                }
            } else {  // the caret on another line and back
                scan.Find(lines, lines.Count() - 1, 3, upper);
            }
            const int index = 0;
            const std::string now(lines.View(index));
            ExpectSame(scan.Find(lines, index, column, upper), Straight(now, column, upper),
                       "step " + std::to_string(step) + " line '" + now + "' column " +
                           std::to_string(column));
            reused += scan.LastReused() ? 1 : 0;
        }
        EXPECT_GT(reused, 500);  // typing on did reuse the kept scan
    }
}

TEST(HintCallScan, TypingOnInALongLineReusesTheScanAndFindsTheCall) {
    struct Case {
        std::string front;  // before the typed text
        std::string typed;  // typed one character at a time
        bool found;
        std::string name;
        int commas;
    };
    const std::vector<Case> cases = {
        {std::string(100000, 'a') + " ShowMessage(", "'x', y", true, "SHOWMESSAGE", 1},
        {std::string(100000, 'a') + " f(a", ")b", false, "", 0},
        {"g(" + std::string(100000, 'b'), ",,,", true, "G", 3},
        {"g(" + std::string(100000, 'b') + "  ", "...", false, "", 0},  // five in a row
        {"g(" + std::string(100000, 'b') + "  ", "..c", true, "G", 0},
        {std::string(100000, 'c'), "xyz", false, "", 0},
    };
    for (const Case& c : cases) {
        TAdvMemoStrings lines;
        lines.Add(c.front);
        THintCallScan scan;
        int column = platform::utf8::CharCount(c.front);
        scan.Find(lines, 0, column, true);
        for (const char ch : c.typed) {
            const std::string line(lines.View(0));
            lines.PutEdited(0, line + ch, line.size());
            ++column;
            const completion::THintCall call = scan.Find(lines, 0, column, true);
            EXPECT_TRUE(scan.LastReused()) << c.front.substr(c.front.size() - 5) << c.typed;
            ExpectSame(call, Straight(lines.View(0), column, true), c.typed);
        }
        const completion::THintCall last = scan.Find(lines, 0, column, true);
        EXPECT_EQ(last.Found, c.found) << c.typed;
        EXPECT_EQ(last.Name, c.name) << c.typed;
        EXPECT_EQ(last.Commas, c.commas) << c.typed;
    }
}

}  // namespace
}  // namespace tarnwick::editor
