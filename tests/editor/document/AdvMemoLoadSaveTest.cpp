// Loading files into the editor and saving them: line-break rules, tab expansion, the save
// that writes untouched lines back byte for byte, failures, and the save that never destroys
// the old file.
#include <gmock/gmock.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "editor/control/AdvMemo.h"
#include "editor/document/EditorErrors.h"
#include "editor/support/EditorTestSupport.h"
#include "platform/files/Stream.h"
#include "support/Unprivileged.h"

namespace tarnwick::editor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;
using ::testing::ElementsAre;

std::vector<std::string> LinesOf(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) {
        lines.push_back(list.Get(i));
    }
    return lines;
}

struct LoadCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

class LoadRules : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadRules, SplitLikeTheFileSays) {
    const LoadCase& c = GetParam();
    TempDir dir;
    WriteFile(dir.File("in.txt"), c.bytes);
    TAdvMemo memo;
    memo.Lines().LoadFromFile(dir.File("in.txt"));
    EXPECT_EQ(LinesOf(memo.Lines()), c.lines);
    EXPECT_EQ(memo.Lines().LineLengths().size(), c.lines.size());

    TAdvMemo fromStream;
    TMemoryStream stream(c.bytes);
    fromStream.Lines().LoadFromStream(stream);
    EXPECT_EQ(LinesOf(fromStream.Lines()), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Load, LoadRules,
    ::testing::Values(
        LoadCase{"CrCr", "a\r\rb", {"a", "", "b"}}, LoadCase{"LfCr", "a\n\rb", {"a", "", "b"}},
        LoadCase{"CrLfAtEnd", "a\r\n", {"a"}}, LoadCase{"LfOnly", "a\nb\n", {"a", "b"}},
        LoadCase{"CrOnly", "a\rb", {"a", "b"}}, LoadCase{"Empty", "", {}},
        LoadCase{"OnlyABreak", "\r\n", {""}},
        LoadCase{"NulIsText", std::string("x\0y", 3), {std::string("x\0y", 3)}},
        LoadCase{"NulFirst",
                 std::string("\0abc\n\0", 6),
                 {std::string("\0abc", 4), std::string("\0", 1)}},
        LoadCase{"Utf16Bom", std::string("\xFF\xFEh\0i\0", 6), {std::string("\xFF\xFEh\0i\0", 6)}},
        LoadCase{"Tab", "\tx\r\ny\tz", {"    x", "y    z"}},
        LoadCase{"HighBytesKept", "caf\xE9\r\n\x80\x81", {"caf\xE9", "\x80\x81"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MemoLoad, ResetsCaretSelectionUndoAndRaisesOneChange) {
    TempDir dir;
    std::string text;
    for (int i = 0; i < 50; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
    }
    text += std::string(70, 'w') + "\r\n";
    WriteFile(dir.File("f.txt"), text);
    TAdvMemo memo;
    memo.SetTextAreaCells(40, 10);
    memo.Lines().Add("some");
    memo.SetCaretLine(1);
    memo.SetCaretColumn(3);
    memo.SetSelectionEnds({0, 0}, {3, 1});
    memo.Lines().Delete(0);
    ASSERT_EQ(memo.UndoList().Count(), 1);
    int changes = 0;
    int selectionChanges = 0;
    memo.OnChange = [&](TAdvCustomMemo&) { ++changes; };
    memo.OnSelectionChange = [&](TAdvCustomMemo&) { ++selectionChanges; };
    memo.Lines().LoadFromFile(dir.File("f.txt"));
    EXPECT_EQ(memo.Lines().Count(), 51);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(memo.CurX(), 0);
    EXPECT_EQ(memo.CurY(), 0);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
    EXPECT_FALSE(memo.HasSelection());
    EXPECT_EQ(memo.UndoList().Count(), 0);
    EXPECT_EQ(memo.LongestLineLength(), 70);
    EXPECT_TRUE(memo.NotifyEnabled());
    for (int i = 0; i < memo.Lines().Count(); ++i) {
        ASSERT_EQ(memo.Lines().LineModState(i), lmsUnchanged);
        ASSERT_NE(memo.Lines().LineProp(i), nullptr);
    }
    memo.Lines().Put(0, "edited");
    EXPECT_EQ(changes, 2) << "the change handler is installed again";
}

// An editor with a document, a caret, a selection and an undo step, to show that a failed
// load leaves all of them exactly as they were.
struct EditedMemo {
    TAdvMemo memo;
    EditedMemo() {
        memo.SetTextAreaCells(40, 10);
        memo.Lines().Add("kept");
        memo.Lines().Add("also kept");
        memo.Lines().Delete(0);
        memo.SetCaretLine(1);
        memo.SetCaretColumn(3);
        memo.SetSelectionEnds({1, 0}, {3, 1});
    }
    void ExpectUnchanged() {
        EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre("kept", "also kept"));
        EXPECT_THAT(memo.Lines().LineLengths(), ElementsAre(4, 9));
        EXPECT_EQ(memo.CurX(), 3);
        EXPECT_EQ(memo.CurY(), 1);
        EXPECT_TRUE(memo.HasSelection());
        EXPECT_EQ(memo.UndoList().Count(), 1);
        EXPECT_TRUE(memo.NotifyEnabled());
        int changes = 0;
        memo.OnChange = [&](TAdvCustomMemo&) { ++changes; };
        memo.Lines().Put(1, "x");
        EXPECT_EQ(changes, 1) << "the change handler is still installed";
    }
};

std::string OpenErrorText(const std::string& path, const std::string& reason) {
    return "Cannot open file \"" + path + "\". " + reason;
}

TEST(MemoLoad, AMissingFileOrAFolderKeepsEverythingAndRaisesTheOpenError) {
    TempDir dir;
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {{dir.File("missing.txt"), "No such file or directory"},
                 {dir.Path(), "Is a directory"}};
    for (const auto& c : cases) {
        EditedMemo edited;
        try {
            edited.memo.Lines().LoadFromFile(c.path);
            ADD_FAILURE() << "no error for " << c.path;
        } catch (const EFOpenError& e) {
            EXPECT_EQ(std::string(e.what()), OpenErrorText(c.path, c.reason));
        }
        edited.ExpectUnchanged();
    }
}

TEST(MemoLoad, AFifoIsRefusedAtOnceWithOrWithoutAWriter) {
    TempDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::alarm(20);  // a blocking open would otherwise hang the suite; the alarm ends it instead
    {
        EditedMemo edited;
        EXPECT_THROW(
            try { edited.memo.Lines().LoadFromFile(fifo); } catch (const EFOpenError& e) {
                EXPECT_EQ(std::string(e.what()), OpenErrorText(fifo, "Invalid argument"));
                throw;
            },
            EFOpenError);
        edited.ExpectUnchanged();
    }
    {
        // With a writer that has sent text and keeps the pipe open.
        const int writer = ::open(fifo.c_str(), O_RDWR | O_CLOEXEC);
        ASSERT_GE(writer, 0);
        ASSERT_EQ(::write(writer, "text\n", 5), 5);
        EditedMemo edited;
        EXPECT_THROW(edited.memo.Lines().LoadFromFile(fifo), EFOpenError);
        edited.ExpectUnchanged();
        ::close(writer);
    }
    ::alarm(0);
}

TEST(MemoLoad, ADeviceIsRefused) {
    EditedMemo edited;
    EXPECT_THROW(edited.memo.Lines().LoadFromFile("/dev/null"), EFOpenError);
    edited.ExpectUnchanged();
}

TEST(MemoLoad, AFileThatReportsNoSizeIsReadToItsEnd) {
    TAdvMemo memo;
    memo.Lines().LoadFromFile("/proc/self/status");
    ASSERT_GT(memo.Lines().Count(), 3);
    EXPECT_EQ(memo.Lines().Get(0).rfind("Name:", 0), 0u) << memo.Lines().Get(0);
}

TEST(MemoLoad, ALineTooLongAfterTabExpansionFailsFastAndKeepsEverything) {
    // 2^19 + 1 tabs of 4096 columns each are more columns than a line can have (2^31 - 1).
    TempDir dir;
    const std::string path = dir.File("tabs.txt");
    WriteFile(path, "first line\r\n" + std::string((1 << 19) + 1, '\t') + "\r\nlast\r\n");
    EditedMemo edited;
    edited.memo.SetTabSize(4096);
    const auto start = std::chrono::steady_clock::now();
    try {
        edited.memo.Lines().LoadFromFile(path);
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), OpenErrorText(path, "File too large"));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2))
        << "refused before expanding";
    edited.ExpectUnchanged();

