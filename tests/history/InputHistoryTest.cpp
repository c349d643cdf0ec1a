// Input histories: the recording rule, line cutting, sorted loading, saving and its failures.
#include "history/InputHistory.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/files/FileErrors.h"
#include "support/TempTree.h"
#include "support/Unprivileged.h"

namespace tarnwick::history {
namespace {

using Entries = std::vector<std::string>;
using tarnwick::testing::TempTree;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

InputHistory HistoryOf(Entries recordedOrder) {
    InputHistory history;
    for (auto it = recordedOrder.rbegin(); it != recordedOrder.rend(); ++it) {
        EXPECT_TRUE(history.Record(*it).recorded) << *it;
    }
    EXPECT_EQ(history.Entries(), recordedOrder);
    return history;
}

std::size_t FilesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

struct RecordCase {
    const char* name;
    Entries before;
    std::string text;
    Entries after;
};

void PrintTo(const RecordCase& c, std::ostream* out) {
    *out << c.name;
}

class RecordTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RecordTest, AppliesTheRecordingRule) {
    const RecordCase& c = GetParam();
    InputHistory history = HistoryOf(c.before);
    const InputHistory::RecordResult result = history.Record(c.text);
    EXPECT_EQ(history.Entries(), c.after);
    EXPECT_EQ(result.recorded, c.after != c.before);
    EXPECT_FALSE(result.droppedLast);
    EXPECT_EQ(result.index, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    InputHistory, RecordTest,
    ::testing::Values(
        RecordCase{"KeepsSurroundingSpaces", {}, "  abc  ", {"  abc  "}},
        RecordCase{"OnlySpacesRecordNothing", {"x"}, "    ", {"x"}},
        RecordCase{"EmptyRecordsNothing", {}, "", {}},
        RecordCase{"AllCodesUpTo32AreBlank", {}, std::string("\t\r\n \x01\x1f", 6) + '\0', {}},
        RecordCase{"Code127IsNotBlank", {}, "\x7f", {"\x7f"}},
        RecordCase{"CaseOnlyDuplicateRecordsNothing", {"abc"}, "ABC", {"abc"}},
        RecordCase{
            "DuplicateDeeperInTheList", {"one", "Two", "three"}, "tWO", {"one", "Two", "three"}},
        RecordCase{"DuplicateTestIsNotTrimmed", {"abc"}, " abc", {" abc", "abc"}},
        RecordCase{"NewGoesOnTop", {"a", "b"}, "new", {"new", "a", "b"}},
        RecordCase{
            "AccentedCapitalIsADuplicate", {"\xc3\xa4pfel"}, "\xc3\x84PFEL", {"\xc3\xa4pfel"}},
        RecordCase{"CyrillicCapitalIsADuplicate",
                   {"\xd0\xb4\xd0\xbe\xd0\xbc"},
                   "\xd0\x94\xd0\x9e\xd0\x9c",
                   {"\xd0\xb4\xd0\xbe\xd0\xbc"}},
        RecordCase{"LatinExtendedCapitalIsADuplicate",
                   {"\xc5\xbe\xc4\x8d"},  // žč
                   "\xc5\xbd\xc4\x8c",
                   {"\xc5\xbe\xc4\x8d"}},
        RecordCase{
            "DifferentLettersAreNotDuplicates", {"\xc3\xa4"}, "\xc3\xa5", {"\xc3\xa5", "\xc3\xa4"}},
        RecordCase{"StrayBytesCompareAsThemselves", {"\xe9"}, "\xc9", {"\xc9", "\xe9"}},
        RecordCase{"TimesSignHasNoSmallForm", {"\xc3\xb7"}, "\xc3\x97", {"\xc3\x97", "\xc3\xb7"}}),
    [](const ::testing::TestParamInfo<RecordCase>& info) { return info.param.name; });

TEST(InputHistoryTest, FullListDropsTheLastEntryForANewOne) {
    InputHistory history;
    for (std::size_t i = 0; i < InputHistory::kMaxRecordedEntries; ++i) {
        history.Record("e" + std::to_string(i));
    }
    ASSERT_EQ(history.Count(), InputHistory::kMaxRecordedEntries);
    EXPECT_EQ(history.Entries().back(), "e0");

    const auto duplicate = history.Record("E5");
    EXPECT_FALSE(duplicate.recorded);
    EXPECT_FALSE(duplicate.droppedLast);
    EXPECT_EQ(history.Entries().back(), "e0");

    const auto result = history.Record("new");
    EXPECT_TRUE(result.recorded);
    EXPECT_TRUE(result.droppedLast);
    EXPECT_EQ(history.Count(), InputHistory::kMaxRecordedEntries);
    EXPECT_EQ(history.Entries().front(), "new");
    EXPECT_EQ(history.Entries()[1], "e199");
    EXPECT_EQ(history.Entries().back(), "e1");
}

TEST(InputHistoryTest, ListOneShortOfFullGrowsWithoutDropping) {
    InputHistory history;
    for (std::size_t i = 0; i + 1 < InputHistory::kMaxRecordedEntries; ++i) {
        history.Record("e" + std::to_string(i));
    }
    const auto result = history.Record("new");
    EXPECT_FALSE(result.droppedLast);
    EXPECT_EQ(history.Count(), InputHistory::kMaxRecordedEntries);
    EXPECT_EQ(history.Entries().back(), "e0");
}

TEST(InputHistoryTest, LongLoadedListKeepsItsLengthWhenRecording) {
    TempTree tree;
    std::string content;
    for (int i = 0; i < 250; ++i) {
        content += "k" + std::to_string(1000 + i) + "\r\n";
    }
    tree.File("SearchFile.txt", content);
    InputHistory history;
    history.LoadFromFile(tree.path("SearchFile.txt"));
    ASSERT_EQ(history.Count(), 250u);  // a longer file loads whole
    const auto result = history.Record("new");
    EXPECT_TRUE(result.droppedLast);
    EXPECT_EQ(history.Count(), 250u);
    EXPECT_EQ(history.Entries().front(), "new");
    EXPECT_EQ(history.Entries().back(), "k1248");
}

struct SplitCase {
    const char* name;
    std::string text;
    Entries lines;
};

void PrintTo(const SplitCase& c, std::ostream* out) {
    *out << c.name;
}

class SplitLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, CutsAtEveryLineBreakKind) {
    EXPECT_EQ(InputHistory::SplitLines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    InputHistory, SplitLinesTest,
    ::testing::Values(SplitCase{"CrLf", "zeta\r\nalpha\r\nBeta\r\n", {"zeta", "alpha", "Beta"}},
                      SplitCase{"LoneLf", "zeta\nalpha\nBeta\n", {"zeta", "alpha", "Beta"}},
                      SplitCase{"LoneCr", "zeta\ralpha\rBeta", {"zeta", "alpha", "Beta"}},
                      SplitCase{"LfThenCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}},
                      SplitCase{"CrThenCrLf", "a\r\r\nb", {"a", "", "b"}},
                      SplitCase{"EmptyText", "", {}}, SplitCase{"OnlyABreak", "\r\n", {""}},
                      SplitCase{"EmptyLinesKept", "\r\n\n\r", {"", "", ""}},
                      SplitCase{"NoFinalBreak", "a\r\nb", {"a", "b"}},
                      SplitCase{"FinalCrAlone", "a\r", {"a"}},
                      SplitCase{"BlanksKept", "  x \t\r\n", {"  x \t"}},
                      SplitCase{"NulEndsTheText", std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
                      SplitCase{"LeadingNul", std::string("\0a\r\n", 4), {}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST(InputHistoryTest, LoadPlacesEntriesAlphabeticallyIgnoringCase) {
    TempTree tree;
    tree.File("a.txt", "zeta\r\nalpha\r\nBeta\r\n");
    tree.File("b.txt", "zeta\nalpha\nBeta\n");
    InputHistory crlf;
    crlf.LoadFromFile(tree.path("a.txt"));
    EXPECT_EQ(crlf.Entries(), (Entries{"alpha", "Beta", "zeta"}));
    InputHistory lf;
    lf.LoadFromFile(tree.path("b.txt"));
    EXPECT_EQ(lf.Entries(), crlf.Entries());
}

TEST(InputHistoryTest, AssignSortsShorterFirstAndKeepsCaseTwinsInOrder) {
    InputHistory history;
    history.Assign({"b", "ab", "B", "a", "", "A", "_x", "1"});
    EXPECT_EQ(history.Entries(), (Entries{"", "1", "_x", "a", "A", "ab", "b", "B"}));
}

TEST(InputHistoryTest, LoadReplacesTheList) {
    TempTree tree;
    tree.File("h.txt", "one\r\n");
    InputHistory history = HistoryOf({"old"});
    history.LoadFromFile(tree.path("h.txt"));
    EXPECT_EQ(history.Entries(), (Entries{"one"}));
}

TEST(InputHistoryTest, SavedRunLoadsBackSorted) {
    TempTree tree;
    const std::string path = HistoryFilePath(tree.root(), kNameHistoryFileName);
    tree.File(kNameHistoryFileName, "b\r\na\r\n");
    InputHistory history;
    ASSERT_TRUE(history.LoadFromFileIfExists(path));
    history.Record("new");
    history.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), "new\r\na\r\nb\r\n");

    InputHistory next;
    next.LoadFromFile(path);
    EXPECT_EQ(next.Entries(), (Entries{"a", "b", "new"}));
}

TEST(InputHistoryTest, SaveWritesEmptyEntriesAndReplacesLongerContent) {
    TempTree tree;
    const std::string path = tree.path("SearchWord.txt");
    tree.File("SearchWord.txt", std::string(10000, 'x'));
    InputHistory history;
    history.Assign({"", "  a  "});
    history.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), "\r\n  a  \r\n");

    history.Clear();
    history.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), "");
    EXPECT_EQ(FilesIn(tree.root()), 1u);  // no temporary file left behind
}

TEST(InputHistoryTest, EntryWithLineBreaksOrNulStaysOneLine) {
    TempTree tree;
    const std::string path = tree.path("SearchFile.txt");
    InputHistory history = HistoryOf({"two\r\nlines", std::string("nul\0inside", 10), "last"});
    history.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), "two  lines\r\nnul inside\r\nlast\r\n");
    InputHistory next;
    next.LoadFromFile(path);
    EXPECT_EQ(next.Entries(), (Entries{"last", "nul inside", "two  lines"}));
}

