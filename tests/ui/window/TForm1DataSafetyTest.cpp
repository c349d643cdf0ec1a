// The main window never drops or alters what the user did not ask it to: modified text is asked
// about before a row, a search or closing would discard it; Cut and Copy without a selection
// leave the clipboard alone and copied lines carry LF; names that are not UTF-8 are opened,
// shown and saved beside by their bytes; a vanished file is reported and the editor kept.
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QToolButton>

#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Clipboard.h"
#include "platform/Shell.h"
#include "platform/qt/QtClipboard.h"
#include "support/RecordingShell.h"
#include "ui/editor/AdvMemoWidget.h"
#include "ui/support/TForm1Fixture.h"

namespace tarnwick::ui {
namespace {

using ::testing::ElementsAre;
using testing::WaitUntil;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TForm1DataSafetyTest : public testing::TForm1Test {
  protected:
    void SetUp() override {
        platform::Clipboard::Install(&clipboard);
        ShowActive();
    }
    void TearDown() override { platform::Clipboard::Install(nullptr); }

    editor::TAdvMemo& Memo() { return window->Memo().Memo(); }
    std::string Line(int i) { return Memo().Lines().Get(i); }
    int Selected() {
        const auto rows = Find<QTableView>("ListView1")->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.constFirst().row();
    }
    // Types at the start of the first line with real key events.
    void TypeAtStart(const QString& text) {
        window->Memo().setFocus();
        Memo().SetCaretLine(0);
        Memo().SetCaretColumn(0);
        QTest::keyClicks(&window->Memo(), text);
    }
    // Two files a.txt (row 0) and b.txt (row 1); a.txt shown and edited to "Xone".
    void EditFirstOfTwo() {
        tree.File("C/a.txt", "one\ntwo\n");
        tree.File("C/b.txt", "bee\n");
        RunSearch();
        SelectRow(0);
        ASSERT_EQ(Line(0), "one");
        EXPECT_FALSE(window->EditorModified());
        EXPECT_EQ(window->windowTitle(), "Tarnwick");
        TypeAtStart(QStringLiteral("X"));
        ASSERT_EQ(Line(0), "Xone");
        ASSERT_TRUE(window->EditorModified());
        EXPECT_EQ(window->windowTitle(), "*Tarnwick");
    }

    platform::QtClipboard clipboard;
};

TEST_F(TForm1DataSafetyTest, ClickingAnotherRowAsksAndEachAnswerDoesWhatItSays) {
    const struct {
        const char* name;
        EditsAnswer answer;
        bool saveConfirmed;
        bool otherShown;
    } cases[] = {
        {"Cancel", EditsAnswer::Cancel, false, false},
        {"Discard", EditsAnswer::Discard, false, true},
        {"Save As", EditsAnswer::SaveAs, true, true},
        {"Save As, dialog cancelled", EditsAnswer::SaveAs, false, false},
    };
    int run = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeWindow(&dialogs);
        ShowActive();
        EditFirstOfTwo();
        const std::string saved = tree.path("saved" + std::to_string(run++) + ".txt");
        dialogs.editsQuestions.clear();
        dialogs.editsAnswers = {c.answer};
        dialogs.saveAnswer =
            c.saveConfirmed ? std::optional(QString::fromStdString(saved)) : std::nullopt;
        dialogs.saveSuffix.clear();
        SelectRow(1);
        ASSERT_EQ(dialogs.editsQuestions.size(), 1u);
        if (c.answer == EditsAnswer::SaveAs) {
            EXPECT_EQ(dialogs.saveSuffix, "txt");  // from the row whose file is shown
        }
        if (c.otherShown) {
            EXPECT_EQ(Line(0), "bee");
            EXPECT_EQ(Selected(), 1);
            EXPECT_FALSE(window->EditorModified());
            EXPECT_EQ(window->windowTitle(), "Tarnwick");
            EXPECT_EQ(Status("bsSkinStatusPanel1").toStdString(), tree.path("C/b.txt"));
        } else {
            EXPECT_EQ(Line(0), "Xone");
            EXPECT_EQ(Selected(), 0) << "the old row stays selected";
            EXPECT_TRUE(window->EditorModified());
            EXPECT_EQ(Status("bsSkinStatusPanel1").toStdString(), tree.path("C/a.txt"));
        }
        if (c.saveConfirmed) {
            EXPECT_EQ(ReadAll(saved).rfind("Xone", 0), 0u) << ReadAll(saved);
        } else {
            EXPECT_FALSE(std::filesystem::exists(saved));
        }
        EXPECT_EQ(ReadAll(tree.path("C/a.txt")), "one\ntwo\n");
    }
}

TEST_F(TForm1DataSafetyTest, ANewSearchAndClosingAskAndCancelKeepsEverything) {
    EditFirstOfTwo();
    // Search: Cancel leaves the run unstarted and the text in place.
    Find<QPushButton>("BitBtn1")->click();
    ASSERT_EQ(dialogs.editsQuestions.size(), 1u);
    EXPECT_TRUE(Enabled("BitBtn1"));
    EXPECT_FALSE(window->Search().IsWalking());
    EXPECT_EQ(window->Results().rowCount(), 2);
    EXPECT_EQ(Line(0), "Xone");
    // Enter in a text box asks too.
    QTest::keyClick(Find<QComboBox>("ComboBox1"), Qt::Key_Return);
    EXPECT_EQ(dialogs.editsQuestions.size(), 2u);
    EXPECT_EQ(Line(0), "Xone");

    // Closing: Cancel keeps the window open (and writes no history either).
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialogs.editsQuestions.size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(tree.path("SearchFile.txt")));

