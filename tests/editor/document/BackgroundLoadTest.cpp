// Loading on a worker: the newest load reports on the UI thread, a cancelled or replaced one
// never does, and going away waits for nothing; a large file's first lines come first, cut
// where no line or character is cut. (The limit on a file that does not end is tested on the
// line list and through the window.)
#include "editor/document/BackgroundLoad.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
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

std::vector<std::string> Lines(const TAdvMemoStrings::TPreparedText& text) {
    std::vector<std::string> lines;
    for (int i = 0; i < text.store.Count(); ++i) {
        lines.emplace_back(text.store.View(i));
    }
    return lines;
}

// Writes bytes, then makes the file `size` long (the rest reads as NUL, without taking space).
void WriteSparse(const std::string& path, const std::string& bytes, uint64_t size) {
    WriteFile(path, bytes);
    std::filesystem::resize_file(path, size);
}

TEST(BackgroundLoadTest, TheHeadOfALargeFileEndsWithItsLastWholeLineOrCharacter) {
    constexpr std::size_t kHead = TBackgroundLoad::kPreviewBytes;
    const std::string line(99, 'x');  // 100 bytes with its break
    std::string lines;
    while (lines.size() < kHead + 500) {
        lines += line + "\n";
    }
    const std::string crlf = std::string(kHead - 2, 'a') + "\r\nnext";
    // "é" is C3 A9: its lead byte is the head's last byte.
    const std::string cutLead = std::string(kHead - 1, 'a') + "\xC3\xA9tail";
    // "€" is E2 82 AC: two of its bytes are in the head.
    const std::string cutInside = std::string(kHead - 2, 'a') + "\xE2\x82\xACtail";
    const std::string whole = std::string(kHead - 2, 'a') + "\xC3\xA9tail";
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> head;
    };
    const std::vector<Case> cases = {
        {"whole lines", lines, std::vector<std::string>(kHead / 100, line)},
        {"a CR LF break at the edge", crlf, {std::string(kHead - 2, 'a')}},
        {"a lead byte at the edge", cutLead, {std::string(kHead - 1, 'a')}},
        {"a character across the edge", cutInside, {std::string(kHead - 2, 'a')}},
        {"a character that ends at the edge", whole, {std::string(kHead - 2, 'a') + "\xC3\xA9"}},
        {"a file shorter than the head", "one\ntwo", {"one", "two"}},
    };
    TempDir dir;
    TAdvMemo memo;
    for (const Case& c : cases) {
        WriteFile(dir.File("f.txt"), c.bytes);
        const auto head =
            TBackgroundLoad::PrepareHead(dir.File("f.txt"), memo.Lines().LoadSettings(), 0);
        ASSERT_NE(head, nullptr) << c.name;
        EXPECT_TRUE(Lines(*head) == c.head) << c.name;  // the lines are too long to print
    }
}

TEST(BackgroundLoadTest, OnlyALargeRegularFileHasAHead) {
    TempDir dir;
    TAdvMemo memo;
    const auto settings = memo.Lines().LoadSettings();
    WriteSparse(dir.File("large.txt"), "first\n", TBackgroundLoad::kPreviewFrom);
    WriteSparse(dir.File("small.txt"), "first\n", TBackgroundLoad::kPreviewFrom - 1);
    std::filesystem::create_directory(dir.File("folder"));
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);

    const auto head = TBackgroundLoad::PrepareHead(dir.File("large.txt"), settings);
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(Lines(*head), std::vector<std::string>{"first"});
    for (const char* name : {"small.txt", "folder", "fifo", "gone"}) {
        EXPECT_EQ(TBackgroundLoad::PrepareHead(dir.File(name), settings), nullptr) << name;
    }
}

TEST(BackgroundLoadTest, ALargeFilesHeadIsReportedBeforeItsTextAndNeverAfterACancel) {
    TempDir dir;
    WriteSparse(dir.File("large.txt"), "alpha\nbeta\n", TBackgroundLoad::kPreviewFrom);
    tarnwick::testing::QueueDispatcher ui;
    TBackgroundLoad load(ui);
    TAdvMemo memo;
    std::vector<std::string> events;
    const auto preview = [&](std::unique_ptr<TAdvMemoStrings::TPreparedText> head) {
        events.push_back("preview " + std::to_string(head->store.Count()) + " " +
                         std::string(head->store.View(0)));
    };
    Outcome outcome;
    TBackgroundLoad::TDone done = [&](std::unique_ptr<TAdvMemoStrings::TPreparedText> text) {
        events.push_back("done " + std::to_string(text->store.Count()));
        outcome.Done()(std::move(text));
    };
    load.Start(dir.File("large.txt"), memo.Lines().LoadSettings(), done, outcome.Failed(), preview);
    ASSERT_TRUE(ui.RunUntil([&] { return outcome.reports > 0; }));
    // Its head ends at "beta"; the text goes on with the file's NUL bytes as a third line.
    EXPECT_EQ(events, (std::vector<std::string>{"preview 2 alpha", "done 3"}));

    // A cancel drops a head already on its way, and the text.
    events.clear();
    load.Start(dir.File("large.txt"), memo.Lines().LoadSettings(), done, outcome.Failed(), preview);
    while (load.Running() && load.BytesRead() == 0) {
        std::this_thread::yield();  // the head is read before the text
    }
    load.Cancel();
    ui.RunPending();
    EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace tarnwick::editor
