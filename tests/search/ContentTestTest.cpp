// The content rule: plain and whole-word occurrence tests, in memory and read in chunks.
#include "search/ContentTest.h"

#include <gtest/gtest.h>

#include "support/TempTree.h"

namespace tarnwick::search {
namespace {

struct ContentCase {
    const char* label;
    std::string content;
    std::string text;
    bool wholeWord;
    bool matches;
};

std::vector<ContentCase> Cases() {
    return {
        {"plain hit", "say foo now", "foo", false, true},
        {"plain is case-sensitive", "only foo here", "Foo", false, false},
        {"plain miss", "nothing", "foo", false, false},
        {"empty file", "", "foo", false, false},
        {"empty file, whole word", "", "foo", true, false},
        {"followed by space", "a foo b", "foo", true, true},
        {"followed by tab", "a foo\tb", "foo", true, true},
        {"followed by line break", "a foo\r\nb", "foo", true, true},
        {"followed by NUL", std::string("a foo\0b", 7), "foo", true, true},
        {"at the end", "a foo", "foo", true, true},
        {"only the first occurrence counts", "foobar then foo ", "foo", true, false},
        {"character before is not tested", "xfoo ", "foo", true, true},
        {"followed by letter", "foox", "foo", true, false},
        {"followed by high byte", "foo\xe9", "foo", true, false},
        {"text ending in a space never matches", "foo  bar", "foo ", true, false},
        {"text ending in a space, at the end", "foo ", "foo ", true, false},
        {"plain text ending in a space", "foo  bar", "foo ", false, true},
        {"whole content", "foo", "foo", true, true},
        {"longer than content", "fo", "foo", false, false},
    };
}

TEST(ContentRuleTest, InMemory) {
    for (const auto& c : Cases()) {
        EXPECT_EQ(ContentMatches(c.content, c.text, c.wholeWord), c.matches) << c.label;
    }
}

// Every chunk size from one byte up puts the boundary at every place of the occurrence and of
// the character after it; the answer must stay the one of the whole content.
TEST(ContentRuleTest, FileReadInChunksGivesTheSameAnswers) {
    const testing::TempTree tree;
    int n = 0;
    for (const auto& c : Cases()) {
        const std::string file = "f" + std::to_string(n++);
        tree.File(file, c.content);
        for (std::size_t chunk = 1; chunk <= c.content.size() + 2; ++chunk) {
            const ContentVerdict v = TestFileContent(tree.path(file), c.text, c.wholeWord, chunk);
            EXPECT_EQ(v, c.matches ? ContentVerdict::Match : ContentVerdict::NoMatch)
                << c.label << ", chunk " << chunk;
        }
    }
}

TEST(ContentRuleTest, OccurrenceFarIntoALargeFile) {
    const testing::TempTree tree;
    std::string content(3 * kContentChunkSize + 17, 'x');
    content.replace(2 * kContentChunkSize - 2, 6, " foo. ");
    // A first occurrence straddling the chunk boundary, followed by a dot: not a whole word.
    tree.File("big", content);
    EXPECT_EQ(TestFileContent(tree.path("big"), "foo", false), ContentVerdict::Match);
    EXPECT_EQ(TestFileContent(tree.path("big"), "foo", true), ContentVerdict::NoMatch);
    EXPECT_EQ(TestFileContent(tree.path("big"), "foo.", true), ContentVerdict::Match);
    EXPECT_EQ(TestFileContent(tree.path("big"), "bar", false), ContentVerdict::NoMatch);
}

TEST(ContentRuleTest, WhatCannotBeReadIsReported) {
    const testing::TempTree tree;
    tree.Folder("dir");
    EXPECT_EQ(TestFileContent(tree.path("missing"), "x", false), ContentVerdict::Unreadable);
    EXPECT_EQ(TestFileContent(tree.path("dir"), "x", false), ContentVerdict::Unreadable);
}

TEST(ContentRuleTest, StopsBetweenChunksWhenNoLongerRunning) {
    const testing::TempTree tree;
    tree.File("f", std::string(64, 'x') + "foo");
    const std::atomic<bool> running{false};
    EXPECT_EQ(TestFileContent(tree.path("f"), "foo", false, 8, &running), ContentVerdict::NoMatch);
}

TEST(ReadFileTextTest, ReadsExactlyTheFile) {
    const testing::TempTree tree;
    const std::string bytes("a\0b\r\nc", 6);
    tree.File("f", bytes);
    tree.File("empty", "");
    std::string content = "stale";
    ASSERT_TRUE(ReadFileText(tree.path("f"), content));
    EXPECT_EQ(content, bytes);
    ASSERT_TRUE(ReadFileText(tree.path("empty"), content));
    EXPECT_EQ(content, "");
    EXPECT_FALSE(ReadFileText(tree.path("nope"), content));
}

}  // namespace
}  // namespace tarnwick::search