    // A line that fits after expansion loads.
    TAdvMemo fits;
    fits.SetTabSize(4096);
    TMemoryStream stream(std::string(2, '\t'));
    fits.Lines().LoadFromStream(stream);
    EXPECT_EQ(fits.Lines().LineLengths()[0], 8192);
}

TEST(MemoLoad, ATooLongLineFromAStreamRaisesTheReadError) {
    EditedMemo edited;
    edited.memo.SetTabSize(1 << 30);
    TMemoryStream stream(std::string(3, '\t'));
    EXPECT_THROW(edited.memo.Lines().LoadFromStream(stream), EReadError);
    edited.ExpectUnchanged();
}

// A stream that claims more bytes than it delivers.
class ShortStream : public TMemoryStream {
  public:
    using TMemoryStream::TMemoryStream;
    int64_t Size() override { return TMemoryStream::Size() + 10; }
};

TEST(MemoLoad, AFileThatDeliversLessThanItsSizeEndsWhereItsBytesEnd) {
    // Files under /sys report a page and hold fewer bytes.
    TAdvMemo memo;
    ShortStream stream("abc\ndef");
    memo.Lines().LoadFromStream(stream);
    EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre("abc", "def"));

    const char* sysFile = "/sys/kernel/mm/transparent_hugepage/enabled";
    if (std::filesystem::exists(sysFile)) {
        TAdvMemo fromSys;
        fromSys.Lines().LoadFromFile(sysFile);
        EXPECT_EQ(fromSys.Lines().Count(), 1);
    }
}