TEST(InputHistoryTest, SaveKeepsPermissionsAndFollowsALink) {
    TempTree tree;
    tree.File("real.txt", "old\r\n");
    ASSERT_EQ(chmod(tree.path("real.txt").c_str(), 0640), 0);
    tree.Link("SearchFile.txt", tree.path("real.txt"));
    HistoryOf({"fresh"}).SaveToFile(tree.path("SearchFile.txt"));

    EXPECT_TRUE(std::filesystem::is_symlink(tree.path("SearchFile.txt")));
    EXPECT_EQ(ReadFile(tree.path("real.txt")), "fresh\r\n");
    struct stat info {};
    ASSERT_EQ(stat(tree.path("real.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(InputHistoryTest, MissingFileLeavesTheListOrRaises) {
    TempTree tree;
    const std::string path = tree.path("SearchWord.txt");
    InputHistory history = HistoryOf({"kept"});
    EXPECT_FALSE(history.LoadFromFileIfExists(path));
    EXPECT_EQ(history.Entries(), (Entries{"kept"}));
    try {
        history.LoadFromFile(path);
        FAIL() << "no error for a missing file";
    } catch (const files::EFOpenError& error) {
        EXPECT_STREQ(error.what(),
                     ("Cannot open file \"" + path + "\". No such file or directory").c_str());
    }
}

TEST(InputHistoryTest, UnreadableFileRaisesTheOpenErrorAndKeepsTheList) {
    TempTree tree;
    tree.Folder("SearchFile.txt");
    const std::string path = tree.path("SearchFile.txt");
    InputHistory history = HistoryOf({"kept"});
    try {
        history.LoadFromFileIfExists(path);
        FAIL() << "a folder loaded as a history";
    } catch (const files::EFOpenError& error) {
        EXPECT_STREQ(error.what(), ("Cannot open file \"" + path + "\". Is a directory").c_str());
    }
    EXPECT_EQ(history.Entries(), (Entries{"kept"}));

    if (geteuid() != 0) {  // root reads files whatever their mode
        tree.File("locked.txt", "x\r\n");
        ASSERT_EQ(chmod(tree.path("locked.txt").c_str(), 0), 0);
        EXPECT_THROW(
            {
                try {
                    history.LoadFromFile(tree.path("locked.txt"));
                } catch (const files::EFOpenError& error) {
                    EXPECT_STREQ(error.what(), ("Cannot open file \"" + tree.path("locked.txt") +
                                                "\". Permission denied")
                                                   .c_str());
                    throw;
                }
            },
            files::EFOpenError);
    }
}

TEST(InputHistoryTest, FifoInTheFilesPlaceRaisesInsteadOfWaiting) {
    TempTree tree;
    const std::string path = tree.path("SearchWord.txt");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    InputHistory history;
    try {
        history.LoadFromFileIfExists(path);
        FAIL() << "a FIFO loaded as a history";
    } catch (const files::EFOpenError& error) {
        EXPECT_STREQ(error.what(), ("Cannot open file \"" + path + "\". Invalid argument").c_str());
    }
}

TEST(InputHistoryTest, SaveOverAFolderFailsAndLeavesItAlone) {
    TempTree tree;
    tree.File("SearchFile.txt/inside.txt", "precious");
    const std::string path = tree.path("SearchFile.txt");
    try {
        HistoryOf({"a"}).SaveToFile(path);
        FAIL() << "saved over a folder";
    } catch (const files::EFCreateError& error) {
        EXPECT_STREQ(error.what(), ("Cannot create file \"" + path + "\". Is a directory").c_str());
    }
    EXPECT_EQ(ReadFile(tree.path("SearchFile.txt/inside.txt")), "precious");
    EXPECT_EQ(FilesIn(tree.root()), 1u);  // the temporary file is gone again
}

TEST(InputHistoryTest, SaveIntoAMissingFolderRaisesTheCreateError) {
    TempTree tree;
    const std::string path = tree.path("gone/SearchWord.txt");
    try {
        HistoryOf({"a"}).SaveToFile(path);
        FAIL() << "saved into a missing folder";
    } catch (const files::EFCreateError& error) {
        EXPECT_STREQ(error.what(),
                     ("Cannot create file \"" + path + "\". No such file or directory").c_str());
    }
}

// Saving goes through the safe writer: in a folder that refuses new files a writable
// history is written in place, a read-only one is refused, and so is a text that does not fit
// on a full disk. Run as an ordinary user (permissions do not stop the superuser).
TEST(InputHistoryTest, SaveInAReadOnlyFolderWritesInPlaceOrKeepsTheOldFile) {
    TempTree tree;
    const std::string folder = tree.root();
    const auto outcome = test::RunAsOrdinaryUser(
        folder,
        [&]() -> std::string {
            const std::string writable = folder + "/SearchFile.txt";
            const std::string readOnly = folder + "/SearchWord.txt";
            const std::string old(90'000, 'o');
            for (const std::string& path : {writable, readOnly}) {
                std::ofstream(path, std::ios::binary) << old;
            }
            chmod(readOnly.c_str(), 0444);
            // Fill the small disk, then lock the folder.
            {
                std::ofstream filler(folder + "/filler", std::ios::binary);
                const std::string block(4096, 'f');
                while (filler.write(block.data(), block.size())) {
                }
            }
            chmod(folder.c_str(), 0555);
            try {
                HistoryOf({"new"}).SaveToFile(readOnly);
                return "a read-only history was replaced";
            } catch (const files::EFCreateError&) {
            }
            Entries many;
            for (int i = 0; i < 150; ++i) {
                many.push_back(std::string(1000, static_cast<char>('a' + i % 26)) +
                               std::to_string(i));
            }
            try {
                HistoryOf(many).SaveToFile(writable);
                return "a history larger than the free room was saved";
            } catch (const files::EFCreateError& e) {
                if (std::string(e.what()).find("No space left on device") == std::string::npos) {
                    return std::string("message: ") + e.what();
                }
            }
            if (ReadFile(writable) != old || ReadFile(readOnly) != old) {
                return "an old history was changed";
            }
            HistoryOf({"new", "old"}).SaveToFile(writable);
            return ReadFile(writable) == "new\r\nold\r\n" ? "" : "not written in place";
        },
        256 * 1024);
    if (outcome.skipped) {
        GTEST_SKIP() << outcome.message;
    }
    EXPECT_EQ(outcome.message, "");
}

// Lets a test write no file longer than `bytes`; writes past it fail with EFBIG (the signal
// that would end the process is ignored meanwhile). Works for root too.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    bool Active() const { return active_; }

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

TEST(InputHistoryTest, WriteFailureMidwayKeepsTheOldFile) {
    TempTree tree;
    const std::string path = tree.path("SearchWord.txt");
    tree.File("SearchWord.txt", "old\r\n");
    InputHistory history;
    for (int i = 0; i < 100; ++i) {
        history.Record(std::string(100, 'a' + i % 26) + std::to_string(i));
    }
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.Active());
        try {
            history.SaveToFile(path);
            FAIL() << "a write past the size limit reported success";
        } catch (const files::EFCreateError& error) {
            EXPECT_STREQ(error.what(),
                         ("Cannot create file \"" + path + "\". File too large").c_str());
        }
    }
    EXPECT_EQ(ReadFile(path), "old\r\n");
    EXPECT_EQ(FilesIn(tree.root()), 1u);
    history.SaveToFile(path);  // without the limit the same save goes through
    EXPECT_EQ(InputHistory::SplitLines(ReadFile(path)), history.Entries());
}

TEST(InputHistoryTest, FilePathsJoinTheFolder) {
    EXPECT_EQ(HistoryFilePath("/opt/tarnwick", kNameHistoryFileName),
              "/opt/tarnwick/SearchFile.txt");
    EXPECT_EQ(HistoryFilePath("/opt/tarnwick/", kWordHistoryFileName),
              "/opt/tarnwick/SearchWord.txt");
    EXPECT_EQ(HistoryFilePath("/", kNameHistoryFileName), "/SearchFile.txt");
    EXPECT_EQ(HistoryFilePath("", kWordHistoryFileName), "SearchWord.txt");
}

TEST(InputHistoryTest, CollationFoldsLettersAndOrdersByThem) {
    EXPECT_TRUE(EqualIgnoringCase("\xc3\x89t\xc3\xa9", "\xc3\xa9T\xc3\x89"));  // Été
    EXPECT_TRUE(EqualIgnoringCase("\xce\xa9", "\xcf\x89"));                    // Greek omega
    EXPECT_TRUE(EqualIgnoringCase("\xc5\xb8", "\xc3\xbf"));                    // Y diaeresis
    EXPECT_TRUE(EqualIgnoringCase("\xc4\xb0", "i"));  // dotted capital I: simple small i
    EXPECT_TRUE(EqualIgnoringCase("\xc8\x98tefan", "\xc8\x99TEFAN"));  // Ștefan, every script
    EXPECT_TRUE(EqualIgnoringCase("\xef\xbc\xa1", "\xef\xbd\x81"));    // fullwidth A
    EXPECT_FALSE(EqualIgnoringCase("\xc8\x99", "\xc5\x9f"));           // ș is not ş
    EXPECT_FALSE(EqualIgnoringCase("abc", "abcd"));
    EXPECT_LT(CompareIgnoringCase("Apple", "banana"), 0);
    EXPECT_GT(CompareIgnoringCase("apple", "APP"), 0);
    EXPECT_EQ(CompareIgnoringCase("", ""), 0);
    // A cut-off sequence compares as its bytes and never reads past the end.
    EXPECT_NE(CompareIgnoringCase("a\xc3", "a\xc3\xa4"), 0);
    EXPECT_TRUE(EqualIgnoringCase("a\xc3", "A\xc3"));
}

}  // namespace
}  // namespace tarnwick::history
