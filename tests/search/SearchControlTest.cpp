// Search control: single-root runs, All Drives chains, Stop, and the order of deliveries.
#include "search/SearchControl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FakeTypeNames.h"
#include "support/FixedLocale.h"
#include "support/QueueDispatcher.h"
#include "support/TempTree.h"
#include "support/Unprivileged.h"

#include <sys/resource.h>

namespace tarnwick::search {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Records what the window would see.
class RecordingWindow final : public SearchNotifications {
  public:
    void SearchStarted() override {
        ++started;
        log.push_back("started");
        rows.clear();
    }
    void RunEnded() override {
        ++ended;
        log.push_back("ended");
    }
    void ShowSearchEvents(const SearchEventBatch& batch) override {
        ++batches;
        for (const auto& e : batch) {
            switch (e.kind) {
                case SearchEvent::Kind::Folder:
                    folders.push_back(e.text);
                    break;
                case SearchEvent::Kind::Row:
                    rows.push_back(e.row.Path);
                    if (onRow) {
                        onRow(e.row);
                    }
                    break;
                case SearchEvent::Kind::FoundCount:
                    foundText = e.text;
                    break;
            }
        }
    }
    int started = 0;
    int ended = 0;
    int batches = 0;
    std::vector<std::string> log;
    std::vector<std::string> folders;
    std::vector<std::string> rows;
    std::string foundText;
    std::function<void(const ResultRow&)> onRow;
};

class SearchControlTest : public ::testing::Test {
  protected:
    explicit SearchControlTest(std::chrono::microseconds pause = std::chrono::microseconds(0))
        : control(options, dispatcher, typeNames, locale, window, pause) {}

    bool RunToEnd() {
        const int target = window.ended + 1;
        return dispatcher.RunUntil([&] { return window.ended >= target; });
    }

