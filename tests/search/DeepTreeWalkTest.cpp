// The walk on very deep real trees: every folder is found at any depth, with a bounded number
// of open descriptors and beyond the system's path length limit.
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>

#include "search/WalkHarness.h"
#include "support/ChildOutput.h"
#include "support/TempTree.h"

namespace tarnwick::search {
namespace {

using testing::TempTree;
using testing::WalkHarness;

// A chain of `depth` nested folders named `folder` below `root`, each holding a file "hit.txt"
// (holding `hitContent`) and an empty file "other.txt". Built with *at calls, since the paths
// grow beyond PATH_MAX.
void MakeChain(const std::string& root, int depth, const std::string& folder,
               const std::string& hitContent = {}) {
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    for (int level = 0; level < depth; ++level) {
        ASSERT_EQ(::mkdirat(fd, folder.c_str(), 0755), 0) << level;
        const int next = ::openat(fd, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        ASSERT_GE(next, 0) << level;
        fd = next;
        for (const std::string name : {"hit.txt", "other.txt"}) {
            const int file = ::openat(fd, name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
            ASSERT_GE(file, 0);
            if (name == "hit.txt" && !hitContent.empty()) {
                ASSERT_EQ(::write(file, hitContent.data(), hitContent.size()),
                          static_cast<ssize_t>(hitContent.size()));
            }
            ::close(file);
        }
    }
    ::close(fd);
}

// Removes a chain made by MakeChain from the bottom up, holding one descriptor at a time.
void RemoveChain(const std::string& root, int depth, const std::string& folder) {
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; level < depth && fd >= 0; ++level) {
        const int next = ::openat(fd, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = next;
    }
    for (int level = depth; level > 0 && fd >= 0; --level) {
        ::unlinkat(fd, "hit.txt", 0);
        ::unlinkat(fd, "other.txt", 0);
        const int up = ::openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = up;
        ::unlinkat(fd, folder.c_str(), AT_REMOVEDIR);
    }
    if (fd >= 0) {
        ::close(fd);
    }
}

// Lowers the soft limit of open files for the test, like a desktop session's 1024.
class OpenFileLimit {
  public:
    explicit OpenFileLimit(rlim_t files) {
        ::getrlimit(RLIMIT_NOFILE, &old_);
        rlimit lowered = old_;
        lowered.rlim_cur = files;
        ::setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~OpenFileLimit() { ::setrlimit(RLIMIT_NOFILE, &old_); }
    OpenFileLimit(const OpenFileLimit&) = delete;
    OpenFileLimit& operator=(const OpenFileLimit&) = delete;

  private:
    rlimit old_{};
};

int OpenDescriptors() {
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir) != nullptr) {
            ++count;
        }
        ::closedir(dir);
    }
    return count - 3;  // ".", ".." and the listing's own
}

// Records the most descriptors open while the walk reports folders.
class DescriptorWatchingSink final : public SearchSink {
  public:
    void Folder(const std::string&) override {
        if (++folders % 100 == 0) {
            most = std::max(most, OpenDescriptors());
        }
    }
    void Row(ResultRow row, std::string) override { paths.push_back(std::move(row.Path)); }
    int folders = 0;
    int most = 0;
    std::vector<std::string> paths;
};

class DeepTreeWalkTest : public ::testing::Test {
  protected:
    TempTree tree;
    WalkHarness h;
    DescriptorWatchingSink sink;

