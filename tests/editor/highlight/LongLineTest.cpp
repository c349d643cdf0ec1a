// Long lines: the painter's tokenizing that goes on from a checkpoint (or stops past the view)
// hands over exactly the runs and state of tokenizing the whole line, also after edits; the
// block words' one-pass search agrees with searching the upper-cased line; the line store
// reports how much of an edited line's front is unchanged.
#include <gmock/gmock.h>

#include <random>

#include "editor/blockmatch/BlockWordScan.h"
#include "editor/control/AdvMemo.h"
#include "editor/document/AnsiCase.h"
#include "editor/document/LineStore.h"
#include "editor/highlight/AdvPascalMemoStyler.h"

namespace tarnwick::editor {
namespace {

struct SeenRun {
    size_t Offset;
    size_t Length;
    HighlightState State;
    bool operator==(const SeenRun&) const = default;
};

// Records runs by their place in the line, and the front part skipped.
class OffsetRecorder : public IHighlightRunSink {
  public:
    explicit OffsetRecorder(std::string_view line) : fLine(line) {}
    void Run(std::string_view text, const HighlightState& state) override {
        Runs.push_back({static_cast<size_t>(text.data() - fLine.data()), text.size(), state});
    }
    void Skipped(std::string_view text) override { SkippedBytes = text.size(); }
    std::vector<SeenRun> Runs;
    size_t SkippedBytes = 0;

  private:
    std::string_view fLine;
};

// A line of random words, numbers, comments and keywords, some non-ASCII.
std::string RandomLine(std::mt19937& rng, size_t bytes, bool lineComment = false) {
    static const char* const kPieces[] = {
        "foo", "FOO ", " ", "end;", "lorem ", "ipsum", "12.5.3 ", "$1F ", "{ note ", "} ",
        ":",   ";",    "é", "\xE9", "xfoo ",  "foox ", "-7",      ".",    "a"};
    std::uniform_int_distribution<size_t> pick(0, std::size(kPieces) - 1);
    std::string line;
    while (line.size() < bytes) {
        line += kPieces[pick(rng)];
    }
    if (lineComment) {
        line.insert(line.size() * 9 / 10, "// rest");
    }
    return line;
}

class LongLineTokenizing : public ::testing::Test {
  protected:
    LongLineTokenizing() : styler(CreateAdvPascalMemoStyler1()) {
        memo.SetSyntaxStyles(styler.get());
        TStringList list;
        list.Add("foo");
        list.Add("end");
        styler->AllStyles().Items(0).SetKeyWords(list);
        memo.PrepareHighlighting();
        memo.Lines().Clear();
    }
    std::vector<SeenRun> Whole(HighlightState& after) {
        const std::string_view line = memo.Lines().View(0);
        OffsetRecorder rec(line);
        after = memo.TokenizeLine(line, {}, rec);
        return rec.Runs;
    }
    OffsetRecorder Windowed(size_t firstByte, size_t stopAt, HighlightState& after) {
        const std::string_view line = memo.Lines().View(0);
        OffsetRecorder rec(line);
        after = memo.TokenizeLineForPaint(0, line, {}, rec, firstByte, stopAt);
        return rec;
    }

