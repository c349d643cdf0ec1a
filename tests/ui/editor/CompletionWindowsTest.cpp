// The completion list window and the parameter hint window follow the editor's typing aids:
// they show, fill and hide with the aids' state and hand the list's keys back.
#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "editor/completion/AdvMemoCompletion.h"
#include "editor/highlight/AdvPascalMemoStyler.h"
#include "ui/editor/AdvMemoWidget.h"
#include "ui/editor/CompletionListWindow.h"
#include "ui/editor/ParameterHintWindow.h"
#include "ui/support/UiTestApp.h"

namespace tarnwick::ui {
namespace {

class CompletionWindowsTest : public ::testing::Test {
  protected:
    CompletionWindowsTest()
        : styler(editor::CreateAdvPascalMemoStyler1()),
          list(memo().Completion(), &pane),
          hint(memo().Completion(), &pane) {
        memo().SetSyntaxStyles(styler.get());
        aids().OnListChanged = [this] { list.Follow(); };
        aids().OnHintChanged = [this] { hint.Follow(); };
        pane.resize(400, 200);
        pane.show();
    }
    editor::TAdvMemo& memo() { return pane.Memo(); }
    editor::TAdvMemoCompletion& aids() { return pane.Memo().Completion(); }
    void Type(const std::string& text) {
        for (char c : text) {
            memo().TypeCharacter(static_cast<unsigned char>(c));
        }
    }