    testing::TempTree tree;
    SearchOptions options;
    testing::QueueDispatcher dispatcher;
    testing::FakeTypeNames typeNames;
    testing::FixedLocale locale;
    RecordingWindow window;
    SearchControl control;
};

TEST_F(SearchControlTest, SingleRootRunStartsWalksAndEnds) {
    tree.File("one.txt", "hello");
    tree.File("two.txt", "bye");
    options.SetLookIn(tree.root());
    options.SetContainingText("hello");
    control.StartSearch();
    EXPECT_TRUE(control.State().Running);
    EXPECT_EQ(control.State().DriveCursor, -1);
    EXPECT_EQ(control.State().ContentText, "hello");
    ASSERT_TRUE(RunToEnd());
    EXPECT_THAT(window.log, ElementsAre("started", "ended"));
    EXPECT_THAT(window.rows, ElementsAre(tree.path("one.txt")));
    EXPECT_EQ(window.foundText, "1 items found");
    EXPECT_FALSE(control.IsWalking());
}

TEST_F(SearchControlTest, SearchThatFindsNothingKeepsThePreviousFoundCount) {
    tree.File("a.txt");
    options.SetLookIn(tree.root());
    control.StartSearch();
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(window.foundText, "1 items found");
    options.SetNameText("zzz");
    control.StartSearch();
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(window.foundText, "1 items found");
    EXPECT_THAT(window.rows, IsEmpty());
}

TEST_F(SearchControlTest, AllDrivesWalksTheRootsFromLastToFirst) {
    for (const char* d : {"C", "D", "E"}) {
        tree.File(std::string(d) + "/in-" + d + ".txt");
    }
    control.State().DriveRoots = {tree.path("C"), tree.path("D"), tree.path("E")};
    options.SetLookIn("All Drives");
    options.SetNameText("in-");
    control.StartSearch();
    EXPECT_TRUE(control.State().AllDrives);
    EXPECT_EQ(control.State().DriveCursor, 2);
    ASSERT_TRUE(RunToEnd());
    EXPECT_THAT(window.rows, ElementsAre(tree.path("E/in-E.txt"), tree.path("D/in-D.txt"),
                                         tree.path("C/in-C.txt")));
    EXPECT_EQ(window.folders.front(), tree.path("E/"));
    EXPECT_EQ(window.foundText, "3 items found");  // counts every drive's rows
    EXPECT_EQ(window.started, 1);
    EXPECT_EQ(window.ended, 1);
    EXPECT_FALSE(control.State().AllDrives);
    EXPECT_EQ(control.State().DriveCursor, -1);
}

TEST_F(SearchControlTest, AllDrivesIsCaseSensitive) {
    options.SetLookIn("all drives");
    control.State().DriveRoots = {tree.root()};
    control.StartSearch();
    EXPECT_FALSE(control.State().AllDrives);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(window.folders.front(), "all drives/");
}

TEST_F(SearchControlTest, AllDrivesWithoutDrivesEndsAtOnce) {
    options.SetLookIn("All Drives");
    control.StartSearch();
    EXPECT_THAT(window.log, ElementsAre("started", "ended"));
    EXPECT_FALSE(control.IsWalking());
    EXPECT_EQ(dispatcher.Pending(), 0u);
}

TEST_F(SearchControlTest, NameChangedDuringAllDrivesAppliesToLaterDrives) {
    tree.File("C/alpha.txt");
    tree.File("C/beta.txt");
    tree.File("D/alpha.txt");
    tree.File("D/beta.txt");
    control.State().DriveRoots = {tree.path("C"), tree.path("D")};
    options.SetLookIn("All Drives");
    options.SetNameText("alpha");
    control.StartSearch();  // D's walk takes "alpha" now
    options.SetNameText("beta");
    ASSERT_TRUE(RunToEnd());
    EXPECT_THAT(window.rows, ElementsAre(tree.path("D/alpha.txt"), tree.path("C/beta.txt")));
}

TEST_F(SearchControlTest, ContainingTextIsCapturedAtTheStartOfTheRun) {
    tree.File("C/x.txt", "first");
    tree.File("D/y.txt", "second");
    control.State().DriveRoots = {tree.path("C"), tree.path("D")};
    options.SetLookIn("All Drives");
    options.SetContainingText("second");
    control.StartSearch();
    options.SetContainingText("first");
    ASSERT_TRUE(RunToEnd());
    EXPECT_THAT(window.rows, ElementsAre(tree.path("D/y.txt")));
}

TEST_F(SearchControlTest, EmptyLookInWalksTheFileSystemRoot) {
    options.SetLookIn("");
    options.SetRecurse(false);
    options.SetNameText("zzz-no-such-entry");
    control.StartSearch();
    ASSERT_TRUE(RunToEnd());
    EXPECT_THAT(window.folders, ElementsAre("/"));
}

TEST_F(SearchControlTest, DestroyingTheControlMidWalkStopsAndDropsDeliveries) {
    for (int i = 0; i < 200; ++i) {
        tree.File("f" + std::to_string(i));
    }
    options.SetLookIn(tree.root());
    {
        testing::QueueDispatcher localDispatcher;
        RecordingWindow localWindow;
        auto local = std::make_unique<SearchControl>(options, localDispatcher, typeNames, locale,
                                                     localWindow, std::chrono::milliseconds(2));
        local->StartSearch();
        local.reset();  // must stop and join without waiting for 200 pauses
        localDispatcher.RunPending();
        EXPECT_EQ(localWindow.ended, 0);
        EXPECT_THAT(localWindow.rows, IsEmpty());
    }
}

class SlowSearchControlTest : public SearchControlTest {
  protected:
    SlowSearchControlTest() : SearchControlTest(std::chrono::milliseconds(2)) {}
};

TEST_F(SlowSearchControlTest, StopEndsTheWalkBeforeItsNextEntry) {
    for (int i = 0; i < 300; ++i) {
        tree.File("sub/f" + std::to_string(1000 + i) + ".txt");
    }
    options.SetLookIn(tree.root());
    window.onRow = [&](const ResultRow&) { control.StopSearch(); };
    control.StartSearch();
    ASSERT_TRUE(RunToEnd());
    // Rows produced before the stop was seen may still arrive, but the walk ends long before
    // its 301 entries are done.
    EXPECT_GE(window.rows.size(), 1u);
    EXPECT_LT(window.rows.size(), 100u);
    EXPECT_FALSE(control.State().Running);
}

TEST_F(SlowSearchControlTest, StopDuringTheSecondDriveEndsTheRunWithoutFurtherRows) {
    for (const char* d : {"C", "D", "E"}) {
        for (int i = 0; i < 100; ++i) {
            tree.File(std::string(d) + "/f" + std::to_string(i));
        }
    }
    control.State().DriveRoots = {tree.path("C"), tree.path("D"), tree.path("E")};
    options.SetLookIn("All Drives");
    std::size_t rowsAtStop = 0;
    window.onRow = [&](const ResultRow& row) {
        if (rowsAtStop == 0 && row.Path.find("/D/") != std::string::npos) {
            control.StopSearch();
            rowsAtStop = window.rows.size();
        }
    };
    control.StartSearch();
    ASSERT_TRUE(RunToEnd());
    ASSERT_GT(rowsAtStop, 0u);
    // Nothing of C, the drive walked after the stop; its root was still shown.
    for (const auto& path : window.rows) {
        EXPECT_EQ(path.find("/C/"), std::string::npos) << path;
    }
    EXPECT_EQ(window.folders.back(), tree.path("C/"));
    EXPECT_EQ(window.ended, 1);
}

TEST_F(SlowSearchControlTest, AStartWhileAStoppedWalksEndIsPendingIsRefused) {
    for (int i = 0; i < 50; ++i) {
        tree.File("f" + std::to_string(i));
    }
    options.SetLookIn(tree.root());
    control.StartSearch();
    control.StopSearch();
    control.StartSearch();  // the end notification of the stopped walk is not handled yet
    EXPECT_EQ(window.started, 1);
    EXPECT_FALSE(control.State().Running) << "the refused start did not set Running again";
    ASSERT_TRUE(RunToEnd());
    dispatcher.RunPending();
    EXPECT_EQ(window.ended, 1);
    EXPECT_FALSE(control.IsWalking());
    // The control is idle again and starts the next search normally.
    control.StartSearch();
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(window.started, 2);
    EXPECT_EQ(window.ended, 2);
}

TEST_F(SearchControlTest, NoThreadForTheWalkEndsTheRunAtOnce) {
    tree.File("f.txt");
    options.SetLookIn(tree.root());
    // As an ordinary user with a process limit of 0, creating a thread fails.
    const auto outcome = ::tarnwick::test::RunAsOrdinaryUser(tree.root(), [&]() -> std::string {
        rlimit none{0, 0};
        if (::setrlimit(RLIMIT_NPROC, &none) != 0) {
            return "no process limit";
        }
        control.StartSearch();
        if (window.started != 1 || window.ended != 1) {
            return "started " + std::to_string(window.started) + ", ended " +
                   std::to_string(window.ended);
        }
        if (control.IsWalking() || control.State().Running) {
            return "still running";
        }
        return {};
    });
    if (outcome.skipped) {
        GTEST_SKIP() << outcome.message;
    }
    EXPECT_EQ(outcome.message, "");
}

}  // namespace
}  // namespace tarnwick::search