    std::unique_ptr<TAdvPascalMemoStyler> styler;
    TAdvMemo memo;
};

TEST_F(LongLineTokenizing, ResumedRunsAndEndStateEqualTheWholeLineAfterRandomEdits) {
    std::mt19937 rng(20240622);
    size_t resumed = 0;
    for (int round = 0; round < 6; ++round) {
        memo.Lines().Clear();
        memo.Lines().Add(RandomLine(rng, 300000, round % 2 == 1));
        ASSERT_TRUE(memo.Tokenizer().Resumable());
        HighlightState unused;
        Windowed(0, std::string_view::npos, unused);  // leaves checkpoints
        for (int edit = 0; edit < 8; ++edit) {
            std::string line(memo.Lines().View(0));
            std::uniform_int_distribution<size_t> at(0, line.size());
            const size_t pos = at(rng);
            const std::string inserted = RandomLine(rng, 1 + rng() % 6);
            line.insert(pos, inserted);
            memo.Lines().PutEdited(0, line, pos);
            HighlightState wholeEnd;
            const std::vector<SeenRun> whole = Whole(wholeEnd);
            HighlightState windowEnd;
            const OffsetRecorder part = Windowed(pos, std::string_view::npos, windowEnd);
            ASSERT_LE(part.SkippedBytes, pos);
            resumed += part.SkippedBytes > 0 ? 1 : 0;
            EXPECT_EQ(windowEnd, wholeEnd);
            // Every run before the skipped front ends inside it; the rest are the same.
            auto firstKept = std::find_if(whole.begin(), whole.end(), [&](const SeenRun& r) {
                return r.Offset >= part.SkippedBytes;
            });
            for (auto it = whole.begin(); it != firstKept; ++it) {
                ASSERT_LE(it->Offset + it->Length, part.SkippedBytes);
            }
            ASSERT_EQ(std::vector<SeenRun>(firstKept, whole.end()), part.Runs)
                << "round " << round << " edit " << edit << " at " << pos;
        }
    }
    EXPECT_GT(resumed, 20u);  // most edits went on from a checkpoint
}

TEST_F(LongLineTokenizing, ResumingSkipsMostOfTheLineAfterTypingNearTheView) {
    std::mt19937 rng(7);
    memo.Lines().Add(RandomLine(rng, 400000));
    HighlightState unused;
    Windowed(0, std::string_view::npos, unused);
    EXPECT_GT(memo.Lines().Count(), 0);
    std::string line(memo.Lines().View(0));
    line.insert(300000, "x");
    memo.Lines().PutEdited(0, line, 300000);
    const OffsetRecorder part = Windowed(299000, 299200, unused);
    EXPECT_GT(part.SkippedBytes, 200000u);
    ASSERT_FALSE(part.Runs.empty());
    EXPECT_LT(part.Runs.back().Offset, 299200u + 64);
}

TEST_F(LongLineTokenizing, StoppedRunsAreTheWholeLineRunsUpToTheStop) {
    std::mt19937 rng(99);
    memo.Lines().Add(RandomLine(rng, 200000));
    HighlightState wholeEnd;
    const std::vector<SeenRun> whole = Whole(wholeEnd);
    for (size_t stop : {size_t{70000}, size_t{150000}, size_t{199990}}) {
        HighlightState unused;
        const OffsetRecorder part = Windowed(0, stop, unused);
        ASSERT_FALSE(part.Runs.empty());
        const SeenRun& last = part.Runs.back();
        EXPECT_GE(last.Offset + last.Length, std::min(stop, whole.back().Offset));
        ASSERT_LE(part.Runs.size(), whole.size());
        for (size_t i = 0; i + 1 < part.Runs.size(); ++i) {
            ASSERT_EQ(part.Runs[i], whole[i]) << i;
        }
        EXPECT_EQ(last.Offset, whole[part.Runs.size() - 1].Offset);
        EXPECT_EQ(last.State, whole[part.Runs.size() - 1].State);
    }
}

TEST(BlockWordScan, FirstOccurrencesAgreeWithSearchingTheUpperCasedLine) {
    std::mt19937 rng(4242);
    const std::vector<std::string> words = {"BEGIN", "TRY", "CASE", "CLASS", "END", "E", ""};
    TBlockWordScan scan;
    scan.SetWords(words);
    static const char* const kPieces[] = {"begin", "End", "en", "d",    "cLaSs", "tr",   "y",
                                          " ",     ";",   "é",  "\xE9", "\xFF",  "case", "x"};
    std::uniform_int_distribution<size_t> pick(0, std::size(kPieces) - 1);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const size_t pieces = rng() % 40;
        for (size_t k = 0; k < pieces; ++k) {
            text += kPieces[pick(rng)];
        }
        const std::vector<size_t> fresh = scan.FirstOccurrences(text);
        const std::string upper = AnsiUpperCase(text);
        for (size_t i = 0; i < words.size(); ++i) {
            const size_t expected = words[i].empty() ? std::string::npos : upper.find(words[i]);
            ASSERT_EQ(fresh[i], expected) << text << " " << words[i];
            for (size_t from = 0; from <= text.size(); ++from) {
                ASSERT_EQ(TBlockWordScan::Find(text, words[i], from),
                          words[i].empty() ? std::string::npos : upper.find(words[i], from));
            }
        }
        // Edited behind a front part, the kept answers give the same as a fresh pass.
        const size_t keep = text.empty() ? 0 : rng() % (text.size() + 1);
        std::string edited = text.substr(0, keep) + kPieces[pick(rng)] + text.substr(keep);
        EXPECT_EQ(scan.FirstOccurrences(edited, fresh, keep), scan.FirstOccurrences(edited))
            << text << " -> " << edited;
    }
}

TEST(LineStoreVersions, UnchangedPrefixFollowsReplacementsAndForgetsAfterRestructuring) {
    TLineStore store;
    store.Insert(0, "hello world");
    store.Insert(1, "second");
    const uint64_t v0 = store.Version();
    EXPECT_EQ(store.UnchangedPrefix(0, v0), TLineStore::kWholeLine);
    store.Replace(0, "hello there world", false, 6);
    EXPECT_EQ(store.UnchangedPrefix(0, v0), 6u);
    EXPECT_EQ(store.UnchangedPrefix(1, v0), TLineStore::kWholeLine);
    store.Replace(0, "hel", false, 3);
    EXPECT_EQ(store.UnchangedPrefix(0, v0), 3u);
    const uint64_t v1 = store.Version();
    store.Replace(0, "help", false, 100);  // a claim is capped by both texts
    EXPECT_EQ(store.UnchangedPrefix(0, v1), 3u);
    const uint64_t v2 = store.Version();
    store.Insert(0, "new first line");
    EXPECT_EQ(store.UnchangedPrefix(1, v2), 0u);
    const uint64_t v3 = store.Version();
    for (int i = 0; i < 40; ++i) {
        store.Replace(1, "help!", false, 4);
    }
    EXPECT_EQ(store.UnchangedPrefix(1, v3), 0u);  // older than the record reaches
    EXPECT_EQ(store.UnchangedPrefix(1, store.Version() - 2), 4u);
}

TEST(BlockWordScan, AnswersKeptAcrossAnEditBetweenAFrontAndAnEndEqualAFreshPass) {
    std::mt19937 rng(77);
    const std::vector<std::string> words = {"BEGIN", "TRY", "CASE", "END", "X", ""};
    TBlockWordScan scan;
    scan.SetWords(words);
    // Mostly filler, so that first occurrences are few and edits often make or break them.
    static const char* const kPieces[] = {"begin", "End", "en", "d",  "tr", "y",   " ",  ";",
                                          "é",     "x",   "e",  "ca", "se", "BEG", "..", "qq",
                                          "w",     "ww",  "zz", "k",  "kk", "oo",  "uu", "ii"};
    std::uniform_int_distribution<size_t> pick(0, std::size(kPieces) - 1);
    int shortened = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const size_t pieces = rng() % 60;
        for (size_t k = 0; k < pieces; ++k) {
            text += kPieces[pick(rng)];
        }
        // Replace text[from, to) by up to two pieces; claim at most the true front and end.
        const size_t from = rng() % (text.size() + 1);
        const size_t to = from + rng() % (text.size() - from + 1);
        std::string inserted;
        for (size_t k = rng() % 3; k > 0; --k) {
            inserted += kPieces[pick(rng)];
        }
        const std::string edited = text.substr(0, from) + inserted + text.substr(to);
        const size_t prefix = round % 2 == 0 ? from : rng() % (from + 1);
        const size_t suffix = round % 3 == 0 ? text.size() - to : rng() % (text.size() - to + 1);
        const std::vector<size_t> known = scan.FirstOccurrences(text);
        ASSERT_EQ(scan.FirstOccurrences(edited, known, prefix, suffix, text.size()),
                  scan.FirstOccurrences(edited))
            << text << " -> " << edited << " front " << prefix << " end " << suffix;
        shortened += suffix > 0 && prefix >= 5 ? 1 : 0;
    }
    EXPECT_GT(shortened, 500);
}

