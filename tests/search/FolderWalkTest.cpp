// The folder walk on real trees in a temporary folder.
#include "search/FolderWalk.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "search/WalkHarness.h"
#include "support/ChildOutput.h"
#include "support/TempTree.h"

namespace tarnwick::search {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TempTree;
using ::testing::UnorderedElementsAre;
using testing::WalkHarness;

class FolderWalkTest : public ::testing::Test {
  protected:
    TempTree tree;
    WalkHarness h;
    std::vector<std::string> Walk(const std::string& nameText, bool recurse = true) {
        return h.Walk(tree.root(), nameText, recurse, tree.root());
    }
};

TEST_F(FolderWalkTest, NameTextSelectsByPrefixIgnoringCase) {
    tree.File("report.txt");
    tree.File("Reply.doc");
    tree.Folder("repo");
    tree.File("prep.txt");
    EXPECT_THAT(Walk("rep"), ElementsAre("Reply.doc", "repo", "report.txt"));
}

TEST_F(FolderWalkTest, DepthFirstInNameOrderWithFolderHitsBeforeTheirContents) {
    tree.File("b/x.txt");
    tree.File("a/z.txt");
    tree.File("a/sub/y.txt");
    tree.File("a/B.txt");
    tree.File("c.txt");
    EXPECT_THAT(Walk(""), ElementsAre("a", "b", "c.txt", "a/B.txt", "a/sub", "a/z.txt",
                                      "a/sub/y.txt", "b/x.txt"));
    // Each folder is reported, with its trailing separator, before its entries.
    EXPECT_THAT(h.sink.folders, ElementsAre(tree.root() + "/", tree.path("a/"), tree.path("a/sub/"),
                                            tree.path("b/")));
}

TEST_F(FolderWalkTest, WithoutSubdirectoriesOnlyTheRootIsListed) {
    tree.File("a/deep.txt");
    tree.File("top.txt");
    EXPECT_THAT(Walk("", false), ElementsAre("a", "top.txt"));
}

TEST_F(FolderWalkTest, HiddenEntriesOnlyWhenAsked) {
    tree.File(".hidden.txt");
    tree.File(".secret/inside.txt");
    tree.File("shown.txt");
    EXPECT_THAT(Walk(""), ElementsAre("shown.txt"));
    h.options.SetIncludeHidden(true);
    EXPECT_THAT(Walk(""), ElementsAre(".hidden.txt", ".secret", "shown.txt", ".secret/inside.txt"));
    EXPECT_EQ(h.sink.rows[0].Attributes, "+H");
}

TEST_F(FolderWalkTest, SystemEntriesAreNeverListedNorOpened) {
    tree.File("plain.txt", "needle");
    ASSERT_EQ(::mkfifo(tree.path("pipe").c_str(), 0644), 0);
    tree.Link("dangling", tree.path("nowhere"));
    h.contentText = "needle";
    // A FIFO opened for reading would block this test forever.
    EXPECT_THAT(Walk(""), ElementsAre("plain.txt"));
    h.contentText.clear();
    EXPECT_THAT(Walk(""), ElementsAre("plain.txt"));
}

TEST_F(FolderWalkTest, SymlinkedFoldersAreListedButNeverDescended) {
    tree.File("real/file.txt");
    tree.Link("real/loop", tree.path("real"));
    tree.Link("up", tree.root());
    EXPECT_THAT(Walk(""), ElementsAre("real", "up", "real/file.txt", "real/loop"));
    const auto& loopRow = h.sink.rows[3];
    EXPECT_EQ(loopRow.Type, "Folder");
    EXPECT_EQ(loopRow.Size, "-");
}

TEST_F(FolderWalkTest, ExcludeFilterPassesOverListedExtensions) {
    tree.File("setup.EXE");
    tree.File("notes");
    tree.Folder("data");
    tree.File("lib.dll");
    tree.File("keep.txt");
    EXPECT_THAT(Walk(""), ElementsAre("data", "keep.txt", "notes"));
}

TEST_F(FolderWalkTest, IncludeFilterKeepsOnlyListedExtensions) {
    h.options.SetFilter(FilterMode::Include);
    h.options.SetIncludeListText("txt");
    tree.File("a.TXT");
    tree.File("b.doc");
    tree.File("logs.txt/inner.txt");
    tree.File("plain/deep.txt");
    // Folders without the extension are not listed, but still walked.
    EXPECT_THAT(Walk(""), ElementsAre("a.TXT", "logs.txt", "logs.txt/inner.txt", "plain/deep.txt"));
    h.options.SetIncludeListText(".txt");
    EXPECT_THAT(Walk(""), IsEmpty());
}

TEST_F(FolderWalkTest, WholeWordComparesStems) {
    h.options.SetWholeWord(true);
    for (const char* name : {"Report.doc", "Report.txt", "report.doc", "Report2.doc", "Report.docx",
                             "Report.doc.bak"}) {
        tree.File(name);
    }
    EXPECT_THAT(Walk("Report"), ElementsAre("Report.doc", "Report.docx", "Report.txt"));
    EXPECT_THAT(Walk("Report.doc"), ElementsAre("Report.doc", "Report.docx"));
    EXPECT_THAT(Walk("rep*.txt"), IsEmpty());
}

TEST_F(FolderWalkTest, WholeWordWithAnEmptyNameTextAppliesOnlyTheContentRule) {
    tree.File("a.txt", "say foo now");
    tree.File("b.c", "foobar only");
    tree.File("sub/c.md", "foo");
    tree.File("README", "xfoo\tbar");
    h.contentText = "foo";
    h.options.SetWholeWord(true);
    EXPECT_THAT(Walk(""), ElementsAre("a.txt", "README", "sub/c.md"));
}

TEST_F(FolderWalkTest, ContainingTextSkipsFoldersButStillDescends) {
    tree.File("src/main.c", "int foo;");
    tree.File("src/other.c", "int bar;");
    tree.File("empty.c", "");
    tree.File("top.c", "foo");
    h.contentText = "foo";
    EXPECT_THAT(Walk(""), ElementsAre("top.c", "src/main.c"));
}

TEST_F(FolderWalkTest, EmptyFileNeverMatchesRightAfterAMatchingOne) {
    tree.File("a.txt", "hello foo");
    tree.File("b.txt", "");
    h.contentText = "foo";
    EXPECT_THAT(Walk(""), ElementsAre("a.txt"));
}

TEST_F(FolderWalkTest, ContentAcrossChunkBoundariesWithWholeWord) {
    // Whole word applies to the name too: the files share the name text's stem.
    tree.File("a/doc.txt", std::string(1000, 'x') + " foo\n");
    tree.File("b/doc.txt", std::string(999, 'x') + " foobar foo ");
    tree.File("c/other.txt", " foo ");
    h.contentText = "foo";
    h.options.SetWholeWord(true);
    EXPECT_THAT(h.Walk(tree.root(), "doc", true, tree.root(), 7), ElementsAre("a/doc.txt"));
}

TEST_F(FolderWalkTest, RowTextsOfAFileAndAFolder) {
    tree.File("notes.txt", std::string(1536, 'n'));
    tree.Folder("stuff");
    ASSERT_EQ(::chmod(tree.path("notes.txt").c_str(), 0444), 0);
    const auto paths = Walk("");
    ASSERT_THAT(paths, ElementsAre("notes.txt", "stuff"));
    const ResultRow& file = h.sink.rows[0];
    EXPECT_EQ(file.Name, "notes.txt");
    EXPECT_EQ(file.Path, tree.path("notes.txt"));
    EXPECT_EQ(file.Size, "1.5 KB");
    EXPECT_EQ(file.Type, "TXT File");
    EXPECT_EQ(file.IconKey, "type-txt");
    EXPECT_EQ(file.Attributes, "+R");
    EXPECT_FALSE(file.Created.empty());
    EXPECT_FALSE(file.Modified.empty());
    const ResultRow& folder = h.sink.rows[1];
    EXPECT_EQ(folder.Size, "-");
    EXPECT_EQ(folder.Type, "Folder");
    EXPECT_EQ(folder.IconKey, "folder");
    EXPECT_EQ(folder.Attributes, "");
    EXPECT_THAT(h.sink.counts, ElementsAre("1 items found", "2 items found"));
}

TEST_F(FolderWalkTest, AFileWhoseTypeNameIsFolderLooksLikeOne) {
    tree.File("odd.folderlike", "abc");
    Walk("");
    ASSERT_EQ(h.sink.rows.size(), 1u);
    EXPECT_EQ(h.sink.rows[0].Size, "-");
    EXPECT_EQ(h.sink.rows[0].IconKey, "folder");
}

TEST_F(FolderWalkTest, TypeNamesAreOnlyLookedUpForHits) {
    for (int i = 0; i < 50; ++i) {
        tree.File("miss" + std::to_string(i) + ".txt");
    }
    tree.File("hit.txt");
    EXPECT_THAT(Walk("hit"), ElementsAre("hit.txt"));
    EXPECT_EQ(h.typeNames.calls.load(), 1);
}

TEST_F(FolderWalkTest, StoppedWalkReturnsBeforeTheNextEntry) {
    tree.File("a.txt");
    tree.File("sub/b.txt");
    h.state.Running = false;
    EXPECT_THAT(Walk(""), IsEmpty());
    EXPECT_THAT(h.sink.folders, ElementsAre(tree.root() + "/"));
}

TEST_F(FolderWalkTest, FolderThatCannotBeListedYieldsNothing) {
    EXPECT_THAT(h.Walk(tree.path("missing"), "", true), IsEmpty());
    EXPECT_THAT(h.sink.folders, ElementsAre(tree.path("missing/")));
}

TEST_F(FolderWalkTest, ListChangedDuringTheWalkTakesEffectAtTheNextEntry) {
    tree.File("a.exe");
    h.options.SetExcludeListText("exe");
    EXPECT_THAT(Walk(""), IsEmpty());
    h.options.SetExcludeListText("dll");
    EXPECT_THAT(Walk(""), ElementsAre("a.exe"));
}

// Root can read every file, so unreadable entries are tested in a child process that gives up
// its privileges first. Returns the child's row paths, one per line.
std::string WalkAsNobody(const std::string& root, const std::string& contentText) {
    return test::ChildOutput([&]() -> std::string {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return "child failed";
        }
        WalkHarness child;
        child.contentText = contentText;
        std::string out;
        for (const auto& p : child.Walk(root, "", true, root)) {
            out += p + "\n";
        }
        return out;
    });
}

TEST_F(FolderWalkTest, UnreadableFilesAndFoldersAreSkippedAndTheWalkGoesOn) {
    tree.File("a.txt", "foo");
    tree.File("b-locked.txt", "foo");
    tree.File("c.txt", "foo");
    tree.File("closed/inner.txt", "foo");
    tree.File("open/inner.txt", "foo");
    ASSERT_EQ(::chmod(tree.root().c_str(), 0755), 0);
    for (const char* d : {"open", "closed"}) {
        ASSERT_EQ(::chmod(tree.path(d).c_str(), 0755), 0);
    }
    for (const char* f : {"a.txt", "c.txt", "open/inner.txt", "closed/inner.txt"}) {
        ASSERT_EQ(::chmod(tree.path(f).c_str(), 0644), 0);
    }
    ASSERT_EQ(::chmod(tree.path("b-locked.txt").c_str(), 0000), 0);
    ASSERT_EQ(::chmod(tree.path("closed").c_str(), 0000), 0);
    EXPECT_EQ(WalkAsNobody(tree.root(), "foo"), "a.txt\nc.txt\nopen/inner.txt\n");
}

}  // namespace
}  // namespace tarnwick::search
