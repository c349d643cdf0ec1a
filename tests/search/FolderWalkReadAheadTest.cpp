// The content walk with helpers reading ahead: the same rows in the same order as a walk
// without them, a Stop that ends the walk at the same entry, and an error that ends it there.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "search/FolderWalk.h"
#include "search/WalkHarness.h"
#include "support/FakeTypeNames.h"
#include "support/FixedLocale.h"
#include "support/TempTree.h"

namespace tarnwick::search {
namespace {

using ::testing::ElementsAre;
using testing::TempTree;

// Everything a walk reported, in order, each row with all its texts.
struct Reported {
    std::vector<std::string> events;
    std::size_t rows = 0;
};

class ReportingSink final : public SearchSink {
  public:
    void Folder(const std::string& folderPath) override {
        reported.events.push_back("folder " + folderPath);
    }
    void Row(ResultRow row, std::string foundCountText) override {
        reported.events.push_back("row " + row.Name + "|" + row.Path + "|" + row.Size + "|" +
                                  row.Type + "|" + row.Created + "|" + row.Modified + "|" +
                                  row.Attributes + "|" + row.IconKey + "|" + foundCountText);
        if (++reported.rows == stopAfter) {
            state->Running = false;
        }
    }
    Reported reported;
    std::size_t stopAfter = 0;  // clears Running after this many rows (0: never)
    SearchState* state = nullptr;
};

// Type names that fail for one file name, as an entry that can't be described would.
class FailingTypeNames final : public platform::TypeNames {
  public:
    platform::TypeDescription DescribeFile(const std::string& fullPath) const override {
        if (fullPath.size() >= failing.size() &&
            fullPath.compare(fullPath.size() - failing.size(), failing.size(), failing) == 0) {
            throw std::runtime_error("no type for " + fullPath);
        }
        return inner.DescribeFile(fullPath);
    }
    std::string failing = "\x01";
    testing::FakeTypeNames inner;
};

class FolderWalkReadAheadTest : public ::testing::Test {
  protected:
    TempTree tree;
    SearchState state;
    SearchOptions options;
    FailingTypeNames typeNames;
    testing::FixedLocale locale;

    // A tree of folders of many files: hits, near misses, empty and hidden files, files larger
    // than a chunk, links, and extensions the filters care about.
    void MakeTree() {
        for (const char* folder : {"", "a/", "a/deep/", "b/", "c/"}) {
            for (int i = 0; i < 40; ++i) {
                const std::string n = std::to_string(i);
                const std::string base = std::string(folder) + "f" + (i < 10 ? "0" : "") + n;
                switch (i % 8) {
                    case 0:
                        tree.File(base + ".txt", "say foo now");
                        break;
                    case 1:
                        tree.File(base + ".c", "foobar only");
                        break;
                    case 2:
                        tree.File(base + ".md", "");
                        break;
                    case 3:
                        tree.File(base + ".exe", "foo");
                        break;
                    case 4:
                        tree.File(base + ".txt", std::string(5000, 'x') + "foo");
                        break;
                    case 5:
                        tree.File(std::string(folder) + ".h" + n, "foo\n");
                        break;
                    case 6:
                        tree.File(base + ".log", "xfoo\tbar foo");
                        break;
                    default:
                        tree.File(base + ".txt", "nothing here");
                        break;
                }
            }
        }
        tree.Link("c/link-to-hit.txt", tree.path("f00.txt"));
    }

    Reported Walk(std::size_t helpers, std::size_t stopAfter = 0) {
        state.Running = true;
        state.RowsFound = 0;
        ReportingSink sink;
        sink.stopAfter = stopAfter;
        sink.state = &state;
        WalkContext context{
            state, options, typeNames, locale, &sink, "foo", std::chrono::microseconds(0),
            1024,  helpers};
        TFolderWalk walk(context);
        try {
            walk.WalkFolder(tree.root(), "", true);
        } catch (const std::runtime_error& e) {
            sink.reported.events.push_back(std::string("error ") + e.what());
        }
        return sink.reported;
    }
};

TEST_F(FolderWalkReadAheadTest, RowsComeInTheSameOrderWithTheSameTextsAsWithoutHelpers) {
    MakeTree();
    const struct {
        const char* what;
        bool wholeWord;
        bool includeHidden;
        FilterMode filter;
        const char* list;
    } cases[] = {
        {"plain", false, false, FilterMode::Exclude, "exe,dll"},
        {"whole word", true, false, FilterMode::Exclude, "exe,dll"},
        {"hidden files too", false, true, FilterMode::Exclude, ""},
        {"include list", true, true, FilterMode::Include, "txt,log"},
    };
    for (const auto& c : cases) {
        options.SetWholeWord(c.wholeWord);
        options.SetIncludeHidden(c.includeHidden);
        options.SetFilter(c.filter);
        options.SetExcludeListText(c.list);
        options.SetIncludeListText(c.list);
        const Reported alone = Walk(0);
        ASSERT_GT(alone.rows, 20u) << c.what;
        for (const std::size_t helpers : {1u, 3u}) {
            const Reported ahead = Walk(helpers);
            EXPECT_EQ(ahead.events, alone.events) << c.what << ", " << helpers << " helpers";
        }
    }
}

TEST_F(FolderWalkReadAheadTest, RowsOfAFolderFollowTheNameOrder) {
    tree.File("b.txt", "foo");
    tree.File("A.txt", "foo");
    tree.File("c.txt", "no");
    tree.File("sub/z.txt", "foo");
    tree.File("C2.txt", "a foo");
    const Reported ahead = Walk(2);
    EXPECT_EQ(ahead.rows, 4u);
    std::vector<std::string> names;
    for (const std::string& e : ahead.events) {
        if (e.rfind("row ", 0) == 0) {
            names.push_back(e.substr(4, e.find('|') - 4));
        }
    }
    EXPECT_THAT(names, ElementsAre("A.txt", "b.txt", "C2.txt", "z.txt"));
}

TEST_F(FolderWalkReadAheadTest, StopEndsTheWalkAtTheSameEntryAsWithoutHelpers) {
    MakeTree();
    for (const std::size_t stopAfter : {1u, 4u, 13u}) {
        const Reported alone = Walk(0, stopAfter);
        ASSERT_EQ(alone.rows, stopAfter);
        for (const std::size_t helpers : {1u, 3u}) {
            const Reported ahead = Walk(helpers, stopAfter);
            EXPECT_EQ(ahead.rows, stopAfter) << helpers << " helpers";
            // The remaining folders still report themselves, as without helpers.
            EXPECT_EQ(ahead.events, alone.events)
                << helpers << " helpers, stop after " << stopAfter;
        }
    }
}

TEST_F(FolderWalkReadAheadTest, AnErrorEndsTheWalkAtTheSameEntryAsWithoutHelpers) {
    MakeTree();
    typeNames.failing = "/a/f16.txt";
    const Reported alone = Walk(0);
    ASSERT_FALSE(alone.events.empty());
    ASSERT_EQ(alone.events.back().rfind("error no type for", 0), 0u);
    for (const std::size_t helpers : {1u, 3u}) {
        EXPECT_EQ(Walk(helpers).events, alone.events) << helpers << " helpers";
    }
}

}  // namespace
}  // namespace tarnwick::search