TEST(LineStoreVersions, UnchangedSuffixIsTheSmallestClaimSinceAndNeverOverlapsThePrefix) {
    TLineStore store;
    store.Insert(0, "hello world");
    const uint64_t v0 = store.Version();
    EXPECT_EQ(store.UnchangedSuffix(0, v0), TLineStore::kWholeLine);
    store.Replace(0, "hello big world", false, 6, 5);  // "big " typed before "world"
    EXPECT_EQ(store.UnchangedPrefix(0, v0), 6u);
    EXPECT_EQ(store.UnchangedSuffix(0, v0), 5u);
    store.Replace(0, "hello big world!", false, 15, 0);
    EXPECT_EQ(store.UnchangedSuffix(0, v0), 0u);
    const uint64_t v1 = store.Version();
    store.Replace(0, "hello big world!!", false, 16, 40);  // cut to what is left after the front
    EXPECT_EQ(store.UnchangedSuffix(0, v1), 0u);
    const uint64_t v2 = store.Version();
    store.Replace(0, "Hello big world!!", false, 0, 16);
    EXPECT_EQ(store.UnchangedSuffix(0, v2), 16u);
    store.Insert(0, "new first line");
    EXPECT_EQ(store.UnchangedSuffix(1, v2), 0u);
}

}  // namespace
}  // namespace tarnwick::editor