    std::unique_ptr<editor::TAdvPascalMemoStyler> styler;
    TAdvMemoWidget pane;
    CompletionListWindow list;
    ParameterHintWindow hint;
};

TEST_F(CompletionWindowsTest, ListShowsTheItemsAndEnterInsertsTheSelectedOne) {
    aids().OpenByKey();
    ASSERT_TRUE(list.isVisible());
    ASSERT_EQ(list.List()->count(), 2);
    EXPECT_EQ(list.List()->item(0)->text(), "ShowMessage");
    EXPECT_EQ(list.List()->currentRow(), 0);
    EXPECT_EQ(list.width(), list.ItemsWidth());
    EXPECT_GE(list.List()->sizeHintForRow(0), 16);
    QTest::keyClick(list.List(), Qt::Key_Down);
    EXPECT_EQ(aids().SelectedIndex(), 1);
    QTest::keyClick(list.List(), Qt::Key_Return);
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(memo().Lines().Get(0), "MessageDlg");
}

TEST_F(CompletionWindowsTest, TypingInTheListFiltersAndEscapeClosesAndTheListOpensAgain) {
    aids().OpenByKey();
    QTest::keyClicks(list.List(), "s");
    EXPECT_EQ(memo().Lines().Get(0), "s");
    EXPECT_EQ(list.List()->count(), 1);
    QTest::keyClick(list.List(), Qt::Key_Escape);
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(memo().Lines().Get(0), "s");
    list.close();  // the frame's close button only hides
    aids().OpenByKey();
    EXPECT_TRUE(list.isVisible());
}

TEST_F(CompletionWindowsTest, HintWindowShowsUnderTheLineAndHidesWithTheHint) {
    Type("MessageDlg('a',");
    ASSERT_TRUE(hint.isVisible());
    EXPECT_GT(hint.width(), 6);
    EXPECT_EQ(hint.pos().y(), pane.mapToGlobal(QPoint(0, aids().HintPosition().Y)).y());
    aids().HideHint();
    EXPECT_FALSE(hint.isVisible());
}

TEST_F(CompletionWindowsTest, MovingEitherScrollBarHidesTheHintWindow) {
    for (int i = 0; i < 80; ++i) {
        memo().Lines().Add(std::string(100, 'w'));
    }
    QApplication::processEvents();
    for (QScrollBar* bar : {pane.VerticalScrollBar(), pane.HorizontalScrollBar()}) {
        ASSERT_TRUE(bar->isVisible());
        memo().SetCaretLine(0);
        memo().Lines().Put(0, "");
        memo().SetCaretColumn(0);
        Type("ShowMessage(");
        ASSERT_TRUE(hint.isVisible()) << bar->objectName().toStdString();
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_FALSE(hint.isVisible()) << bar->objectName().toStdString();
    }
}

// Keys reach the list through the editor's window, as a window manager delivers them: a popup
// takes them wherever the window system sends them, even when it never activates the list.
TEST_F(CompletionWindowsTest, ThePopupListTakesTheKeyboardWhileShown) {
    const struct {
        const char* name;
        Qt::Key key;
        const char* line;  // the text afterwards
    } cases[] = {
        {"Esc closes", Qt::Key_Escape, ""},
        {"Tab closes", Qt::Key_Tab, ""},
        {"Enter inserts", Qt::Key_Return, "MessageDlg"},
        {"Space inserts", Qt::Key_Space, "MessageDlg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        memo().Lines().Put(0, "");
        memo().SetCaretColumn(0);
        QApplication::setActiveWindow(&pane);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&pane));
        pane.setFocus();
        aids().OpenByKey();
        ASSERT_TRUE(list.isVisible());
        EXPECT_EQ(list.windowType(), Qt::Popup);
        EXPECT_EQ(QApplication::activePopupWidget(), &list);
        EXPECT_TRUE(list.List()->hasFocus());
        QTest::keyClick(pane.windowHandle(), Qt::Key_Down);
        EXPECT_EQ(aids().SelectedIndex(), 1) << "Down moved the list, not the caret";
        EXPECT_EQ(memo().CurY(), 0);
        QTest::keyClick(pane.windowHandle(), c.key);
        EXPECT_FALSE(list.isVisible());
        EXPECT_FALSE(aids().ListVisible());
        EXPECT_EQ(memo().Lines().Get(0), c.line);
        EXPECT_TRUE(pane.hasFocus()) << "the keyboard is back in the editor";
    }
}

TEST_F(CompletionWindowsTest, AClickOutsideOrAReloadClosesTheList) {
    aids().OpenByKey();
    ASSERT_TRUE(list.isVisible());
    QTest::mouseClick(pane.windowHandle(), Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_FALSE(list.isVisible());
    EXPECT_FALSE(aids().ListVisible());
    EXPECT_EQ(memo().Lines().Get(0), "") << "nothing was inserted";
    aids().OpenByKey();
    ASSERT_TRUE(list.isVisible());
    pane.CloseCompletion();  // what the window does before it loads or empties the editor
    EXPECT_FALSE(list.isVisible());
    EXPECT_FALSE(aids().ListVisible());
    aids().OpenByKey();
    EXPECT_TRUE(list.isVisible());
    aids().ListCharacter(editor::TAdvMemoCompletion::kEscape);
}

TEST_F(CompletionWindowsTest, TheListHasABorderAndAGripWhenSizable) {
    for (const bool sizable : {true, false}) {
        aids().AutoCompletion.SizeDropDown = sizable;
        aids().OpenByKey();
        ASSERT_TRUE(list.isVisible());
        const QImage image = list.grab().toImage();
        const QColor border = list.palette().color(QPalette::WindowText);
        for (const QPoint p : {QPoint(0, image.height() / 2), QPoint(image.width() / 2, 0),
                               QPoint(image.width() - 1, image.height() / 2),
                               QPoint(image.width() / 2, image.height() - 1)}) {
            EXPECT_EQ(image.pixelColor(p), border) << p.x() << "," << p.y();
        }
        EXPECT_NE(image.pixelColor(1, image.height() - 4), border) << "the list inside";
        EXPECT_EQ(list.SizeGrip()->isVisible(), sizable);
        if (sizable) {
            const QSize before = list.size();
            QWidget* grip = list.SizeGrip();
            const QPoint corner(grip->width() / 2, grip->height() / 2);
            QTest::mousePress(grip, Qt::LeftButton, {}, corner);
            QMouseEvent drag(QEvent::MouseMove, QPointF(corner + QPoint(30, 20)),
                             QPointF(grip->mapToGlobal(corner + QPoint(30, 20))), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(grip, &drag);
            QTest::mouseRelease(grip, Qt::LeftButton, {}, corner + QPoint(30, 20));
            EXPECT_EQ(list.size(), before + QSize(30, 20));
        }
        aids().ListCharacter(editor::TAdvMemoCompletion::kEscape);
    }
}

}  // namespace
}  // namespace tarnwick::ui
