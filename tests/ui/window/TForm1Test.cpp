// The main window driven as a user would: inputs, Search and Stop, rows, the Look in list,
// clicks on rows, and the enabled states around a run.
#include "ui/window/TForm1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <filesystem>
#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editor/highlight/AdvPascalMemoStyler.h"
#include "platform/Shell.h"
#include "support/FakeTypeNames.h"
#include "support/FixedLocale.h"
#include "support/RecordingShell.h"
#include "support/TempTree.h"
#include "ui/editor/AdvMemoWidget.h"
#include "ui/results/ResultsColumnWidths.h"
#include "ui/support/TForm1Fixture.h"
#include "ui/support/UiTestApp.h"
#include "ui/window/UiDialogs.h"

namespace tarnwick::ui {
namespace {

using search::ResultRow;
using ::testing::ElementsAre;
using testing::TForm1Test;
using testing::WaitUntil;

TEST_F(TForm1Test, StartsWithTheFormsControlsAndStates) {
    EXPECT_EQ(window->windowTitle(), "Tarnwick");
    EXPECT_EQ(window->minimumSize(), QSize(1074, 740));
    EXPECT_EQ(window->size(), QSize(1074, 740));
    const struct {
        const char* name;
        const char* tooltip;
        bool enabled;
    } buttons[] = {
        {"ToolButton1", "Open Folder", false},
        {"ToolButton2", "Open File", false},
        {"ToolButton3", "Save As... ", false},
        {"ToolButton5", "Cut", false},
        {"ToolButton4", "Copy", false},
        {"ToolButton6", "Paste", true},
        {"ToolButton7", "Find and Replace", true},
        {"ToolButton8", "About", true},
    };
    for (const auto& b : buttons) {
        auto* button = Find<QToolButton>(b.name);
        EXPECT_EQ(button->toolTip(), b.tooltip) << b.name;
        EXPECT_EQ(button->isEnabled(), b.enabled) << b.name;
        EXPECT_EQ(button->width(), 55) << b.name;
    }
    for (const char* on : {"Openfolder1", "Openfile1", "Save1", "Exit1", "Paste1", "Find1",
                           "Visitwebsite1", "Reportbugs1", "About1", "BitBtn1"}) {
        EXPECT_TRUE(Enabled(on)) << on;
    }
    for (const char* off : {"Cut1", "Copy1", "BitBtn2"}) {
        EXPECT_FALSE(Enabled(off)) << off;
    }
    EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), "exe,dll,sys,ico,dat,bin");
    EXPECT_EQ(Find<QLineEdit>("Edit2")->text(), "txt,doc,ini,html,htm,php");
    EXPECT_TRUE(Find<QCheckBox>("CheckBox2")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("CheckBox1")->isChecked());
    auto* list = Find<QTableView>("ListView1");
    // The form's widths, scaled to the list's font; Name, Path and Type need no more.
    const int widths[] = {160, 140, 65, 100, 130, 130, 60};
    const double scale = AverageLetterWidth(list->font()) / kFormAverageLetterWidth;
    for (int c = 0; c < 7; ++c) {
        const int scaled = static_cast<int>(std::lround(widths[c] * scale));
        if (c == 0 || c == 1 || c == 3) {
            EXPECT_EQ(list->columnWidth(c), scaled) << c;
        } else {
            EXPECT_GE(list->columnWidth(c), scaled) << c;
        }
    }
    EXPECT_EQ(window->Results().headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(),
              "Attributes");
    EXPECT_EQ(Find<QLabel>("bsSkinStatusPanel2")->width(), 138);
    EXPECT_TRUE(Status("bsSkinStatusPanel1").isEmpty());
}

TEST_F(TForm1Test, LookInListHasTheDrivesThenAllDrivesAndOther) {
    auto* box = Find<QComboBox>("ComboBox3");
    ASSERT_EQ(box->count(), 4);
    EXPECT_EQ(box->itemText(0).toStdString(), tree.path("C"));
    EXPECT_EQ(box->itemText(1).toStdString(), tree.path("D"));
    EXPECT_EQ(box->itemText(2), "All Drives");
    EXPECT_EQ(box->itemText(3), "Other...");
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(window->Options().LookIn(), tree.path("C"));
}

