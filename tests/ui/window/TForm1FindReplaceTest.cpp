// Find and Replace driven through the real main window: the toolbar button and the menu item
// open the modeless dialog, its buttons work on the editor, "Text not found" leaves it open,
// and it opens again with empty fields but the kept check boxes and place.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

#include <gmock/gmock.h>

#include "editor/find/AdvMemoFindReplace.h"
#include "ui/editor/AdvMemoWidget.h"
#include "ui/editor/ReplaceDialog.h"
#include "ui/support/TForm1Fixture.h"

namespace tarnwick::ui {
namespace {

using ::testing::ElementsAre;
using testing::WaitUntil;

class TForm1FindReplaceTest : public testing::TForm1Test {
  protected:
    void SetUp() override {
        ShowActive();
        editor::TAdvMemo& memo = Memo();
        memo.Lines().Clear();
        for (const char* line : {"The cat sat", "on the cat mat", "CAT"}) {
            memo.Lines().Add(line);
        }
    }

    editor::TAdvMemo& Memo() { return window->Memo().Memo(); }
    ReplaceDialog* Dialog() { return Find<ReplaceDialog>("ReplaceDialog"); }
    QLineEdit* Field(const char* name) {
        return Dialog()->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    void Press(const char* button) {
        auto* found = Dialog()->findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_NE(found, nullptr) << button;
        QTest::mouseClick(found, Qt::LeftButton);
    }
    void TypeInto(const char* name, const QString& text) {
        QLineEdit* field = Field(name);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (int i = 0; i < Memo().Lines().Count(); ++i) {
            lines.emplace_back(Memo().Lines().View(i));
        }
        return lines;
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> boxes;
        for (const auto& shown : prompts->ShownBoxes()) {
            boxes.push_back(shown.caption + ": " + shown.text);
        }
        return boxes;
    }
};

TEST_F(TForm1FindReplaceTest, TheButtonOpensTheDialogAndFindNextSelectsInTheEditor) {
    QTest::mouseClick(Find<QToolButton>("ToolButton7"), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Dialog()->isVisible(); }));
    EXPECT_FALSE(Dialog()->isModal());
    EXPECT_TRUE(Memo().FindDialogOpen());
    TypeInto("FindEdit", QStringLiteral("cat"));
    Press("FindNext");
    EXPECT_EQ(Memo().SelectedText(), "cat");
    EXPECT_EQ(Memo().SelectionAnchor(), (editor::TTextPos{4, 0}));
    // The found text is selected in the editor, which now has the focus; the dialog stays.
    EXPECT_TRUE(WaitUntil([&] { return window->Memo().hasFocus(); }));
    EXPECT_TRUE(Dialog()->isVisible());
    Press("FindNext");
    EXPECT_EQ(Memo().SelectionAnchor(), (editor::TTextPos{7, 1}));
}

TEST_F(TForm1FindReplaceTest, FindNextMovesTheDialogOffTheMatchItCovers) {
    window->Find1Click();
    ASSERT_TRUE(WaitUntil([&] { return Dialog()->isVisible(); }));
    TypeInto("FindEdit", QStringLiteral("cat"));
    // The matches of "cat" on screen: columns 4 to 6 of line 0, 7 to 9 of line 1.
    TAdvMemoWidget& pane = window->Memo();
    const auto& view = Memo().View();
    auto matchAt = [&](int column, int row) {
        const auto cell = view.CellRect(column - Memo().FirstVisibleColumn(), row);
        return QRect(pane.mapToGlobal(QPoint(cell.Left, cell.Top)),
                     QSize(3 * view.CharWidth(), view.LineHeight()));
    };
    auto putFrameAt = [&](const QPoint& topLeft) {
        Dialog()->move(Dialog()->pos() + topLeft - Dialog()->frameGeometry().topLeft());
    };
    // A dialog right of the first match stays where it is.
    const QRect first = matchAt(4, 0);
    putFrameAt(first.topRight() + QPoint(30, -5));
    const QPoint aside = Dialog()->pos();
    Press("FindNext");
    ASSERT_EQ(Memo().SelectionAnchor(), (editor::TTextPos{4, 0}));
    EXPECT_EQ(Dialog()->pos(), aside);
    // A dialog over the next match moves off it, up or down only, and stays open.
    const QRect second = matchAt(7, 1);
    putFrameAt(second.topLeft() - QPoint(10, 5));
    ASSERT_TRUE(Dialog()->frameGeometry().intersects(second));
    const int x = Dialog()->pos().x();
    Press("FindNext");
    ASSERT_EQ(Memo().SelectionAnchor(), (editor::TTextPos{7, 1}));
    EXPECT_FALSE(Dialog()->frameGeometry().intersects(second));
    EXPECT_EQ(Dialog()->pos().x(), x);
    EXPECT_TRUE(Dialog()->isVisible());
}

TEST_F(TForm1FindReplaceTest, ReplaceAndReplaceAllChangeTheEditorsText) {
    Find<QAction>("Find1")->trigger();
    ASSERT_TRUE(WaitUntil([&] { return Dialog()->isVisible(); }));
    TypeInto("FindEdit", QStringLiteral("cat"));
    TypeInto("ReplaceEdit", QStringLiteral("dog"));
    Press("Replace");  // finds the first
    Press("Replace");  // replaces it
    EXPECT_THAT(Lines(), ElementsAre("The dog sat", "on the cat mat", "CAT"));
    EXPECT_EQ(window->AdvMemoFindReplaceDialog1().ReplaceCount(), 1);
    Dialog()->MatchCaseBox()->setChecked(true);
    Memo().SetCaretLine(2);
    Memo().SetCaretColumn(1);
    Memo().CollapseSelection();
    Press("ReplaceAll");
    EXPECT_THAT(Lines(), ElementsAre("The dog sat", "on the dog mat", "CAT"));
    EXPECT_EQ(Memo().CurX(), 1);  // the caret is put back
    EXPECT_EQ(Memo().CurY(), 2);
    EXPECT_TRUE(Dialog()->isVisible());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(TForm1FindReplaceTest, AReplaceAllTellsItsCountAndOneCtrlZTakesItAllBack) {
    // 20,000 lines of replacements, far more than the undo list's 100 records.
    editor::TAdvMemo& memo = Memo();
    memo.Lines().Clear();
    for (int i = 0; i < 20000; ++i) {
        memo.Lines().Add("line " + std::to_string(i) + " of the cat file");
    }
    memo.UndoList().Clear();
    const std::vector<std::string> before = Lines();
    Find<QAction>("Find1")->trigger();
    ASSERT_TRUE(WaitUntil([&] { return Dialog()->isVisible(); }));
    TypeInto("FindEdit", QStringLiteral("cat"));
    TypeInto("ReplaceEdit", QStringLiteral("dog"));
    Press("ReplaceAll");
    EXPECT_EQ(Status("bsSkinStatusPanel1"), QStringLiteral("20000 occurrences replaced"));
    EXPECT_EQ(Memo().Lines().Get(19999), "line 19999 of the dog file");

    window->Memo().setFocus();
    QTest::keyClick(&window->Memo(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Lines(), before);
    QTest::keyClick(&window->Memo(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Memo().Lines().Get(0), "line 0 of the dog file");
    EXPECT_EQ(Memo().Lines().Get(19999), "line 19999 of the dog file");

    TypeInto("FindEdit", QStringLiteral("zebra"));
    Press("ReplaceAll");
    EXPECT_EQ(Status("bsSkinStatusPanel1"), QStringLiteral("0 occurrences replaced"));
}

TEST_F(TForm1FindReplaceTest, TextNotFoundIsToldAndTheDialogStaysOpen) {
    window->ToolButton7Click();
    TypeInto("FindEdit", QStringLiteral("zebra"));
    Press("FindNext");
    EXPECT_THAT(Boxes(), ElementsAre("Information: Text not found"));
    EXPECT_TRUE(Dialog()->isVisible());
    EXPECT_EQ(Memo().SelectionAnchor(), (editor::TTextPos{0, 0}));
    EXPECT_THAT(Lines(), ElementsAre("The cat sat", "on the cat mat", "CAT"));
}

TEST_F(TForm1FindReplaceTest, ReopenedWithEmptyFieldsButTheKeptChoicesAndPlace) {
    window->Find1Click();
    TypeInto("FindEdit", QStringLiteral("cat"));
    TypeInto("ReplaceEdit", QStringLiteral("dog"));
    window->Find1Click();  // open already: only brought to the front
    EXPECT_EQ(Field("FindEdit")->text(), QStringLiteral("cat"));
    Dialog()->WholeWordBox()->setChecked(true);
    Dialog()->move(Dialog()->pos() + QPoint(37, 23));
    const QPoint place = Dialog()->pos();
    Press("Cancel");
    ASSERT_TRUE(WaitUntil([&] { return !Dialog()->isVisible(); }));
    EXPECT_FALSE(Memo().FindDialogOpen());

    window->ToolButton7Click();
    ASSERT_TRUE(WaitUntil([&] { return Dialog()->isVisible(); }));
    EXPECT_EQ(Field("FindEdit")->text(), QString());
    EXPECT_EQ(Field("ReplaceEdit")->text(), QString());
    EXPECT_TRUE(Dialog()->WholeWordBox()->isChecked());
    EXPECT_FALSE(Dialog()->MatchCaseBox()->isChecked());
    EXPECT_EQ(Dialog()->pos(), place);
    EXPECT_EQ(window->AdvMemoFindReplaceDialog1().Options(), editor::frDown | editor::frWholeWord);
}

TEST_F(TForm1FindReplaceTest, FieldsTakeAtMost255Characters) {
    window->Find1Click();
    window->AdvMemoFindReplaceDialog1().Window().SetFindText(std::string(300, 'x'));
    EXPECT_EQ(Field("FindEdit")->text().size(), 255);
    QString accents;
    for (int i = 0; i < 300; ++i) {
        accents += QChar(0x00E9);
    }
    window->AdvMemoFindReplaceDialog1().Window().SetReplaceText(accents.toStdString());
    EXPECT_EQ(Field("ReplaceEdit")->text(), accents.left(255));
}

TEST_F(TForm1FindReplaceTest, TheOpenDialogIsGoneWithTheWindow) {
    window->Find1Click();
    QPointer<ReplaceDialog> dialog = Dialog();
    window.reset();
    EXPECT_TRUE(dialog.isNull());
}

}  // namespace
}  // namespace tarnwick::ui