    void Walk(const std::string& nameText) {
        WalkContext context{h.state,
                            h.options,
                            h.typeNames,
                            h.locale,
                            &sink,
                            h.contentText,
                            std::chrono::microseconds(0),
                            0};
        TFolderWalk walk(context);
        walk.WalkFolder(tree.root(), nameText, true);
    }
};

TEST_F(DeepTreeWalkTest, EveryLevelIsFoundUnderADesktopOpenFileLimit) {
    constexpr int kDepth = 1500;
    MakeChain(tree.root(), kDepth, "d");
    const int before = OpenDescriptors();
    {
        OpenFileLimit limit(1024);
        Walk("hit");
    }
    RemoveChain(tree.root(), kDepth, "d");
    ASSERT_EQ(sink.paths.size(), static_cast<std::size_t>(kDepth));
    // Depth first: each level's hit comes before the hits below it.
    std::string expected = tree.root();
    for (int level = 0; level < kDepth; ++level) {
        expected += "/d";
        ASSERT_EQ(sink.paths[static_cast<std::size_t>(level)], expected + "/hit.txt") << level;
    }
    EXPECT_EQ(sink.folders, kDepth + 1);
    EXPECT_LE(sink.most - before, static_cast<int>(kOpenFolderLimit) + 3)
        << "the walk holds a bounded number of descriptors at any depth";
}

TEST_F(DeepTreeWalkTest, FoldersBeyondThePathLengthLimitAreFound) {
    constexpr int kDepth = 5000;
    const std::string folder = "dir";  // 4 bytes a level: the deepest paths pass 20,000 bytes
    MakeChain(tree.root(), kDepth, folder);
    Walk("HIT");
    RemoveChain(tree.root(), kDepth, folder);
    ASSERT_EQ(sink.paths.size(), static_cast<std::size_t>(kDepth));
    EXPECT_GT(sink.paths.back().size(), static_cast<std::size_t>(PATH_MAX));
    EXPECT_EQ(sink.paths.back().size(), tree.root().size() + kDepth * (folder.size() + 1) + 8);
}

// Moves a folder of the chain away when the walk reaches the deepest level.
class MovingSink final : public SearchSink {
  public:
    void Folder(const std::string& folderPath) override {
        if (folderPath == trigger) {
            moved = ::rename(from.c_str(), to.c_str()) == 0;
        }
    }
    void Row(ResultRow row, std::string) override { paths.push_back(std::move(row.Path)); }
    std::string trigger, from, to;
    bool moved = false;
    std::vector<std::string> paths;
};

TEST_F(DeepTreeWalkTest, AFolderMovedAwayMidWalkIsFoundAgainByItsNames) {
    // Levels c0..c39, each with a folder "s" holding a hit, walked after the next level
    // ("c" sorts before "s"). At the deepest level c20 moves to the root, so going back up
    // through ".." from c20 arrives at the root instead of c19, whose descriptor was closed long
    // before: c19 must be reopened by its names, and every level's hit still found.
    constexpr int kDepth = 40;
    std::string path = tree.root();
    std::vector<std::string> expected;
    std::string c20;
    for (int level = 0; level < kDepth; ++level) {
        path += "/c" + std::to_string(level);
        if (level == 20) {
            c20 = path;
        }
        std::filesystem::create_directories(path + "/s");
        std::ofstream(path + "/s/hit.txt").put('x');
    }
    MovingSink moving;
    moving.trigger = path + "/";
    moving.from = c20;
    moving.to = tree.root() + "/moved";
    WalkContext context{h.state,
                        h.options,
                        h.typeNames,
                        h.locale,
                        &moving,
                        h.contentText,
                        std::chrono::microseconds(0),
                        0};
    TFolderWalk walk(context);
    walk.WalkFolder(tree.root(), "hit", true);
    ASSERT_TRUE(moving.moved);
    // Deepest first: each level's "s" is walked when its deeper levels are done.
    for (int level = kDepth - 1; level >= 0; --level) {
        std::string folder = tree.root();
        for (int up = 0; up <= level; ++up) {
            folder += "/c" + std::to_string(up);
        }
        expected.push_back(folder + "/s/hit.txt");
    }
    ASSERT_EQ(moving.paths.size(), expected.size());
    EXPECT_EQ(moving.paths, expected);
}

// Walks a chain made by MakeChain in a child process whose open-file limit is `limit`, or the
// descriptors the child has open plus `spare` when limit is 0, so the test executable keeps its
// own limit. Returns "<rows> rows, <folders> folders" and, when a row is missing or out of
// depth-first order, the first level where that happened.
std::string WalkWithFewDescriptors(const std::string& root, rlim_t limit, int spare,
                                   const std::string& nameText, const std::string& contentText) {
    return test::ChildOutput([&]() -> std::string {
        WalkHarness child;
        child.contentText = contentText;
        // A first walk with descriptors to spare: the sanitizers' checks of virtual calls need
        // a descriptor the first time they meet a type, which the lowered limit would deny.
        child.Walk(root, nameText, true);
        rlimit lowered{};
        ::getrlimit(RLIMIT_NOFILE, &lowered);
        lowered.rlim_cur = limit != 0 ? limit : static_cast<rlim_t>(OpenDescriptors() + spare);
        if (::setrlimit(RLIMIT_NOFILE, &lowered) != 0) {
            return "child failed";
        }
        const std::vector<std::string> paths = child.Walk(root, nameText, true);
        std::string out = std::to_string(paths.size()) + " rows, " +
                          std::to_string(child.sink.folders.size()) + " folders";
        std::string expected = root;
        for (std::size_t level = 0; level < paths.size(); ++level) {
            expected += "/d";
            if (paths[level] != expected + "/hit.txt") {
                out += ", wrong row at level " + std::to_string(level);
                break;
            }
        }
        return out;
    });
}

TEST_F(DeepTreeWalkTest, NoFolderOrFileIsLostWhenTheProcessRunsOutOfDescriptors) {
    constexpr int kDepth = 400;
    MakeChain(tree.root(), kDepth, "d", "a foo here");
    const std::string expected =
        std::to_string(kDepth) + " rows, " + std::to_string(kDepth + 1) + " folders";
    const struct {
        const char* what;
        rlim_t limit;
        int spare;
        const char* nameText;
        const char* contentText;
    } cases[] = {
        {"ulimit -n 16, name walk", 16, 0, "hit", ""},
        {"ulimit -n 16, content walk", 16, 0, "", "foo"},
        {"two spare descriptors, name walk", 0, 2, "hit", ""},
        {"two spare descriptors, content walk", 0, 2, "", "foo"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WalkWithFewDescriptors(tree.root(), c.limit, c.spare, c.nameText, c.contentText),
                  expected)
            << c.what;
    }
    RemoveChain(tree.root(), kDepth, "d");
}

}  // namespace
}  // namespace tarnwick::search
