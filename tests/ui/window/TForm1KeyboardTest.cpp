// The main window driven from the keyboard: the text boxes keep what was typed, Enter searches
// from a box or a focused button, and the focus after Search never lands on an input that the
// next key would overwrite.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "history/InputHistory.h"
#include "ui/support/TForm1Fixture.h"

namespace tarnwick::ui {
namespace {

using testing::WaitUntil;

class TForm1KeyboardTest : public testing::TForm1Test {
  protected:
    void SetUp() override { ShowActive(); }

    // Replaces the text of `box` by typing `text` into it, as a user does.
    void TypeInto(const char* box, const QString& text) {
        auto* combo = Find<QComboBox>(box);
        combo->setFocus();
        ASSERT_TRUE(combo->hasFocus());
        QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(combo, Qt::Key_Backspace);
        QTest::keyClicks(combo, text);
    }
    // Leaves the focused control with Tab.
    void TabAway() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    // The object name of the control that has the keyboard focus.
    static std::string Focused() {
        const QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused->objectName().toStdString() : "(none)";
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int r = 0; r < window->Results().rowCount(); ++r) {
            names.push_back(window->Results().Row(r).Name);
        }
        return names;
    }
};

TEST_F(TForm1KeyboardTest, CaseTwinOfAHistoryEntryStaysAsTypedAndIsSearchedFor) {
    tree.File("C/lower.txt", "a needle here");
    tree.File("C/upper.txt", "a NEEDLE here");
    const struct {
        const char* box;
        const char* entry;
        const char* twin;
    } boxes[] = {{"ComboBox1", "notes", "NOTES"}, {"ComboBox2", "needle", "NEEDLE"}};
    for (const auto& b : boxes) {
        TypeInto(b.box, QString::fromLatin1(b.entry));
        TabAway();  // records the entry
        TypeInto(b.box, QString::fromLatin1(b.twin));
        TabAway();  // records nothing: a case twin
        auto* combo = Find<QComboBox>(b.box);
        EXPECT_EQ(combo->currentText().toStdString(), b.twin) << b.box;
        ASSERT_EQ(combo->count(), 1) << b.box;
        EXPECT_EQ(combo->itemText(0).toStdString(), b.entry) << b.box;
    }
    EXPECT_EQ(window->Options().NameText(), "NOTES");
    EXPECT_EQ(window->Options().ContainingText(), "NEEDLE");
    EXPECT_EQ(window->WordHistory().Entries(), std::vector<std::string>{"needle"});

    TypeInto("ComboBox1", QString());
    TabAway();
    RunSearch();
    EXPECT_EQ(window->Search().State().ContentText, "NEEDLE");
    EXPECT_EQ(Names(), std::vector<std::string>{"upper.txt"});
}

TEST_F(TForm1KeyboardTest, FocusMovesFromSearchToStopAndBackWithoutTouchingTheInputs) {
    tree.File("C/a.txt");
    auto* search = Find<QPushButton>("BitBtn1");
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Space);
    // The search started inside the key press; its end has not been delivered yet.
    ASSERT_FALSE(search->isEnabled());
    EXPECT_EQ(Focused(), "BitBtn2");
    WaitForRunEnd();
    EXPECT_EQ(Focused(), "BitBtn1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
    EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), "exe,dll,sys,ico,dat,bin");
}

TEST_F(TForm1KeyboardTest, FocusElsewhereIsLeftWhereItIsWhenARunStartsAndEnds) {
    TypeInto("ComboBox1", "a");
    Find<QPushButton>("BitBtn1")->click();  // with the mouse: the box keeps the focus
    EXPECT_EQ(Focused(), "ComboBox1");
    WaitForRunEnd();
    EXPECT_EQ(Focused(), "ComboBox1");
}

