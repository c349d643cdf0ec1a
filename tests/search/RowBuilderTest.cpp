// The row builder on real entries: the texts of file and folder rows, and entries it skips.
#include "search/RowBuilder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "support/FakeTypeNames.h"
#include "support/FixedLocale.h"
#include "support/TempTree.h"

namespace tarnwick::search {

using platform::FolderListing;
using platform::ListedName;

namespace {

using testing::FakeTypeNames;
using testing::FixedLocale;
using testing::TempTree;

const ListedName& EntryNamed(const FolderListing& listing, const std::string& name) {
    for (const ListedName& entry : listing.Names()) {
        if (entry.name == name) {
            return entry;
        }
    }
    throw std::runtime_error("no entry " + name);
}

TEST(RowBuilder, FilesAndFoldersGetTheirTexts) {
    TempTree tree;
    tree.File("notes.txt", std::string(1536, 'x'));
    tree.File("odd.folderlike", "x");
    tree.Folder("sub");
    FakeTypeNames types;
    const FixedLocale locale(",");
    const RowBuilder rows(types, locale);
    const FolderListing listing(tree.root());
    const std::string folder = tree.root() + "/";
    const struct {
        const char* name;
        const char* size;
        const char* type;
        const char* icon;
    } cases[] = {
        {"notes.txt", "1,5 KB", "TXT File", "type-txt"},
        // A file whose type reads "Folder" is shown like a folder.
        {"odd.folderlike", "-", "Folder", "folder"},
        {"sub", "-", "Folder", "folder"},
    };
    for (const auto& c : cases) {
        const auto row = rows.Build(listing, EntryNamed(listing, c.name), folder);
        ASSERT_TRUE(row.has_value()) << c.name;
        EXPECT_EQ(row->Name, c.name);
        EXPECT_EQ(row->Path, folder + c.name);
        EXPECT_EQ(row->Size, c.size) << c.name;
        EXPECT_EQ(row->Type, c.type) << c.name;
        EXPECT_EQ(row->IconKey, c.icon) << c.name;
        EXPECT_FALSE(row->Created.empty()) << c.name;
        EXPECT_FALSE(row->Modified.empty()) << c.name;
    }
    // Folders are never asked for a type name.
    EXPECT_EQ(types.calls.load(), 2);
}

TEST(RowBuilder, AnEntryGoneSinceTheListingYieldsNoRow) {
    TempTree tree;
    tree.File("gone.txt", "x");
    FakeTypeNames types;
    const FixedLocale locale;
    const RowBuilder rows(types, locale);
    const FolderListing listing(tree.root());
    const ListedName& entry = EntryNamed(listing, "gone.txt");
    ASSERT_EQ(::unlink(tree.path("gone.txt").c_str()), 0);
    EXPECT_FALSE(rows.Build(listing, entry, tree.root() + "/").has_value());
    EXPECT_EQ(types.calls.load(), 0);
}

}  // namespace
}  // namespace tarnwick::search