TEST_F(TForm1Test, OtherInsertsConfirmedFoldersAtTheTopAndCancelLeavesNoSelection) {
    auto* box = Find<QComboBox>("ComboBox3");
    dialogs.folders = {"/first/folder", "/second/not-yet-there"};
    window->ComboBox3Select(box->count() - 1);
    window->ComboBox3Select(box->count() - 1);
    EXPECT_EQ(box->itemText(0), "/second/not-yet-there");
    EXPECT_EQ(box->itemText(1), "/first/folder");
    EXPECT_EQ(box->itemText(box->count() - 2), "All Drives");
    EXPECT_EQ(window->Options().LookIn(), "/second/not-yet-there");
    window->ComboBox3Select(box->count() - 1);  // cancelled
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(window->Options().LookIn(), "");
    window->ComboBox3Select(0);  // any other entry: no chooser
    EXPECT_EQ(dialogs.folderAsks, 3);
}

TEST_F(TForm1Test, SearchShowsRowsWithTheirTextsAndRestoresTheControls) {
    tree.File("C/notes.txt", "a keyword here");
    tree.File("C/other.txt", "nothing");
    tree.File("C/sub/more-notes.txt", "keyword");
    Find<QComboBox>("ComboBox1")->setEditText("");
    Find<QComboBox>("ComboBox2")->setEditText("keyword");
    ASSERT_EQ(window->Options().ContainingText(), "keyword");
    RunSearch();
    ResultsModel& rows = window->Results();
    ASSERT_EQ(rows.rowCount(), 2);
    const ResultRow& first = rows.Row(0);
    EXPECT_EQ(first.Name, "notes.txt");
    EXPECT_EQ(first.Path, tree.path("C/notes.txt"));
    EXPECT_EQ(first.Size, "14 bytes");
    EXPECT_EQ(first.Type, "TXT File");
    EXPECT_EQ(first.Attributes, "");
    EXPECT_EQ(rows.data(rows.index(0, 1), Qt::DisplayRole).toString().toStdString(), first.Path);
    EXPECT_FALSE(rows.data(rows.index(0, 4), Qt::DisplayRole).toString().isEmpty());
    EXPECT_EQ(rows.Row(1).Name, "more-notes.txt");
    EXPECT_EQ(Status("bsSkinStatusPanel2"), "2 items found");
    EXPECT_TRUE(Status("bsSkinStatusPanel1").isEmpty());
    EXPECT_TRUE(Enabled("BitBtn1"));
    EXPECT_FALSE(Enabled("BitBtn2"));
    // The containing text became the styler's keyword.
    const auto& words = window->Styler().AllStyles().Items(0).KeyWords();
    ASSERT_EQ(words.Count(), 1);
    EXPECT_EQ(words.Get(0), "keyword");
}

TEST_F(TForm1Test, RunningSearchDisablesSearchAndFileCommandsUntilItEnds) {
    tree.File("C/a.txt");
    SelectRow(-1);
    Find<QPushButton>("BitBtn1")->click();
    // SearchStarted ran synchronously inside the click.
    EXPECT_FALSE(Enabled("BitBtn1"));
    EXPECT_TRUE(Enabled("BitBtn2"));
    for (const char* off :
         {"ToolButton1", "ToolButton2", "ToolButton3", "Openfolder1", "Openfile1", "Save1"}) {
        EXPECT_FALSE(Enabled(off)) << off;
    }
    ASSERT_TRUE(WaitUntil([&] { return Enabled("BitBtn1"); }));
    EXPECT_FALSE(Enabled("BitBtn2"));
}

TEST_F(TForm1Test, ClickOnAFileRowLoadsItAndEnablesTheFileCommands) {
    tree.File("C/one.txt", "first line\r\nsecond line\r\n");
    tree.Folder("C/dir");
    RunSearch();
    ASSERT_EQ(window->Results().rowCount(), 2);  // dir, one.txt
    SelectRow(1);
    auto& memo = window->Memo().Memo();
    ASSERT_EQ(memo.Lines().Count(), 2);
    EXPECT_EQ(memo.Lines().Get(1), "second line");
    EXPECT_EQ(Status("bsSkinStatusPanel1").toStdString(), tree.path("C/one.txt"));
    for (const char* on :
         {"ToolButton1", "ToolButton2", "Openfolder1", "Openfile1", "ToolButton3", "Save1"}) {
        EXPECT_TRUE(Enabled(on)) << on;  // Save As too: loading changed the text
    }
    SelectRow(0);  // the folder: editor unchanged, its path shown
    EXPECT_EQ(memo.Lines().Count(), 2);
    EXPECT_EQ(Status("bsSkinStatusPanel1").toStdString(), tree.path("C/dir"));
    window->findChild<QTableView*>("ListView1")->clearSelection();
    window->ListView1Click();
    EXPECT_FALSE(Enabled("ToolButton1"));
    EXPECT_FALSE(Enabled("Openfile1"));
}

