// A row's file is read on a worker: the window keeps handling events and shows how far the
// read has come, another row or a new search cancels a running load at once, and a file that
// does not end fails with its message while the editor keeps its text. A large file's first
// lines show in a preview while it is read.
#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QTableView>

#include <filesystem>

#include <gtest/gtest.h>

#include "ui/editor/AdvMemoWidget.h"
#include "ui/support/TForm1Fixture.h"

namespace tarnwick::ui {
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

// Notes what the window looked like each time the preview came into sight.
class PreviewWatch : public QObject {
  public:
    PreviewWatch(TForm1& window, std::vector<const char*> commands)
        : fWindow(window), fCommands(std::move(commands)) {
        window.Preview().installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            std::string seen = "preview";
            auto& preview = fWindow.Preview().Memo().Lines();
            seen += preview.Count() > 0 ? " '" + preview.Get(0) + "'" : " empty";
            seen += " editor '" + fWindow.Memo().Memo().Lines().Get(0) + "'";
            for (const char* name : fCommands) {
                if (fWindow.findChild<QAction*>(QString::fromLatin1(name))->isEnabled()) {
                    seen += std::string(" ") + name;
                }
            }
            shown.push_back(seen);
        }
        return false;
    }
    std::vector<std::string> shown;

  private:
    TForm1& fWindow;
    std::vector<const char*> fCommands;
};

TEST_F(TForm1LoadTest, ALargeFileShowsItsFirstLinesWhileItIsReadAndTheEditorKeepsItsText) {
    tree.File("C/a.txt", "bee\n");
    tree.File("C/big.txt", "head line\nsecond\n");
    std::filesystem::resize_file(tree.path("C/big.txt"), editor::TBackgroundLoad::kPreviewFrom);
    RunSearch();
    ASSERT_EQ(window->Results().rowCount(), 2);
    ASSERT_EQ(window->Results().Row(1).Path, tree.path("C/big.txt"));
    ShowActive();
    SelectRow(0);
    Memo().SelectAllText();  // Cut and Copy are on, to be seen off and on again
    const std::vector<const char*> commands = {"Save1", "Cut1", "Copy1", "Paste1", "Find1"};
    std::vector<bool> before;
    for (const char* name : commands) {
        before.push_back(Enabled(name));
    }
    ASSERT_TRUE(Enabled("Cut1"));
    PreviewWatch watch(*window, commands);

    Click(1);
    WaitForLoad();
    // In sight once, with the file's first lines, the editor's text untouched behind it and
    // every command that acts on that text off.
    EXPECT_EQ(watch.shown, std::vector<std::string>{"preview 'head line' editor 'bee'"});
    EXPECT_FALSE(window->PreviewShown());
    EXPECT_EQ(Memo().Lines().Get(0), "head line");
    EXPECT_EQ(Memo().Lines().Count(), 3);
    EXPECT_EQ(window->Preview().Memo().Lines().Count(), 0) << "the preview lets its text go";
    // The commands are back as they were, then follow the new text (nothing selected).
    EXPECT_EQ(Enabled("Save1"), before[0]);
    EXPECT_FALSE(Enabled("Cut1"));
    EXPECT_EQ(Enabled("Paste1"), before[3]);
    EXPECT_EQ(Enabled("Find1"), before[4]);
    EXPECT_TRUE(dialogs.errors.empty());

    // A file too large to hold fails after its preview: the preview goes, the editor keeps
    // its text and the commands are back as they were.
    std::filesystem::resize_file(tree.path("C/big.txt"), uint64_t{64} << 30);  // sparse
    SelectRow(0);
    Memo().SelectAllText();
    watch.shown.clear();
    Click(1);
    WaitForLoad();
    EXPECT_EQ(watch.shown, std::vector<std::string>{"preview 'head line' editor 'bee'"});
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_FALSE(window->PreviewShown());
    EXPECT_EQ(Memo().Lines().Get(0), "bee");
    EXPECT_TRUE(Enabled("Cut1"));
    EXPECT_TRUE(Enabled("Copy1"));
}

}  // namespace
}  // namespace tarnwick::ui
