// Editing in the real main window with real key and mouse events: a file loaded by a click,
// typing, selecting with the keyboard, the window's Cut and Paste, undo, and the enabled states
// of Cut, Copy and Save As after each step; the editor's context menu; the caret on screen.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

#include "editor/completion/AdvMemoCompletion.h"
#include "platform/qt/QtClipboard.h"
#include "ui/editor/AdvMemoWidget.h"
#include "ui/support/TForm1Fixture.h"

namespace tarnwick::ui {
namespace {

using testing::WaitUntil;

class TForm1EditingTest : public testing::TForm1Test {
  protected:
    void SetUp() override {
        platform::Clipboard::Install(&clipboard);
        ShowActive();
    }
    void TearDown() override { platform::Clipboard::Install(nullptr); }

    TAdvMemoWidget& Editor() { return window->Memo(); }
    std::string Line(int i) { return Editor().Memo().Lines().Get(i); }
    // The centre of a text cell of the editor, in its pixels.
    QPoint CellPoint(int column, int row) {
        const auto r = Editor().Memo().View().CellRect(column, row);
        return {r.Left + 1, r.Top + r.Height() / 2};
    }
    void LoadByClick(const std::string& name, const std::string& content) {
        tree.File("C/" + name, content);
        RunSearch();
        auto* list = Find<QTableView>("ListView1");
        const QRect cell = list->visualRect(window->Results().index(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        ASSERT_TRUE(WaitUntil([&] { return Editor().Memo().Lines().Count() > 0; }));
    }
    struct States {
        bool Cut, Copy, SaveAs;
        bool operator==(const States&) const = default;
    };
    States Now() {
        // The toolbar button and the menu item of each command always agree.
        EXPECT_EQ(Enabled("ToolButton5"), Enabled("Cut1"));
        EXPECT_EQ(Enabled("ToolButton4"), Enabled("Copy1"));
        EXPECT_EQ(Enabled("ToolButton3"), Enabled("Save1"));
        return {Enabled("ToolButton5"), Enabled("ToolButton4"), Enabled("ToolButton3")};
    }
    static std::string ClipboardText() {
        return QGuiApplication::clipboard()->text().toStdString();
    }

    platform::QtClipboard clipboard;
};

TEST_F(TForm1EditingTest, TypeSelectCutPasteAndUndoWithRealEvents) {
    LoadByClick("notes.txt", "hello world\r\nsecond\r\n");
    EXPECT_EQ(Now(), (States{false, false, true}));

    QTest::mouseClick(&Editor(), Qt::LeftButton, {}, CellPoint(11, 0));
    ASSERT_TRUE(Editor().hasFocus());
    EXPECT_EQ(Editor().Memo().CurX(), 11);
    QTest::keyClicks(&Editor(), " abc");
    EXPECT_EQ(Line(0), "hello world abc");
    EXPECT_EQ(Now(), (States{false, false, true}));

    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&Editor(), Qt::Key_Left, Qt::ShiftModifier);
    }
    EXPECT_EQ(Editor().Memo().SelectedText(), "abc");
    EXPECT_EQ(Now(), (States{true, true, true}));

    Find<QToolButton>("ToolButton5")->click();
    EXPECT_EQ(Line(0), "hello world ");
    EXPECT_EQ(ClipboardText(), "abc");
    EXPECT_EQ(Now(), (States{false, false, true}));

    Find<QAction>("Paste1")->trigger();
    EXPECT_EQ(Line(0), "hello world abc");
    EXPECT_EQ(Editor().Memo().CurX(), 15);
    EXPECT_EQ(Now(), (States{false, false, true}));

    QTest::keyClick(&Editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Line(0), "hello world ");
    QTest::keyClick(&Editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Line(0), "hello world abc");
    EXPECT_EQ(Line(1), "second");
    EXPECT_EQ(ClipboardText(), "abc");
    const States afterUndo = Now();
    EXPECT_EQ(afterUndo.Cut, Editor().Memo().SelectionLength() > 0);
    EXPECT_TRUE(afterUndo.SaveAs);