TEST_F(TForm1Test, RealMouseClickOnARowLoadsTheFile) {
    tree.File("C/clicked.txt", "hello");
    RunSearch();
    window->show();
    auto* list = Find<QTableView>("ListView1");
    const QRect cell = list->visualRect(window->Results().index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(WaitUntil([&] { return window->Memo().Memo().Lines().Count() == 1; }));
    EXPECT_EQ(window->Memo().Memo().Lines().Get(0), "hello");
}

TEST_F(TForm1Test, ARowSelectedByTheKeyboardIsShownLikeAClickedOne) {
    tree.File("C/a.txt", "aaa");
    tree.File("C/b.md", "bbb");
    tree.Folder("C/c");
    RunSearch();
    window->show();
    auto* list = Find<QTableView>("ListView1");
    list->setFocus();
    SelectRow(0);
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_TRUE(WaitUntil([&] { return window->Memo().Memo().Lines().Get(0) == "bbb"; }));
    EXPECT_EQ(Status("bsSkinStatusPanel1").toStdString(), tree.path("C/b.md"));
    // The commands act on the file shown.
    dialogs.saveAnswer = std::nullopt;
    window->SaveAsCommand();
    EXPECT_EQ(dialogs.saveSuffix, "md");
    // A folder row: its path shown, the editor unchanged, as for a click.
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_TRUE(WaitUntil([&] { return Status("bsSkinStatusPanel1").endsWith("/c"); }));
    EXPECT_EQ(window->Memo().Memo().Lines().Get(0), "bbb");
    EXPECT_TRUE(Enabled("Openfile1"));
}

TEST_F(TForm1Test, AllDrivesWalksEveryRootAndStopEndsTheRun) {
    tree.File("C/c.txt");
    tree.File("D/d.txt");
    auto* box = Find<QComboBox>("ComboBox3");
    box->setCurrentIndex(box->findText("All Drives"));
    RunSearch();
    ASSERT_EQ(window->Results().rowCount(), 2);
    EXPECT_EQ(window->Results().Row(0).Name, "d.txt");  // the last root first
    EXPECT_EQ(window->Results().Row(1).Name, "c.txt");
    Find<QPushButton>("BitBtn1")->click();
    Find<QPushButton>("BitBtn2")->click();
    EXPECT_TRUE(Status("bsSkinStatusPanel1").isEmpty());
    ASSERT_TRUE(WaitUntil([&] { return Enabled("BitBtn1"); }));
}

TEST_F(TForm1Test, SaveAsProposesTheRowsExtensionAndWritesTheEditorText) {
    tree.File("C/readme.txt", "text to keep");
    RunSearch();
    SelectRow(0);
    dialogs.saveAnswer = QString::fromStdString(tree.path("saved.txt"));
    window->SaveAsCommand();
    EXPECT_EQ(dialogs.saveCaption, "Save your file");
    EXPECT_EQ(dialogs.saveSuffix, "txt");
    std::string content;
    std::ifstream in(tree.path("saved.txt"), std::ios::binary);
    std::getline(in, content, '\0');
    EXPECT_EQ(content, "text to keep") << "the unchanged file is written back as it was";
    dialogs.saveAnswer = QString::fromStdString(tree.path("no/such/folder/x.txt"));
    window->SaveAsCommand();
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].contains("Cannot create file"))
        << dialogs.errors[0].toStdString();
    EXPECT_TRUE(dialogs.errors[0].endsWith('.'));
}

TEST_F(TForm1Test, ClosingTheWindowDuringAWalkStopsItAtOnce) {
    for (int i = 0; i < 400; ++i) {
        tree.File("C/f" + std::to_string(i));
    }
    TForm1Services services;
    services.dialogs = &dialogs;
    services.typeNames = &typeNames;
    services.locale = &locale;
    services.entryPause = std::chrono::milliseconds(5);  // 2 s for the whole folder
    services.readDriveRoots = false;
    services.historyFolder = tree.root();
    auto slow = std::make_unique<TForm1>(services);
    slow->Search().State().DriveRoots = {tree.path("C")};
    slow->FormShow();
    slow->findChild<QPushButton*>("BitBtn1")->click();
    ASSERT_TRUE(WaitUntil([&] { return slow->Results().rowCount() > 0; }));
    QElapsedTimer timer;
    timer.start();
    slow.reset();  // stops the walk and drops what it still delivers
    EXPECT_LT(timer.elapsed(), 500);
    QCoreApplication::processEvents();  // queued deliveries of the dead window are dropped
}