// A stream that never ends, as files under /proc can behave; it counts what was read.
class EndlessStream : public TStream {
  public:
    size_t Read(void* buffer, size_t count) override {
        std::memset(buffer, 'x', count);
        delivered += count;
        if (cancelAfter != 0 && delivered >= cancelAfter && cancel != nullptr) {
            cancel->store(true);
        }
        return count;
    }
    size_t Write(const void*, size_t) override { return 0; }
    int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
    int64_t Size() override { return 0; }

    uint64_t delivered = 0;
    uint64_t cancelAfter = 0;
    std::atomic<bool>* cancel = nullptr;
};

TEST(MemoLoad, AFileThatNeverEndsFailsAtTheLimitAndKeepsEverything) {
    EditedMemo edited;
    EndlessStream stream;
    TAdvMemoStrings::TLoadSettings settings = edited.memo.Lines().LoadSettings();
    EXPECT_GE(settings.Limits.MaxFileSize, settings.Limits.MaxUnsizedRead);
    EXPECT_LE(settings.Limits.MaxUnsizedRead, 256u << 20);
    EXPECT_THROW(edited.memo.Lines().LoadFromStream(stream), EReadError);
    EXPECT_LE(stream.delivered, settings.Limits.MaxUnsizedRead + (1 << 16));
    edited.ExpectUnchanged();
}

