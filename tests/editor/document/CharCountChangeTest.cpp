// A line's character count after an edit follows from the bytes around the edit: it equals
// counting the whole edited text, for stray bytes, split sequences and edits at any place.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/control/AdvMemo.h"
#include "editor/document/LineStore.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {
namespace {

// Bytes that start, continue, break and complete sequences of every length.
const char* const kBytes[] = {"a",    " ",    "\x80",     "\x9F",        "\xBF", "\xC2",
                              "\xC0", "\xE0", "\xA0",     "\xED",        "\xE2", "\x82",
                              "\xAC", "\xF0", "\x90",     "\xF4",        "\xFF", "é",
                              "€",    "😀",    "\xE2\x82", "\xF0\x9F\x98"};

std::string RandomBytes(std::mt19937& rng, int pieces) {
    std::uniform_int_distribution<size_t> pick(0, std::size(kBytes) - 1);
    std::string text;
    for (int i = 0; i < pieces; ++i) {
        text += kBytes[pick(rng)];
    }
    return text;
}

TEST(CharCountChange, EqualsCountingBothTextsWholeForRandomEdits) {
    std::mt19937 rng(2026);
    for (int round = 0; round < 20000; ++round) {
        const std::string before = RandomBytes(rng, std::uniform_int_distribution<int>(0, 14)(rng));
        const size_t from = std::uniform_int_distribution<size_t>(0, before.size())(rng);
        const size_t to = std::uniform_int_distribution<size_t>(from, before.size())(rng);
        const std::string inserted =
            RandomBytes(rng, std::uniform_int_distribution<int>(0, 3)(rng));
        const std::string after = before.substr(0, from) + inserted + before.substr(to);
        // Claims may be anything up to what is true (and are cut to the texts).
        const size_t prefix =
            round % 3 == 0 ? from : std::uniform_int_distribution<size_t>(0, from)(rng);
        const size_t suffix =
            round % 5 == 0 ? before.size() - to + 3
                           : std::uniform_int_distribution<size_t>(0, before.size() - to)(rng);
        const int change = platform::utf8::CharCountChange(before, after, prefix,
                                                           std::min(suffix, before.size() - to));
        ASSERT_EQ(change, platform::utf8::CharCount(after) - platform::utf8::CharCount(before))
            << "round " << round << " edit " << from << ".." << to;
    }
}

TEST(CharCountChange, TypingAndDeletingKeepTheLineLengthEqualToItsCharacterCount) {
    std::mt19937 rng(11);
    const char32_t kTyped[] = {U'x', U' ', U'é', U'€', U'😀', U'\u00FF'};
    TAdvMemo memo;
    memo.Lines().Clear();
    memo.Lines().Add(RandomBytes(rng, 400));
    memo.Lines().Add(RandomBytes(rng, 40));
    for (int step = 0; step < 3000; ++step) {
        const int line = step % 7 == 0 && memo.Lines().Count() > 1 ? 1 : 0;
        const int length = memo.Lines().LineCharCount(line);
        memo.SetCaretLine(line);
        memo.SetCaretColumn(std::uniform_int_distribution<int>(0, length + 2)(rng));
        memo.SetOverwrite(step % 3 == 0);
        const uint64_t version = memo.Lines().LinesVersion();
        const std::string was(memo.Lines().View(line));
        const int what = std::uniform_int_distribution<int>(0, 5)(rng);
        if (what == 0) {
            memo.DeleteForward();
        } else if (what == 1) {
            memo.DeleteBackward();
        } else {
            memo.TypeCharacter(kTyped[std::uniform_int_distribution<size_t>(0, 5)(rng)]);
        }
        // What the edit claims to have kept at the line's front and end is really the same.
        const std::string now(memo.Lines().View(line));
        const size_t front = memo.Lines().UnchangedPrefix(line, version);
        const size_t back = memo.Lines().UnchangedSuffix(line, version);
        if (front != TLineStore::kWholeLine) {
            ASSERT_LE(front + back, std::min(was.size(), now.size())) << "step " << step;
            ASSERT_EQ(was.substr(0, front), now.substr(0, front)) << "step " << step;
            ASSERT_EQ(was.substr(was.size() - back), now.substr(now.size() - back))
                << "step " << step;
        }
        ASSERT_EQ(memo.Lines().LineCharCount(line),
                  platform::utf8::CharCount(memo.Lines().View(line)))
            << "step " << step;
    }
}

}  // namespace
}  // namespace tarnwick::editor