TEST_F(TForm1KeyboardTest, EnterOnAFocusedButtonPressesIt) {
    for (int i = 0; i < 200; ++i) {
        tree.File("C/f" + std::to_string(i) + ".txt");
    }
    MakeWindow(&dialogs, nullptr, std::chrono::milliseconds(5));  // a second for the folder
    ShowActive();
    auto* search = Find<QPushButton>("BitBtn1");
    auto* stop = Find<QPushButton>("BitBtn2");
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Return);
    ASSERT_FALSE(search->isEnabled());
    ASSERT_EQ(Focused(), "BitBtn2");
    QTest::keyClick(stop, Qt::Key_Enter);  // the keypad's Enter
    WaitForRunEnd();
    EXPECT_LT(window->Results().rowCount(), 200);
    EXPECT_EQ(Focused(), "BitBtn1");
}

TEST_F(TForm1KeyboardTest, TabVisitsTheInputsInTheFormsOrderButNoToolbarButton) {
    Find<QComboBox>("ComboBox1")->setFocus();
    std::vector<std::string> visited;
    for (int i = 0; i < 20; ++i) {
        visited.push_back(Focused());
        TabAway();
    }
    for (const std::string& name : visited) {
        EXPECT_FALSE(name.starts_with("ToolButton")) << name;
    }
    const std::vector<std::string> panel = {"ComboBox1",    "ComboBox2", "ComboBox3", "BitBtn1",
                                            "RadioButton1", "Edit1",     "Edit2",     "CheckBox1",
                                            "CheckBox2",    "CheckBox3"};
    ASSERT_GE(visited.size(), panel.size());
    EXPECT_EQ(std::vector<std::string>(visited.begin(), visited.begin() + 10), panel);
}

TEST_F(TForm1KeyboardTest, EnterInATextBoxRecordsItsTextAndSearches) {
    tree.File("C/notes.txt", "keyword");
    tree.File("C/notes-old.txt", "nothing");
    tree.File("C/other.txt", "keyword");
    TypeInto("ComboBox1", "notes");
    QTest::keyClick(Find<QComboBox>("ComboBox1"), Qt::Key_Return);
    EXPECT_FALSE(Enabled("BitBtn1"));  // started
    EXPECT_EQ(window->NameHistory().Entries(), std::vector<std::string>{"notes"});
    WaitForRunEnd();
    EXPECT_EQ(Names(), (std::vector<std::string>{"notes-old.txt", "notes.txt"}));

    TypeInto("ComboBox2", "keyword");
    QTest::keyClick(Find<QComboBox>("ComboBox2"), Qt::Key_Return);
    EXPECT_FALSE(Enabled("BitBtn1"));
    EXPECT_EQ(window->WordHistory().Entries(), std::vector<std::string>{"keyword"});
    // Enter again while the search runs records nothing new and starts nothing.
    QTest::keyClick(Find<QComboBox>("ComboBox2"), Qt::Key_Return);
    WaitForRunEnd();
    EXPECT_EQ(Names(), std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(Find<QComboBox>("ComboBox2")->currentText(), "keyword");
}

TEST_F(TForm1KeyboardTest, EnterInTheExtensionListsSearchesToo) {
    tree.File("C/keep.txt");
    tree.File("C/drop.log");
    for (const char* box : {"Edit1", "Edit2"}) {
        SCOPED_TRACE(box);
        auto* edit = Find<QLineEdit>(box);
        edit->setFocus();
        ASSERT_TRUE(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_FALSE(Enabled("BitBtn1"));  // started
        WaitForRunEnd();
        EXPECT_EQ(Names().size(), 2u);
        EXPECT_TRUE(edit->hasFocus());
    }
}

TEST_F(TForm1KeyboardTest, ARunThatFindsNothingShowsTheCountOfZero) {
    tree.File("C/one.txt");
    RunSearch();
    EXPECT_EQ(Status("bsSkinStatusPanel2"), "1 items found");
    TypeInto("ComboBox1", "nothing-is-called-this");
    RunSearch();
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(Status("bsSkinStatusPanel2"), "0 items found");
}

}  // namespace
}  // namespace tarnwick::ui