TEST(MemoLoad, AFileLargerThanTheLimitIsRefusedBeforeReading) {
    TempDir dir;
    const std::string path = dir.File("big.txt");
    WriteFile(path, std::string(5000, 'a'));
    TAdvMemoStrings::TLoadSettings settings;
    settings.Limits.MaxFileSize = 4096;
    try {
        TAdvMemoStrings::PrepareFile(path, settings);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()),
                  OpenErrorText(path,
                                "The file is too large to load: 5000 bytes, more than the "
                                "4096 bytes this computer can hold"));
    }
    settings.Limits.MaxFileSize = 5000;
    EXPECT_EQ(TAdvMemoStrings::PrepareFile(path, settings)->store.Count(), 1);
}

TEST(MemoLoad, APreparedTextInstallsLikeALoadAndACancelledOneRaises) {
    TempDir dir;
    const std::string path = dir.File("f.txt");
    WriteFile(path, "one\r\n\ttwo\r\n");
    TAdvMemo memo;
    auto prepared = TAdvMemoStrings::PrepareFile(path, memo.Lines().LoadSettings());
    EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre("")) << "preparing touches no list";
    memo.Lines().InstallPrepared(*prepared);
    EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre("one", "    two"));

    std::atomic<bool> cancel{true};
    TAdvMemoStrings::TLoadSettings settings = memo.Lines().LoadSettings();
    settings.Cancelled = &cancel;
    EXPECT_THROW(TAdvMemoStrings::PrepareFile(path, settings), ELoadCancelled);

    // Set while an endless read is under way, the flag stops it.
    cancel = false;
    EndlessStream endless;
    endless.cancel = &cancel;
    endless.cancelAfter = 1 << 20;
    EXPECT_THROW(TAdvMemoStrings::PrepareStream(endless, settings), ELoadCancelled);
    EXPECT_LT(endless.delivered, 2u << 20);
    EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre("one", "    two"));
}

TEST(MemoSave, AddedLinesAreWrittenAsEditedWithTheNewTextsLineFeed) {
    TempDir dir;
    TAdvMemo memo;
    memo.Lines().Clear();
    memo.Lines().Add("\tindented");
    memo.Lines().Add("end   ");
    memo.Lines().Put(1, "end   \x01\x1F");
    memo.Lines().Add("caf\xE9 ");
    int changes = 0;
    memo.OnChange = [&](TAdvCustomMemo&) { ++changes; };
    memo.Lines().SaveToFile(dir.File("out.txt"));
    EXPECT_EQ(ReadFile(dir.File("out.txt")), "    indented\nend   \x01\x1F\ncaf\xE9 \n");
    EXPECT_THAT(LinesOf(memo.Lines()), ElementsAre("    indented", "end   \x01\x1F", "caf\xE9 "));
    EXPECT_EQ(changes, 0);
}

TEST(MemoSave, EmptyListsAndEmptyLines) {
    TempDir dir;
    TAdvMemo memo;
    memo.Lines().SaveToFile(dir.File("one.txt"));
    EXPECT_EQ(ReadFile(dir.File("one.txt")), "\n");
    memo.Lines().Clear();
    memo.Lines().SaveToFile(dir.File("none.txt"));
    EXPECT_TRUE(std::filesystem::exists(dir.File("none.txt")));
    EXPECT_EQ(ReadFile(dir.File("none.txt")), "");
}

TEST(MemoSave, ModifiedLinesBecomeSavedOthersStay) {
    TempDir dir;
    TAdvMemo memo;
    memo.Lines().Add("a");
    memo.Lines().Add("b");
    memo.Lines().SetLineModState(1, lmsModified);
    memo.Lines().SetLineModState(2, lmsModifiedSaved);
    memo.Lines().SaveToFile(dir.File("f.txt"));
    EXPECT_EQ(memo.Lines().LineModState(0), lmsUnchanged);
    EXPECT_EQ(memo.Lines().LineModState(1), lmsModifiedSaved);
    EXPECT_EQ(memo.Lines().LineModState(2), lmsModifiedSaved);

    TMemoryStream stream;
    memo.Lines().Put(0, "x  ");
    memo.Lines().SetLineModState(0, lmsModified);
    memo.Lines().SaveToStream(stream);
    EXPECT_EQ(stream.Bytes(), "x  \na\nb\n");
    EXPECT_EQ(memo.Lines().LineModState(0), lmsModifiedSaved);
}