TEST_F(TForm1Test, ShellCommandsActOnTheSelectedRowAndTheMakersPages) {
    testing::RecordingShell shell;
    platform::Shell::Install(&shell);
    tree.File("C/with space.txt", "x");
    RunSearch();
    window->OpenFileCommand();  // no row selected yet: nothing happens
    window->OpenFolderCommand();
    EXPECT_TRUE(shell.opened.empty());
    SelectRow(0);
    window->OpenFileCommand();
    window->OpenFolderCommand();
    window->findChild<QAction*>("Visitwebsite1")->trigger();
    window->findChild<QAction*>("Reportbugs1")->trigger();
    platform::Shell::Install(nullptr);
    EXPECT_THAT(shell.opened,
                ElementsAre(tree.path("C/with space.txt"), "http://www.tarnwick.example/",
                            "http://www.tarnwick.example/contact/"));
    EXPECT_THAT(shell.shown, ElementsAre(tree.path("C/with space.txt")));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(TForm1Test, HistoriesAreRecordedOnLeavingTheBoxSavedAndLoadedSorted) {
    auto* names = Find<QComboBox>("ComboBox1");
    for (const char* typed : {"zeta", "  ", "Alpha", "ALPHA"}) {
        names->setEditText(QString::fromLatin1(typed));
        window->ComboBox1Exit();
    }
    ASSERT_EQ(names->count(), 2);
    EXPECT_EQ(names->itemText(0), "Alpha");
    EXPECT_EQ(names->itemText(1), "zeta");
    EXPECT_EQ(names->currentText(), "ALPHA");  // what was typed stays in the box
    Find<QComboBox>("ComboBox2")->setEditText("needle");
    window->ComboBox2Exit();
    ASSERT_TRUE(window->SaveHistories());
    EXPECT_EQ(ReadFile(tree.path("SearchFile.txt")), "Alpha\r\nzeta\r\n");
    EXPECT_EQ(ReadFile(tree.path("SearchWord.txt")), "needle\r\n");

    tree.File("SearchFile.txt", "zeta\nalpha\r\nBeta\r");
    TForm1Services services;
    services.dialogs = &dialogs;
    services.readDriveRoots = false;
    services.historyFolder = tree.root();
    TForm1 next(services);
    auto* loaded = next.findChild<QComboBox*>("ComboBox1");
    ASSERT_EQ(loaded->count(), 3);
    EXPECT_EQ(loaded->itemText(0), "alpha");
    EXPECT_EQ(loaded->itemText(1), "Beta");
    EXPECT_EQ(loaded->itemText(2), "zeta");
    EXPECT_EQ(next.findChild<QComboBox*>("ComboBox2")->itemText(0), "needle");
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(TForm1Test, UnreadableHistoryIsReportedAndTheWindowStillOpens) {
    tree.Folder("broken/SearchFile.txt");  // a folder where the file should be
    TForm1Services services;
    services.dialogs = &dialogs;
    services.readDriveRoots = false;
    services.historyFolder = tree.path("broken");
    TForm1 broken(services);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    const std::string error = dialogs.errors[0].toStdString();
    EXPECT_EQ(error.rfind("tarnwick_ui_tests: Cannot open file \"" +
                              tree.path("broken/SearchFile.txt") + "\". ",
                          0),
              0u)
        << error;
    EXPECT_EQ(error.back(), '.');
}

TEST_F(TForm1Test, CloseSavesTheHistoriesOrStaysOpenWhenItCannot) {
    window->show();
    Find<QComboBox>("ComboBox1")->setEditText("kept");
    window->ComboBox1Exit();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(ReadFile(tree.path("SearchFile.txt")), "kept\r\n");

    TForm1Services services;
    services.dialogs = &dialogs;
    services.readDriveRoots = false;
    services.historyFolder = tree.path("missing-folder");
    TForm1 stuck(services);
    stuck.show();
    EXPECT_FALSE(stuck.close());
    EXPECT_TRUE(stuck.isVisible());
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].contains("Cannot create file"))
        << dialogs.errors[0].toStdString();
    EXPECT_FALSE(std::filesystem::exists(tree.path("missing-folder/SearchWord.txt")));
}

}  // namespace
}  // namespace tarnwick::ui
