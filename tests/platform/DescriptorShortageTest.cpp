// Opens that fail for lack of descriptors are told apart from opens that can't be done, so a
// walk can free some and try again instead of taking the folder or file for missing.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/FolderHandle.h"
#include "platform/ReadOnlyFile.h"
#include "support/TempTree.h"

namespace tarnwick::platform {
namespace {

// Runs `check` in a child process whose open-file limit leaves no descriptor free (the test
// executable keeps its own limit); true when the child exits with 0.
template <class Check>
bool WithoutFreeDescriptors(Check check) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        rlimit lowered{};
        ::getrlimit(RLIMIT_NOFILE, &lowered);
        // The lowest free descriptor number is the limit: nothing can be opened.
        const int probe = ::dup(0);
        if (probe < 0) {
            ::_exit(3);
        }
        ::close(probe);
        lowered.rlim_cur = static_cast<rlim_t>(probe);
        if (::setrlimit(RLIMIT_NOFILE, &lowered) != 0) {
            ::_exit(3);
        }
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(DescriptorShortageTest, FolderOpensTellAShortageFromAMissingFolder) {
    testing::TempTree tree;
    tree.File("sub/file.txt", "x");
    const std::string root = tree.root();
    // With descriptors to spare: a missing folder is no shortage.
    const FolderHandle missing = FolderHandle::OpenPath(tree.path("absent"));
    EXPECT_FALSE(missing.Ok());
    EXPECT_FALSE(missing.OutOfDescriptors());
    const FolderHandle open = FolderHandle::OpenPath(root);
    ASSERT_TRUE(open.Ok());
    EXPECT_FALSE(open.OutOfDescriptors());
    EXPECT_FALSE(open.OpenChild("absent").OutOfDescriptors());
    // Without: the same opens say why they failed.
    EXPECT_TRUE(WithoutFreeDescriptors([&] {
        const FolderHandle path = FolderHandle::OpenPath(root);
        const FolderHandle child = open.OpenChild("sub");
        const FolderHandle parent = open.OpenParent();
        return !path.Ok() && path.OutOfDescriptors() && !child.Ok() && child.OutOfDescriptors() &&
               !parent.Ok() && parent.OutOfDescriptors();
    }));
}

TEST(DescriptorShortageTest, FileOpensTellAShortageFromAnUnreadableFile) {
    testing::TempTree tree;
    tree.File("file.txt", "x");
    tree.Folder("folder");
    ReadOnlyFile file;
    EXPECT_FALSE(file.Open(tree.path("absent")));
    EXPECT_FALSE(file.OutOfDescriptors());
    EXPECT_FALSE(file.Open(tree.path("folder")));
    EXPECT_FALSE(file.OutOfDescriptors());
    EXPECT_TRUE(WithoutFreeDescriptors([&] {
        ReadOnlyFile starved;
        return !starved.Open(tree.path("file.txt")) && starved.OutOfDescriptors();
    }));
    EXPECT_TRUE(file.Open(tree.path("file.txt")));
    EXPECT_FALSE(file.OutOfDescriptors());
}

}  // namespace
}  // namespace tarnwick::platform