    // Discard lets the search run.
    dialogs.editsAnswers = {EditsAnswer::Discard};
    RunSearch();
    EXPECT_EQ(dialogs.editsQuestions.size(), 4u);
    EXPECT_EQ(Memo().Lines().Count(), 0);
    EXPECT_FALSE(window->EditorModified());
    // Now unmodified: closing asks nothing.
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialogs.editsQuestions.size(), 4u);
}

TEST_F(TForm1DataSafetyTest, SaveAsFromTheQuestionProposesTheExtensionOfTheEditedFile) {
    tree.File("C/a.md", "one\n");
    tree.Folder("C/b");
    tree.File("C/c.txt", "see\n");
    RunSearch();
    SelectRow(0);
    TypeAtStart(QStringLiteral("X"));
    SelectRow(1);  // a folder: nothing is discarded, nothing asked
    EXPECT_TRUE(dialogs.editsQuestions.empty());
    EXPECT_EQ(Line(0), "Xone");
    dialogs.editsAnswers = {EditsAnswer::SaveAs};
    dialogs.saveAnswer = QString::fromStdString(tree.path("kept.md"));
    SelectRow(2);
    EXPECT_EQ(dialogs.editsQuestions.size(), 1u);
    EXPECT_EQ(dialogs.saveSuffix, "md");
    EXPECT_EQ(Line(0), "see");
    EXPECT_EQ(ReadAll(tree.path("kept.md")).rfind("Xone", 0), 0u);
}

TEST_F(TForm1DataSafetyTest, AnUnmodifiedEditorIsNeverAskedAbout) {
    tree.File("C/a.txt", "one\n");
    tree.File("C/b.txt", "bee\n");
    RunSearch();
    SelectRow(0);
    SelectRow(1);
    SelectRow(1);
    // Moving the caret and selecting change nothing.
    window->Memo().setFocus();
    QTest::keyClick(&window->Memo(), Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(&window->Memo(), Qt::Key_Down);
    RunSearch();
    SelectRow(0);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialogs.editsQuestions.empty());
}