TEST(MemoSave, ReplacesTheFileKeepingItsPermissions) {
    TempDir dir;
    const std::string path = dir.File("keep.txt");
    WriteFile(path, "old content");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    TAdvMemo memo;
    memo.Lines().Put(0, "new");
    memo.Lines().SaveToFile(path);
    EXPECT_EQ(ReadFile(path), "new\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator{}),
              1)
        << "no temporary file is left behind";
}

TEST(MemoSave, SavingThroughASymbolicLinkKeepsTheLink) {
    TempDir dir;
    WriteFile(dir.File("real.txt"), "old");
    std::filesystem::create_symlink(dir.File("real.txt"), dir.File("link.txt"));
    TAdvMemo memo;
    memo.Lines().Put(0, "via link");
    memo.Lines().SaveToFile(dir.File("link.txt"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.txt")));
    EXPECT_EQ(ReadFile(dir.File("real.txt")), "via link\n");
}

// Runs a save case in a child as an ordinary user (permissions do not stop the superuser).
void ExpectAsOrdinaryUser(const std::string& folder, const std::function<std::string()>& body,
                          std::size_t diskBytes = 0) {
    const ::tarnwick::test::ChildOutcome outcome =
        ::tarnwick::test::RunAsOrdinaryUser(folder, body, diskBytes);
    if (outcome.skipped) {
        GTEST_SKIP() << outcome.message;
    }
    EXPECT_EQ(outcome.message, "");
}

// The first difference between what a check expected and what it saw, for the child's report.
std::string Differs(const std::string& what, const std::string& seen, const std::string& wanted) {
    return seen == wanted ? std::string() : what + ": saw \"" + seen.substr(0, 80) + "\"";
}

TEST(MemoSave, AFolderThatCannotBeWrittenRaisesTheCreateError) {
    TempDir dir;
    const std::string locked = dir.File("locked");
    std::filesystem::create_directory(locked);
    ExpectAsOrdinaryUser(dir.Path(), [&]() -> std::string {
        ::chmod(locked.c_str(), 0555);
        TAdvMemo memo;
        memo.Lines().Put(0, "text   ");
        const std::string path = locked + "/new.txt";
        try {
            memo.Lines().SaveToFile(path);
            return "no error";
        } catch (const EFCreateError& e) {
            if (std::string(e.what()) != "Cannot create file \"" + path + "\". Permission denied") {
                return e.what();
            }
        }
        if (memo.Lines().Get(0) != "text   ") {
            return "a failed save changed the text";
        }
        return std::filesystem::exists(path) ? "a file appeared" : "";
    });
}

TEST(MemoSave, AFileInAFolderThatRefusesNewFilesIsWrittenInPlace) {
    TempDir dir;
    const std::string locked = dir.File("locked");
    std::filesystem::create_directory(locked);
    const std::string path = locked + "/existing.txt";
    WriteFile(path, "old and longer than the new text");
    ExpectAsOrdinaryUser(dir.Path(), [&]() -> std::string {
        ::chmod(locked.c_str(), 0555);
        TAdvMemo memo;
        memo.Lines().Put(0, "new");
        memo.Lines().SaveToFile(path);
        return Differs("content", ReadFile(path), "new\n");
    });
}

TEST(MemoSave, AReadOnlyFileIsNotReplaced) {
    TempDir dir;
    const std::string path = dir.File("readonly.txt");
    WriteFile(path, "protected");
    ::chmod(path.c_str(), 0444);
    ExpectAsOrdinaryUser(dir.Path(), [&]() -> std::string {
        TAdvMemo memo;
        try {
            memo.Lines().SaveToFile(path);
            return "no error";
        } catch (const EFCreateError&) {
        }
        return Differs("content", ReadFile(path), "protected");
    });
}

// A full disk in a folder that refuses new files: the save in place must not begin unless the
// new text fits. Real files on a 256 KiB tmpfs filled up to the last block.
TEST(MemoSave, InPlaceOnAFullDiskRefusesBeforeTouchingTheFile) {
    TempDir dir;
    const std::string disk = dir.Path();  // the small disk covers the whole folder
    ExpectAsOrdinaryUser(
        disk,
        [&]() -> std::string {
            const std::string path = disk + "/doc.txt";
            std::string old;
            for (int i = 0; old.size() < 96'000; ++i) {
                old += "old line " + std::to_string(i) + "\r\n";
            }
            old.resize(96'000);
            WriteFile(path, old);
            // Fill the rest of the disk.
            const int filler = ::open((disk + "/filler").c_str(), O_WRONLY | O_CREAT, 0600);
            const std::string block(4096, 'f');
            while (::write(filler, block.data(), block.size()) > 0) {
            }
            ::close(filler);
            ::chmod(disk.c_str(), 0555);

            TAdvMemo memo;
            memo.Lines().Clear();
            for (int i = 0; i < 4096; ++i) {
                memo.Lines().Add(std::string(38, 'n'));  // 163,840 bytes with the line breaks
            }
            try {
                memo.Lines().SaveToFile(path);
                return "a save that does not fit reported success";
            } catch (const EFCreateError& e) {
                const std::string want =
                    "Cannot create file \"" + path + "\". No space left on device";
                if (e.what() != want) {
                    return std::string("message: ") + e.what();
                }
            }
            if (const std::string d = Differs("old file", ReadFile(path), old); !d.empty()) {
                return d + " (size " + std::to_string(ReadFile(path).size()) + ")";
            }
            // A shorter text fits in the file's own room and replaces it whole.
            memo.Lines().Clear();
            memo.Lines().Add("short");
            memo.Lines().SaveToFile(path);
            return Differs("short save", ReadFile(path), "short\n");
        },
        256 * 1024);
}

// Limits the size of files this process may write, like a disk that runs full part way.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &fOld);
        fOldHandler = ::signal(SIGXFSZ, SIG_IGN);  // a failing write instead of a signal
        rlimit limited = fOld;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &fOld);
        ::signal(SIGXFSZ, fOldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit fOld{};
    sighandler_t fOldHandler;
};

TEST(MemoSave, AWriteFailingHalfwayLeavesTheOldFileUntouched) {
    constexpr rlim_t kLimit = 1 << 20;
    TempDir dir;
    const std::string path = dir.File("precious.txt");
    WriteFile(path, "the user's file\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    TAdvMemo memo;
    memo.Lines().Put(0, std::string(3 * kLimit, 'x'));
    memo.Lines().SetLineModState(0, lmsModified);
    {
        FileSizeLimit limit(kLimit);
        EXPECT_THROW(memo.Lines().SaveToFile(path), EWriteError);
    }
    EXPECT_EQ(ReadFile(path), "the user's file\r\n");
    EXPECT_EQ(memo.Lines().LineModState(0), lmsModified);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator{}),
              1)
        << "the temporary file is removed";
}

// A stream that fails after a few bytes, like a disk running full.
class FailingStream : public TMemoryStream {
  public:
    size_t Write(const void* buffer, size_t count) override {
        return TMemoryStream::Write(buffer, count > 3 ? 3 : count);
    }
};

TEST(MemoSave, AShortWriteRaisesTheWriteError) {
    TAdvMemo memo;
    memo.Lines().Put(0, "hello");
    memo.Lines().SetLineModState(0, lmsModified);
    FailingStream stream;
    try {
        memo.Lines().SaveToStream(stream);
        FAIL() << "no error";
    } catch (const EWriteError& e) {
        EXPECT_STREQ(e.what(), "Stream write error");
    }
    EXPECT_EQ(memo.Lines().LineModState(0), lmsModified) << "a failed save marks nothing saved";
}

}  // namespace
}  // namespace tarnwick::editor
