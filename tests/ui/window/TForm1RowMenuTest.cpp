// What users do with a hit besides previewing it: the results list's row menu (its items over
// a row and none over empty space, the row selected and shown first, the question about edited
// text), the paths its copy items put on the real clipboard, and the data a drag of a row
// carries; a name that is not UTF-8 keeps its bytes in the URI. The editor takes no drop.
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QTableView>

#include <memory>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Shell.h"
#include "support/RecordingShell.h"
#include "ui/editor/AdvMemoWidget.h"
#include "ui/results/FileMimeData.h"
#include "ui/support/TForm1Fixture.h"

namespace tarnwick::ui {
namespace {

using ::testing::ElementsAre;

class TForm1RowMenuTest : public testing::TForm1Test {
  protected:
    void SetUp() override {
        ShowActive();
        platform::Shell::Install(&shell);
    }
    void TearDown() override {
        if (QMenu* menu = Menu()) {
            menu->hide();
        }
        platform::Shell::Install(nullptr);
    }

    QTableView* List() { return Find<QTableView>("ListView1"); }
    QMenu* Menu() { return window->findChild<QMenu*>(QStringLiteral("ListView1Menu")); }
    bool MenuShown() { return Menu() != nullptr && Menu()->isVisible(); }
    int Selected() {
        const auto rows = List()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.constFirst().row();
    }
    std::string Line(int i) { return window->Memo().Memo().Lines().Get(i); }
    int RowNamed(const std::string& name) {
        for (int i = 0; i < window->Results().rowCount(); ++i) {
            if (window->Results().Row(i).Name == name) {
                return i;
            }
        }
        ADD_FAILURE() << name << " is not listed";
        return -1;
    }
    // A right click (press and release) at `point` of the list's viewport, delivered through
    // the window as the platform delivers it, so Qt turns the press into the context menu
    // request (QTest's widget overload would hand the widget bare mouse events).
    void RightClickAt(const QPoint& point) {
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {},
                          List()->viewport()->mapTo(window.get(), point));
        WaitForLoad();
    }
    void RightClickRow(int row) {
        RightClickAt(List()->visualRect(window->Results().index(row, 1)).center());
    }
    // Chooses the item `name` of the open menu.
    void Choose(const char* name) {
        ASSERT_TRUE(MenuShown());
        auto* action = Menu()->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        ASSERT_TRUE(action->isEnabled()) << name;
        action->trigger();
        Menu()->hide();
    }
    // Types at the start of the first line with real key events.
    void TypeAtStart(const QString& text) {
        window->Memo().setFocus();
        window->Memo().Memo().SetCaretLine(0);
        window->Memo().Memo().SetCaretColumn(0);
        QTest::keyClicks(&window->Memo(), text);
    }
    const QMimeData& ClipboardData() { return *QGuiApplication::clipboard()->mimeData(); }

