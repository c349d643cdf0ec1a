// Folder listings and entry attributes on a real temporary tree.
#include "platform/DirectoryEnumeration.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/FileAttributes.h"
#include "support/TempTree.h"

namespace tarnwick::platform {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Names(const FolderListing& listing) {
    std::vector<std::string> names;
    for (const auto& n : listing.Names()) {
        names.push_back(n.name);
    }
    return names;
}

TEST(FolderListingTest, NamesInOrderIgnoringAsciiCase) {
    const testing::TempTree tree;
    for (const char* n : {"b", "A", "a", "C.txt", "_x", "ä"}) {
        tree.File(n);
    }
    const FolderListing listing(tree.root());
    ASSERT_TRUE(listing.Ok());
    EXPECT_THAT(Names(listing), ElementsAre(".", "..", "A", "a", "b", "C.txt", "_x", "ä"));
}

TEST(FolderListingTest, MissingFolderGivesAnEmptyListing) {
    const FolderListing listing("/definitely/not/here");
    EXPECT_FALSE(listing.Ok());
    EXPECT_TRUE(listing.Names().empty());
}

TEST(FolderListingTest, AttributesFollowThePosixMapping) {
    const testing::TempTree tree;
    tree.File("plain.txt", "12345");
    tree.File(".hidden");
    tree.Folder("dir");
    tree.Link("link-to-dir", tree.path("dir"));
    tree.Link("link-to-file", tree.path("plain.txt"));
    tree.Link("dangling", tree.path("nothing"));
    tree.File("ro.txt");
    ASSERT_EQ(::chmod(tree.path("ro.txt").c_str(), 0444), 0);
    ASSERT_EQ(::mkfifo(tree.path("fifo").c_str(), 0644), 0);

    const FolderListing listing(tree.root());
    auto info = [&](const std::string& name) {
        for (const auto& n : listing.Names()) {
            if (n.name == name) {
                return listing.Examine(n);
            }
        }
        return std::optional<EntryInfo>{};
    };
    EXPECT_EQ(info("plain.txt")->attributes, 0u);
    EXPECT_EQ(info("plain.txt")->size, 5u);
    EXPECT_EQ(info(".hidden")->attributes, kAttrHidden);
    EXPECT_EQ(info("dir")->attributes, kAttrDirectory);
    EXPECT_FALSE(info("dir")->isSymlink);
    EXPECT_EQ(info("link-to-dir")->attributes, kAttrDirectory);
    EXPECT_TRUE(info("link-to-dir")->isSymlink);
    EXPECT_EQ(info("link-to-file")->size, 5u);
    EXPECT_EQ(info("dangling")->attributes, kAttrSystem);
    EXPECT_EQ(info("fifo")->attributes & kAttrSystem, kAttrSystem);
    EXPECT_EQ(info("ro.txt")->attributes, kAttrReadOnly);
    EXPECT_EQ(info(".")->attributes, kAttrDirectory);  // "." and ".." are not hidden
}

TEST(AttributeDataTest, TimesOfAFile) {
    const testing::TempTree tree;
    tree.File("f");
    struct timespec times[2] = {{1000000000, 0}, {1700000000, 500}};
    ASSERT_EQ(::utimensat(AT_FDCWD, tree.path("f").c_str(), times, 0), 0);
    const auto data = GetAttributeData(tree.path("f"));
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->lastWriteTime, FileTimeFromUnix(1700000000, 500));
    EXPECT_GT(data->creationTime, 0);
    EXPECT_FALSE(GetAttributeData(tree.path("missing")).has_value());
}

TEST(AttributeDataTest, CreationTimeIsTheBirthTimeUnlessNoneOrZeroWasReported) {
    const std::int64_t written = FileTimeFromUnix(1700000000, 0);
    const struct {
        const char* what;
        bool reported;
        std::int64_t seconds, nanoseconds;
        std::int64_t expected;
    } cases[] = {
        {"recorded", true, 1600000000, 700, FileTimeFromUnix(1600000000, 700)},
        {"not reported", false, 1600000000, 700, written},
        {"reported as zero", true, 0, 0, written},
        {"just after the epoch", true, 0, 100, FileTimeFromUnix(0, 100)},
        {"before the epoch", true, -86400, 0, FileTimeFromUnix(-86400, 0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CreationTimeOrLastWrite(c.reported, c.seconds, c.nanoseconds, written),
                  c.expected)
            << c.what;
    }
}

}  // namespace
}  // namespace tarnwick::platform
