// A row's file is read on a worker: the window keeps handling events and shows how far the
// read has come, another row or a new search cancels a running load at once, and a file that
// does not end fails with its message while the editor keeps its text.
#include <QLabel>
#include <QTableView>

#include <filesystem>

#include <gtest/gtest.h>

#include "ui/editor/AdvMemoWidget.h"
#include "ui/support/TForm1Fixture.h"

namespace tarnwick {
namespace {

using testing::WaitUntil;

// Reports no size and reads on for gigabytes, as files under /proc do.
constexpr const char* kEndless = "/proc/self/pagemap";

class TForm1LoadTest : public testing::TForm1Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(kEndless)) {
            GTEST_SKIP() << kEndless << " is missing";
        }
    }
    // Row 0 leads to the endless file, row 1 is b.txt.
    void ListEndlessAndB() {
        std::filesystem::create_symlink(kEndless, tree.path("C/a-endless"));
        tree.File("C/b.txt", "bee\n");
        RunSearch();
        ASSERT_EQ(window->Results().rowCount(), 2);
    }
    void Click(int row) {
        Find<QTableView>("ListView1")->selectRow(row);
        window->ListView1Click();
    }
    editor::TAdvMemo& Memo() { return window->Memo().Memo(); }
};

TEST_F(TForm1LoadTest, AnotherRowCancelsARunningLoadAndShowsItsOwnFile) {
    ListEndlessAndB();
    Click(0);
    ASSERT_TRUE(window->LoadingFile());
    // The window goes on handling events and tells how far the read has come.
    ASSERT_TRUE(WaitUntil([&] { return Status("bsSkinStatusPanel1").startsWith("Loading "); }));
    EXPECT_TRUE(Status("bsSkinStatusPanel1").endsWith(" MB)"))
        << Status("bsSkinStatusPanel1").toStdString();
    EXPECT_EQ(Memo().Lines().Count(), 0) << "the editor keeps its text while the file is read";

    Click(1);
    WaitForLoad();
    ASSERT_EQ(Memo().Lines().Count(), 1);
    EXPECT_EQ(Memo().Lines().Get(0), "bee");
    EXPECT_EQ(Status("bsSkinStatusPanel1").toStdString(), tree.path("C/b.txt"));
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(TForm1LoadTest, ANewSearchCancelsARunningLoad) {
    ListEndlessAndB();
    SelectRow(1);
    Click(0);
    ASSERT_TRUE(window->LoadingFile());
    RunSearch();
    EXPECT_FALSE(window->LoadingFile());
    EXPECT_EQ(Memo().Lines().Count(), 0) << "the search emptied the editor; no load filled it";
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(TForm1LoadTest, AFileThatDoesNotEndFailsWithItsMessageAndTheEditorKeepsItsText) {
    unsizedLoadLimit = 1u << 20;
    MakeWindow(&dialogs);
    ListEndlessAndB();
    SelectRow(1);
    Click(0);
    WaitForLoad();
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].endsWith("The file does not end: reading stopped after 1 MiB."))
        << dialogs.errors[0].toStdString();
    EXPECT_EQ(Memo().Lines().Get(0), "bee");
    EXPECT_EQ(Status("bsSkinStatusPanel1").toStdString(), tree.path("C/b.txt"));
}

}  // namespace
}  // namespace tarnwick