    testing::RecordingShell shell;
};

TEST_F(TForm1RowMenuTest, OverARowTheMenuOffersItsItemsEnabledAndOverEmptySpaceNone) {
    tree.File("C/a.txt", "alpha\n");
    tree.Folder("C/sub");
    RunSearch();
    const struct {
        const char* what;
        int row;  // -1: below the last row, -2: on the column titles
        bool menu;
    } cases[] = {
        {"a file row", RowNamed("a.txt"), true},
        {"a folder row", RowNamed("sub"), true},
        {"empty space", -1, false},
        {"the column titles", -2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int before = Selected();
        if (c.row >= 0) {
            RightClickRow(c.row);
        } else if (c.row == -2) {
            RightClickAt(QPoint(40, -List()->horizontalHeader()->height() / 2));
        } else {
            const QRect last = List()->visualRect(window->Results().index(1, 1));
            ASSERT_LT(last.bottom() + 20, List()->viewport()->height());
            RightClickAt(QPoint(last.center().x(), last.bottom() + 20));
        }
        ASSERT_EQ(MenuShown(), c.menu);
        if (!c.menu) {
            // Nor does anything else change: the row selected before stays, and so do the
            // commands it enabled.
            QCoreApplication::processEvents();
            EXPECT_EQ(Selected(), before);
            EXPECT_TRUE(Enabled("ToolButton1"));
            continue;
        }
        EXPECT_EQ(Selected(), c.row);
        std::vector<std::string> items;
        for (QAction* action : Menu()->actions()) {
            if (!action->isSeparator()) {
                items.push_back(action->text().toStdString());
                EXPECT_TRUE(action->isEnabled()) << items.back();
            }
        }
        EXPECT_THAT(items, ElementsAre("Open", "Show in Folder", "Copy Path", "Copy Name",
                                       "Copy Folder Path"));
        // Shown as a click shows it: the path in the status panel, the File commands enabled.
        EXPECT_EQ(Status("bsSkinStatusPanel1").toStdString(), window->Results().Row(c.row).Path);
        EXPECT_TRUE(Enabled("ToolButton1"));
        EXPECT_TRUE(Enabled("ToolButton2"));
        Menu()->hide();
    }
    // The file row's file was loaded as a click loads it.
    RightClickRow(RowNamed("a.txt"));
    EXPECT_EQ(Line(0), "alpha");
}

TEST_F(TForm1RowMenuTest, TheMenuKeyOpensTheMenuOfTheCurrentRow) {
    tree.File("C/a.txt", "alpha\n");
    tree.File("C/b.txt", "beta\n");
    RunSearch();
    SelectRow(RowNamed("b.txt"));
    List()->setFocus();
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
    QApplication::sendEvent(List(), &key);
    ASSERT_TRUE(MenuShown());
    EXPECT_EQ(Selected(), RowNamed("b.txt"));
    Choose("RowCopyName");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "b.txt");
}

TEST_F(TForm1RowMenuTest, EditedTextIsAskedAboutAndCancelOpensNoMenu) {
    tree.File("C/a.txt", "one\n");
    tree.File("C/b.txt", "bee\n");
    RunSearch();
    SelectRow(0);
    TypeAtStart(QStringLiteral("X"));
    ASSERT_TRUE(window->EditorModified());

    // The shown row is not shown again: no question, the edit stays.
    RightClickRow(0);
    EXPECT_TRUE(dialogs.editsQuestions.empty());
    EXPECT_TRUE(MenuShown());
    EXPECT_EQ(Line(0), "Xone");
    Menu()->hide();

    // Another row: asked; Cancel keeps the text, its row selected, and opens no menu.
    dialogs.editsAnswers = {EditsAnswer::Cancel};
    RightClickRow(1);
    EXPECT_EQ(dialogs.editsQuestions.size(), 1u);
    EXPECT_FALSE(MenuShown());
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Line(0), "Xone");
    EXPECT_TRUE(window->EditorModified());

    // Discard shows the other row, then its menu.
    dialogs.editsAnswers = {EditsAnswer::Discard};
    RightClickRow(1);
    EXPECT_EQ(dialogs.editsQuestions.size(), 2u);
    EXPECT_TRUE(MenuShown());
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Line(0), "bee");
}

TEST_F(TForm1RowMenuTest, OpenAndShowInFolderActOnTheRowUnderThePointer) {
    tree.File("C/a.txt", "one\n");
    tree.File("C/my file.txt", "two\n");
    RunSearch();
    SelectRow(RowNamed("a.txt"));
    RightClickRow(RowNamed("my file.txt"));
    Choose("RowOpen");
    RightClickRow(RowNamed("my file.txt"));
    Choose("RowShowInFolder");
    EXPECT_THAT(shell.opened, ElementsAre(tree.path("C/my file.txt")));
    EXPECT_THAT(shell.shown, ElementsAre(tree.path("C/my file.txt")));
}

