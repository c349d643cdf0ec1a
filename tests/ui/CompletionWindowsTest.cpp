// The completion list window and the parameter hint window follow the editor's typing aids:
// they show, fill and hide with the aids' state and hand the list's keys back.
#include <QApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "UiTestApp.h"
#include "editor/AdvMemoCompletion.h"
#include "editor/AdvPascalMemoStyler.h"
#include "ui/AdvMemoWidget.h"
#include "ui/CompletionListWindow.h"
#include "ui/ParameterHintWindow.h"

namespace tarnwick {
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

}  // namespace
}  // namespace tarnwick
