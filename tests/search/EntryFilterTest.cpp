// The entry filter on real folders: the extension lists, the whole-word rule and the content
// test, and the same answers whether or not helpers read ahead.
#include "search/EntryFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempTree.h"

namespace tarnwick::search {

using platform::EntryKind;
using platform::FolderListing;
using platform::ListedName;

namespace {

using testing::TempTree;

struct FilterSetup {
    FilterMode mode;
    std::string excludeList;
    std::string includeList;
    bool wholeWord;
    std::string nameText;
    std::string contentText;
};
constexpr FilterMode kExclude = FilterMode::Exclude;
constexpr FilterMode kInclude = FilterMode::Include;

// Asks a filter about every entry of `folder`, in name order; returns the accepted names.
std::vector<std::string> Accepted(const std::string& folder, const FilterSetup& setup,
                                  std::size_t helpers) {
    SearchOptions options;
    options.SetFilter(setup.mode);
    options.SetExcludeListText(setup.excludeList);
    options.SetIncludeListText(setup.includeList);
    options.SetWholeWord(setup.wholeWord);
    std::atomic<bool> running{true};
    int reliefs = 0;
    EntryFilter filter(options, setup.contentText, running, 0, helpers, [&](int) {
        ++reliefs;
        return false;
    });
    filter.SetNameText(setup.nameText);
    const FolderListing listing(folder);
    std::vector<const ListedName*> entries;
    for (const ListedName& entry : listing.Names()) {
        if (entry.name != "." && entry.name != "..") {  // the walk never asks about these
            entries.push_back(&entry);
        }
    }
    const std::vector<std::size_t> slots = filter.BeginFolder(listing, entries);
    EXPECT_EQ(slots.size(), entries.size());
    std::vector<std::string> accepted;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const bool isFolder = entries[i]->kind == EntryKind::Directory;
        if (filter.Accepts(listing, *entries[i], isFolder, slots[i])) {
            accepted.push_back(entries[i]->name);
        }
    }
    filter.EndFolder();
    EXPECT_EQ(reliefs, 0) << "no file lacked a descriptor";
    return accepted;
}

using Names = std::vector<std::string>;

TEST(EntryFilter, AppliesExtensionsWholeWordAndContentInEveryCombination) {
    TempTree tree;
    tree.File("a.exe", "needle");
    tree.File("b.TXT", "needle in text");
    tree.File("c.txt", "nothing");
    tree.File("d.log", "needle");
    tree.File("noext", "needle");
    tree.Folder("e.txt");
    const struct {
        const char* what;
        FilterSetup setup;
        Names expected;
    } cases[] = {
        {"default exclude list",
         {kExclude, kDefaultExcludeList, kDefaultIncludeList, false, "", ""},
         Names{"b.TXT", "c.txt", "d.log", "e.txt", "noext"}},
        {"whole word", {kExclude, "", "", true, "c", ""}, Names{"c.txt"}},
        {"exclude list, case ignored",
         {kExclude, "EXE,txt", "", false, "", ""},
         Names{"d.log", "noext"}},
        {"default include list",
         {kInclude, kDefaultExcludeList, kDefaultIncludeList, false, "", ""},
         Names{"b.TXT", "c.txt", "e.txt"}},
        {"include list", {kInclude, "", "log,exe", false, "", ""}, Names{"a.exe", "d.log"}},
        {"content: files holding it, never folders",
         {kExclude, "", "", false, "", "needle"},
         Names{"a.exe", "b.TXT", "d.log", "noext"}},
        {"content and include list", {kInclude, "", "txt", false, "", "needle"}, Names{"b.TXT"}},
    };
    for (const auto& c : cases) {
        // With helpers reading ahead or without, the answers are the same.
        for (const std::size_t helpers : {std::size_t{0}, std::size_t{2}}) {
            Names got = Accepted(tree.root(), c.setup, helpers);
            EXPECT_EQ(got, c.expected) << c.what << ", helpers " << helpers;
        }
    }
}

TEST(EntryFilter, ChangedListsCountFromTheNextQuestion) {
    TempTree tree;
    SearchOptions options;
    std::atomic<bool> running{true};
    EntryFilter filter(options, "", running, 0, 0, [](int) { return false; });
    EXPECT_TRUE(filter.IsExcludedExtension(".exe"));
    EXPECT_FALSE(filter.IsExcludedExtension(".txt"));
    options.SetExcludeListText("txt");
    EXPECT_FALSE(filter.IsExcludedExtension(".exe"));
    EXPECT_TRUE(filter.IsExcludedExtension(".txt"));
    EXPECT_TRUE(filter.IsIncludedExtension(".php"));
    options.SetIncludeListText("");
    EXPECT_FALSE(filter.IsIncludedExtension(".php"));
}

TEST(EntryFilter, ReadsAheadOnlyWithAContainingTextAndHelpers) {
    TempTree tree;
    tree.File("a.txt", "x");
    const FolderListing listing(tree.root());
    SearchOptions options;
    std::atomic<bool> running{true};
    const struct {
        const char* contentText;
        std::size_t helpers;
        bool readsAhead;
    } cases[] = {{"", 2, false}, {"x", 0, false}, {"x", 2, true}};
    for (const auto& c : cases) {
        EntryFilter filter(options, c.contentText, running, 0, c.helpers,
                           [](int) { return false; });
        EXPECT_EQ(filter.ReadsAhead(listing), c.readsAhead) << c.contentText << c.helpers;
        std::vector<const ListedName*> entries;
        for (const ListedName& entry : listing.Names()) {
            if (entry.name == "a.txt") {
                entries.push_back(&entry);
            }
        }
        ASSERT_EQ(entries.size(), 1u);
        const auto slots = filter.BeginFolder(listing, entries);
        EXPECT_EQ(slots.front() != EntryFilter::kNoSlot, c.readsAhead);
        filter.EndFolder();
    }
    const FolderListing gone(tree.path("missing"));
    EntryFilter filter(options, "x", running, 0, 2, [](int) { return false; });
    EXPECT_FALSE(filter.ReadsAhead(gone));
}

}  // namespace
}  // namespace tarnwick::search