TEST_F(TForm1RowMenuTest, CopyItemsPutTheRowsPathNameAndFolderOnTheClipboard) {
    const std::string root = platform::FileUri(tree.root());
    const struct {
        const char* what;
        std::string folder;  // inside C
        std::string name;
        QString shownFolder;  // readable, after the tree's C
        QString shownName;
        std::string uriTail;  // after the tree root's URI
    } cases[] = {
        {"plain", "plain", "notes.txt", "plain", "notes.txt", "/C/plain/notes.txt"},
        {"spaces and a percent sign", "my docs", "50% done.txt", "my docs", "50% done.txt",
         "/C/my%20docs/50%25%20done.txt"},
        {"UTF-8", "r\xC3\xA9sum\xC3\xA9", "caf\xC3\xA9.txt", QStringLiteral("r\u00E9sum\u00E9"),
         QStringLiteral("caf\u00E9.txt"), "/C/r%C3%A9sum%C3%A9/caf%C3%A9.txt"},
        {"not UTF-8", "d\xE9r", "caf\xE9.txt", QStringLiteral("d\uFFFDr"),
         QStringLiteral("caf\uFFFD.txt"), "/C/d%E9r/caf%E9.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tree.File("C/" + c.folder + "/" + c.name, "text\n");
        RunSearch();
        const int row = RowNamed(c.name);
        ASSERT_GE(row, 0);
        const QString shownFolder = QString::fromStdString(tree.path("C/")) + c.shownFolder;
        const QByteArray uri = QByteArray::fromStdString(root + c.uriTail);

        RightClickRow(row);
        Choose("RowCopyPath");
        const QMimeData& path = ClipboardData();
        EXPECT_EQ(path.text(), shownFolder + "/" + c.shownName);
        EXPECT_EQ(path.data(QStringLiteral("text/uri-list")), uri + "\r\n");
        EXPECT_EQ(path.data(QStringLiteral("x-special/gnome-copied-files")), "copy\n" + uri);

        RightClickRow(row);
        Choose("RowCopyName");
        EXPECT_EQ(ClipboardData().text(), c.shownName);
        EXPECT_FALSE(ClipboardData().hasFormat(QStringLiteral("text/uri-list")));

        RightClickRow(row);
        Choose("RowCopyFolderPath");
        EXPECT_EQ(ClipboardData().text(), shownFolder);
        EXPECT_FALSE(ClipboardData().hasFormat(QStringLiteral("text/uri-list")));
        std::filesystem::remove_all(tree.path("C/" + c.folder));
    }
}

TEST_F(TForm1RowMenuTest, ADraggedRowCarriesItsFilesUriAndPathAndOffersCopyAndMove) {
    tree.File("C/d\xE9r/caf\xE9 1.txt", "text\n");
    RunSearch();
    const int row = RowNamed("caf\xE9 1.txt");
    ResultsModel& model = window->Results();
    EXPECT_TRUE(model.flags(model.index(row, 3)) & Qt::ItemIsDragEnabled);
    EXPECT_EQ(model.supportedDragActions(), Qt::CopyAction | Qt::MoveAction);
    EXPECT_EQ(List()->defaultDropAction(), Qt::CopyAction);
    EXPECT_EQ(List()->dragDropMode(), QAbstractItemView::DragOnly);

    // The view hands the model every cell of the selected row.
    QModelIndexList cells;
    for (int c = 0; c < ResultsModel::kColumnCount; ++c) {
        cells.push_back(model.index(row, c));
    }
    const std::unique_ptr<QMimeData> data(model.mimeData(cells));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(QStringLiteral("text/uri-list")).toStdString(),
              platform::FileUri(tree.root()) + "/C/d%E9r/caf%E9%201.txt\r\n");
    EXPECT_EQ(data->text(),
              QString::fromStdString(tree.path("C/d")) + QStringLiteral("\uFFFDr/caf\uFFFD 1.txt"));
    EXPECT_THAT(model.mimeTypes(), ElementsAre("text/uri-list", "text/plain"));
    EXPECT_EQ(model.mimeData({}), nullptr);
}

TEST_F(TForm1RowMenuTest, AfterADragTheRowItsPressSelectedIsShownAsAClickShowsIt) {
    tree.File("C/a.txt", "one\n");
    tree.File("C/b.txt", "bee\n");
    RunSearch();
    SelectRow(0);
    // The drag's press selected row 1; its release went to the drag, so no click ran.
    List()->selectRow(1);
    window->ListView1DragEnded(1);
    WaitForLoad();
    EXPECT_EQ(Line(0), "bee");
    EXPECT_EQ(Status("bsSkinStatusPanel1").toStdString(), tree.path("C/b.txt"));

    // The row shown already is not loaded again: its edited text stays, nothing is asked.
    TypeAtStart(QStringLiteral("X"));
    window->ListView1DragEnded(1);
    WaitForLoad();
    EXPECT_TRUE(dialogs.editsQuestions.empty());
    EXPECT_EQ(Line(0), "Xbee");

    // Another row while the text is edited: asked as for a click; Cancel keeps both.
    List()->selectRow(0);
    window->ListView1DragEnded(0);
    WaitForLoad();
    EXPECT_EQ(dialogs.editsQuestions.size(), 1u);
    EXPECT_EQ(Line(0), "Xbee");
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(window->Results().rowCount(), 2) << "rows are never removed by a drag";
}

TEST_F(TForm1RowMenuTest, TheEditorAndTheListTakeNoDrop) {
    tree.File("C/a.txt", "one\n");
    RunSearch();
    SelectRow(0);
    // Qt hands a drop to the innermost widget under the pointer that accepts drops; neither the
    // editor pane, nor the list, nor any widget holding them does.
    for (QWidget* w : {static_cast<QWidget*>(&window->Memo()), List()->viewport()}) {
        for (; w != nullptr; w = w->parentWidget()) {
            EXPECT_FALSE(w->acceptDrops()) << w->objectName().toStdString();
        }
    }
    // A drag offered to the editor directly is refused and leaves it as it was.
    const std::unique_ptr<QMimeData> data = FileDragData(tree.path("C/a.txt"));
    QDragEnterEvent enter(QPoint(50, 20), Qt::CopyAction | Qt::MoveAction, data.get(),
                          Qt::LeftButton, {});
    QApplication::sendEvent(&window->Memo(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 20), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                    {});
    QApplication::sendEvent(&window->Memo(), &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(Line(0), "one");
    EXPECT_EQ(window->Memo().Memo().Lines().Count(), 1);
    EXPECT_FALSE(window->EditorModified());
}

}  // namespace
}  // namespace tarnwick::ui
