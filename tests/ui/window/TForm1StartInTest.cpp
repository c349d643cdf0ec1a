// Starting the real window in a folder given on the command line: the folder is the chosen Look
// in entry, the name is in the name box, a search finds the folder's files, and a folder name
// that is not UTF-8 is searched by its own bytes.
#include <QComboBox>

#include <string>

#include <gtest/gtest.h>

#include "ui/support/TForm1Fixture.h"

namespace tarnwick::ui {
namespace {

class TForm1StartInTest : public testing::TForm1Test {
  protected:
    QComboBox* LookInBox() { return Find<QComboBox>("ComboBox3"); }

    std::vector<std::string> FoundNames() {
        std::vector<std::string> names;
        for (int row = 0; row < window->Results().rowCount(); ++row) {
            names.push_back(window->Results().Row(row).Name);
        }
        return names;
    }
};

TEST_F(TForm1StartInTest, FolderIsChosenInLookInNameIsInTheBoxAndSearchFindsItsFiles) {
    tree.File("project/readme.txt", "a");
    tree.File("project/src/main.cpp", "b");
    tree.File("project/src/readme-too.txt", "c");
    tree.File("C/readme.txt", "elsewhere");
    const std::string folder = tree.path("project");
    window->StartIn(folder, "readme");

    QComboBox* lookIn = LookInBox();
    ASSERT_EQ(lookIn->count(), 5);
    EXPECT_EQ(lookIn->currentIndex(), 0);
    EXPECT_EQ(lookIn->itemText(0).toStdString(), folder);
    EXPECT_EQ(lookIn->itemText(1).toStdString(), tree.path("C"));
    EXPECT_EQ(lookIn->itemText(3), "All Drives");
    EXPECT_EQ(lookIn->itemText(4), "Other...");
    EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentText(), "readme");
    EXPECT_EQ(window->Options().LookIn(), folder);
    EXPECT_EQ(window->Options().NameText(), "readme");

    RunSearch();
    EXPECT_EQ(FoundNames(), (std::vector<std::string>{"readme.txt", "readme-too.txt"}));
    ASSERT_GE(window->Results().rowCount(), 1);
    EXPECT_EQ(window->Results().Row(0).Path, folder + "/readme.txt");
}

TEST_F(TForm1StartInTest, ShowingTheWindowAfterwardsKeepsTheFolderAndEmptyArgumentsChangeNothing) {
    tree.Folder("project");
    Find<QComboBox>("ComboBox1")->setEditText("typed");
    window->StartIn(tree.path("project"), "");
    window->show();  // the first show builds the Look in list unless it was built already
    QComboBox* lookIn = LookInBox();
    EXPECT_EQ(lookIn->itemText(0).toStdString(), tree.path("project"));
    EXPECT_EQ(lookIn->currentIndex(), 0);
    EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentText(), "typed");

    window->StartIn("", "");
    EXPECT_EQ(lookIn->count(), 5);
    EXPECT_EQ(window->Options().LookIn(), tree.path("project"));
}

TEST_F(TForm1StartInTest, FolderNameThatIsNotUtf8IsSearchedByItsOwnBytes) {
    const std::string latin1 = "caf\xe9";  // "café" in Latin-1: not UTF-8
    tree.File(latin1 + "/menu.txt", "soup");
    const std::string folder = tree.path(latin1);
    window->StartIn(folder, "menu");
    EXPECT_FALSE(LookInBox()->itemText(0).isEmpty());
    EXPECT_EQ(window->Options().LookIn(), folder);
    RunSearch();
    ASSERT_EQ(FoundNames(), std::vector<std::string>{"menu.txt"});
    EXPECT_EQ(window->Results().Row(0).Path, folder + "/menu.txt");

    // Choosing another entry and coming back looks in the same bytes again.
    LookInBox()->setCurrentIndex(1);
    EXPECT_EQ(window->Options().LookIn(), tree.path("C"));
    LookInBox()->setCurrentIndex(0);
    EXPECT_EQ(window->Options().LookIn(), folder);
}

}  // namespace
}  // namespace tarnwick::ui