    // Copy from the menu puts the selection there and changes nothing.
    QTest::keyClick(&Editor(), Qt::Key_Home, Qt::ShiftModifier);
    Find<QAction>("Copy1")->trigger();
    EXPECT_EQ(ClipboardText(), Editor().Memo().SelectedText());
    EXPECT_EQ(Line(0), "hello world abc");
}

TEST_F(TForm1EditingTest, KeysTheEditorClaimsStayInIt) {
    LoadByClick("keys.txt", "ab\r\ncd\r\n");
    QTest::mouseClick(&Editor(), Qt::LeftButton, {}, CellPoint(1, 0));
    QTest::keyClick(&Editor(), Qt::Key_Tab);
    EXPECT_TRUE(Editor().hasFocus());
    EXPECT_EQ(Line(0), "a    b");
    QTest::keyClick(&Editor(), Qt::Key_Return);
    EXPECT_EQ(Line(0), "a    ");
    EXPECT_EQ(Line(1), "b");
    QTest::keyClick(&Editor(), Qt::Key_Down);
    EXPECT_EQ(Editor().Memo().CurY(), 2);
    // Alt+Backspace undoes: the Tab and the line break were one run of typing.
    QTest::keyClick(&Editor(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(Line(0), "ab");
    EXPECT_TRUE(Editor().hasFocus());
}

TEST_F(TForm1EditingTest, ContextMenuOffersTheEditorsItemsWithTheirStates) {
    LoadByClick("menu.txt", "one two\r\n");
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::mouseClick(&Editor(), Qt::LeftButton, {}, CellPoint(2, 0));
    // A right click moves nothing.
    QTest::mouseClick(&Editor(), Qt::RightButton, {}, CellPoint(5, 0));
    EXPECT_EQ(Editor().Memo().CurX(), 2);
    QContextMenuEvent request(QContextMenuEvent::Mouse, CellPoint(5, 0),
                              Editor().mapToGlobal(CellPoint(5, 0)));
    QApplication::sendEvent(&Editor(), &request);
    QMenu* menu = Editor().ContextMenu();
    ASSERT_NE(menu, nullptr);
    std::vector<std::string> texts;
    std::vector<bool> enabled;
    for (QAction* action : menu->actions()) {
        texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
        enabled.push_back(action->isEnabled());
        if (!action->isSeparator() && !action->text().startsWith(QLatin1String("Select"))) {
            EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
        }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Undo\tCtrl+Z", "Redo\tCtrl+Y", "-", "Copy\tCtrl+C",
                                               "Cut\tCtrl+X", "Paste\tCtrl+V", "-",
                                               "Select All\tCtrl+A"}));
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, true, false, false, true, true, true}));
    menu->actions().at(5)->trigger();  // paste
    EXPECT_EQ(Line(0), "onpastede two");
    menu->close();

    // A request over the gutter gets no editor menu.
    const QPoint inGutter(5, CellPoint(0, 0).y());
    QContextMenuEvent gutter(QContextMenuEvent::Mouse, inGutter, Editor().mapToGlobal(inGutter));
    QApplication::sendEvent(&Editor(), &gutter);
    EXPECT_EQ(Editor().ContextMenu(), menu);
}

TEST_F(TForm1EditingTest, TheCaretIsDrawnTwoPixelsWideInTheClickedCell) {
    LoadByClick("caret.txt", "abcdef\r\nghijkl\r\n");
    QTest::mouseClick(&Editor(), Qt::LeftButton, {}, CellPoint(6, 1));
    const auto& memo = Editor().Memo();
    const auto cell = memo.View().CellRect(6, 1);
    const auto caret = memo.CaretRect();
    EXPECT_EQ(caret.Left, cell.Left);
    EXPECT_EQ(caret.Top, cell.Top + 1);
    EXPECT_EQ(caret.Width(), 2);
    EXPECT_EQ(caret.Height(), memo.View().LineHeight() - 2);
    ASSERT_TRUE(Editor().CaretDrawn());
    const QImage image = Editor().grab().toImage();
    // Inverted white: black at the caret's bottom row, the background right beside it.
    EXPECT_EQ(image.pixel(caret.Left, caret.Bottom - 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(caret.Left + 1, caret.Bottom - 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(caret.Left + 2, caret.Bottom - 1), qRgb(255, 255, 255));
    // Without the focus no caret is drawn.
    Find<QWidget>("ComboBox1")->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return !Editor().hasFocus(); }));
    EXPECT_FALSE(Editor().CaretDrawn());
}

TEST_F(TForm1EditingTest, TheCompletionListClosesWhenTheEditorIsReloaded) {
    tree.File("C/second.txt", "other\n");
    LoadByClick("first.txt", "Show\n");
    ASSERT_EQ(window->Results().Row(0).Name, "first.txt");
    Editor().setFocus();
    Editor().Memo().SetCaretColumn(4);
    QTest::keyClick(&Editor(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(Editor().Memo().Completion().ListVisible());
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    SelectRow(1);  // shown as a click shows it
    EXPECT_EQ(Line(0), "other");
    EXPECT_FALSE(Editor().Memo().Completion().ListVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

}  // namespace
}  // namespace tarnwick::ui
