// Loading on a worker: the newest load reports on the UI thread, a cancelled or replaced one
// never does, and going away waits for nothing. (The limit on a file that does not end is
// tested on the line list and through the window.)
#include "editor/document/BackgroundLoad.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "editor/control/AdvMemo.h"
#include "editor/support/EditorTestSupport.h"
#include "support/QueueDispatcher.h"

namespace tarnwick::editor {
namespace {

using test::TempDir;
using test::WriteFile;

// What a load reported: its lines, or its error.
struct Outcome {
    int reports = 0;
    std::vector<std::string> lines;
    std::string error;

    TBackgroundLoad::TDone Done() {
        return [this](std::unique_ptr<TAdvMemoStrings::TPreparedText> text) {
            ++reports;
            for (int i = 0; i < text->store.Count(); ++i) {
                lines.emplace_back(text->store.View(i));
            }
        };
    }
    TBackgroundLoad::TFailed Failed() {
        return [this](const std::string& message) {
            ++reports;
            error = message;
        };
    }
};

constexpr const char* kEndless = "/proc/self/pagemap";  // reports no size, reads for gigabytes

TEST(BackgroundLoadTest, TheNewestLoadReportsItsTextOrItsErrorOnTheUiThread) {
    TempDir dir;
    WriteFile(dir.File("a.txt"), "first\nfile\n");
    WriteFile(dir.File("b.txt"), "second");
    tarnwick::testing::QueueDispatcher ui;
    TBackgroundLoad load(ui);
    TAdvMemo memo;

    Outcome replaced;
    Outcome newest;
    load.Start(dir.File("a.txt"), memo.Lines().LoadSettings(), replaced.Done(), replaced.Failed());
    load.Start(dir.File("b.txt"), memo.Lines().LoadSettings(), newest.Done(), newest.Failed());
    EXPECT_TRUE(load.Running());
    ASSERT_TRUE(ui.RunUntil([&] { return newest.reports > 0; }));
    EXPECT_EQ(newest.lines, std::vector<std::string>{"second"});
    EXPECT_FALSE(load.Running());

    Outcome missing;
    load.Start(dir.File("gone.txt"), memo.Lines().LoadSettings(), missing.Done(), missing.Failed());
    ASSERT_TRUE(ui.RunUntil([&] { return missing.reports > 0; }));
    EXPECT_EQ(missing.error,
              "Cannot open file \"" + dir.File("gone.txt") + "\". No such file or directory");
    ui.RunPending();
    EXPECT_EQ(replaced.reports, 0);
    EXPECT_EQ(newest.reports, 1);
}

TEST(BackgroundLoadTest, ACancelledLoadStopsAtOnceAndNeverReports) {
    if (!std::filesystem::exists(kEndless)) {
        GTEST_SKIP() << kEndless << " is missing";
    }
    tarnwick::testing::QueueDispatcher ui;
    Outcome cancelled;
    const auto start = std::chrono::steady_clock::now();
    {
        TBackgroundLoad load(ui);
        TAdvMemo memo;
        TAdvMemoStrings::TLoadSettings settings = memo.Lines().LoadSettings();
        settings.Limits.MaxUnsizedRead = uint64_t{1} << 40;  // would read for minutes
        load.Start(kEndless, settings, cancelled.Done(), cancelled.Failed());
        // Cancelled once the read is under way.
        while (load.BytesRead() < (1u << 20)) {
            std::this_thread::yield();
        }
        load.Cancel();
        EXPECT_FALSE(load.Running());
    }  // joins the worker
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ui.RunPending();
    EXPECT_EQ(cancelled.reports, 0);
}

TEST(BackgroundLoadTest, AReportQueuedWhenTheLoaderGoesFindsNobody) {
    TempDir dir;
    WriteFile(dir.File("a.txt"), "text");
    tarnwick::testing::QueueDispatcher ui;
    Outcome late;
    {
        TBackgroundLoad load(ui);
        TAdvMemo memo;
        load.Start(dir.File("a.txt"), memo.Lines().LoadSettings(), late.Done(), late.Failed());
    }
    ui.RunPending();
    EXPECT_EQ(late.reports, 0);
}

}  // namespace
}  // namespace tarnwick::editor