TEST_F(TForm1DataSafetyTest, EditsWithoutAChangeEventUndoAndSaveAsSetTheMark) {
    tree.File("C/a.txt", "one\n");
    RunSearch();
    SelectRow(0);
    // A typed Tab raises no change event but is an edit.
    window->Memo().setFocus();
    QTest::keyClick(&window->Memo(), Qt::Key_Tab);
    EXPECT_TRUE(window->EditorModified());
    // Saving clears the mark; undoing what was saved is a change again.
    dialogs.saveAnswer = QString::fromStdString(tree.path("tabbed.txt"));
    window->SaveAsCommand();
    EXPECT_FALSE(window->EditorModified());
    EXPECT_EQ(window->windowTitle(), "Tarnwick");
    QTest::keyClick(&window->Memo(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(window->EditorModified());
    // A failed save keeps the mark.
    dialogs.saveAnswer = QString::fromStdString(tree.path("no/such/folder/x.txt"));
    window->SaveAsCommand();
    EXPECT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(window->EditorModified());
}

TEST_F(TForm1DataSafetyTest, CopyAndCutWithoutSelectionKeepTheClipboardAndLinesCarryLf) {
    tree.File("C/a.txt", "one\r\ntwo\r\nthree\r\n");
    RunSearch();
    SelectRow(0);
    QGuiApplication::clipboard()->setText(QStringLiteral("copied elsewhere"));
    window->Memo().setFocus();
    QTest::keyClick(&window->Memo(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&window->Memo(), Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_TRUE(Enabled("Copy1"));
    // A new search empties the editor: Cut and Copy follow the now empty selection.
    RunSearch();
    EXPECT_FALSE(Enabled("Cut1"));
    EXPECT_FALSE(Enabled("ToolButton4"));
    window->Copy1Click();
    window->Cut1Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "copied elsewhere");
    // Loaded again with a selection, Copy puts the lines with LF, and Paste takes CR, LF and
    // CR LF as line breaks.
    SelectRow(0);
    EXPECT_FALSE(Enabled("Copy1")) << "a freshly loaded file has nothing selected";
    window->Memo().setFocus();
    QTest::keyClick(&window->Memo(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&window->Memo(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&window->Memo(), Qt::Key_End, Qt::ShiftModifier);
    window->Copy1Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "one\ntwo\nthree");
    QTest::keyClick(&window->Memo(), Qt::Key_C, Qt::ControlModifier);  // the editor's own Copy
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "one\ntwo\nthree");
    window->Cut1Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "one\ntwo\nthree");
    EXPECT_EQ(Memo().Lines().Get(0), "");
    QGuiApplication::clipboard()->setText(QStringLiteral("a\rb\nc\r\nd"));
    window->Paste1Click();
    EXPECT_EQ(Memo().Lines().Get(0), "a");
    EXPECT_EQ(Memo().Lines().Get(1), "b");
    EXPECT_EQ(Memo().Lines().Get(2), "c");
    EXPECT_EQ(Memo().Lines().Get(3), "d");
}

TEST_F(TForm1DataSafetyTest, ANameThatIsNotUtf8IsShownReadablyAndUsedByItsBytes) {
    const std::string folder = "d\xE9r";
    const std::string name = "caf\xE9.txt";
    tree.File("C/" + folder + "/" + name, "latin-1 name\n");
    testing::RecordingShell shell;
    platform::Shell::Install(&shell);
    RunSearch();
    ASSERT_EQ(window->Results().rowCount(), 2);  // the folder, then its file
    EXPECT_EQ(window->Results().data(window->Results().index(1, 0), Qt::DisplayRole).toString(),
              QStringLiteral("caf\uFFFD.txt"));
    SelectRow(1);
    EXPECT_EQ(Line(0), "latin-1 name");
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(Status("bsSkinStatusPanel1"),
              QString::fromStdString(tree.path("C/d")) + QStringLiteral("\uFFFDr/caf\uFFFD.txt"));
    window->OpenFileCommand();
    window->OpenFolderCommand();
    platform::Shell::Install(nullptr);
    const std::string bytes = tree.path("C/" + folder + "/" + name);
    EXPECT_THAT(shell.opened, ElementsAre(bytes));
    EXPECT_THAT(shell.shown, ElementsAre(bytes));

    // Saved beside it: the dialog answers in readable names, the file lands in the real
    // folder.
    dialogs.saveAnswer =
        QString::fromStdString(tree.path("C/d")) + QStringLiteral("\uFFFDr/copy.txt");
    window->SaveAsCommand();
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(ReadAll(tree.path("C/" + folder + "/copy.txt")).rfind("latin-1 name", 0), 0u);
}

TEST_F(TForm1DataSafetyTest, AVanishedFileIsReportedAndTheEditorKept) {
    tree.File("C/a.txt", "one\n");
    tree.File("C/gone.txt", "soon gone\n");
    RunSearch();
    SelectRow(0);
    TypeAtStart(QStringLiteral("X"));
    std::filesystem::remove(tree.path("C/gone.txt"));
    SelectRow(1);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("Cannot open file \"") +
                                           QString::fromStdString(tree.path("C/gone.txt"))))
        << dialogs.errors[0].toStdString();
    EXPECT_TRUE(dialogs.editsQuestions.empty()) << "nothing to ask about a file that can't show";
    EXPECT_EQ(Line(0), "Xone");
    EXPECT_TRUE(window->EditorModified());
    EXPECT_TRUE(Memo().CanUndo()) << "the undo list is kept too";
    EXPECT_EQ(Status("bsSkinStatusPanel1").toStdString(), tree.path("C/a.txt"));
}

}  // namespace
}  // namespace tarnwick::ui
