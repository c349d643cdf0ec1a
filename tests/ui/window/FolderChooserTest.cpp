// The real "Other..." folder chooser, opened from the Look in list of the real window and
// answered with keys and clicks: existing and missing folders are taken, files are not, and
// the working directory follows the folder shown, also after Cancel.
#include "ui/window/FolderChooser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QTimer>

#include <filesystem>

#include <gtest/gtest.h>

#include "ui/support/TForm1Fixture.h"

namespace tarnwick::ui {
namespace {

using testing::WaitUntil;

QString Canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

// Runs `act` on the folder chooser as soon as it is open, inside the chooser's own event loop.
// A chooser still open 20 s later is cancelled, so that a failing test can't hang.
void WhenChooserOpens(std::function<void(QFileDialog&)> act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QElapsedTimer since;
    since.start();
    QObject::connect(poll, &QTimer::timeout, [poll, act, since] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        const bool open = dialog != nullptr && dialog->isVisible();
        if (!open && since.elapsed() < 20000) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        if (open) {
            QTimer::singleShot(20000, dialog, &QDialog::reject);
            act(*dialog);
        }
    });
    poll->start();
}

QLineEdit* PathEdit(QFileDialog& dialog) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

QPushButton* OkButton(QFileDialog& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
}

// The list's row of `name` in the folder shown, once the dialog has read the folder.
QModelIndex ListedEntry(QFileDialog& dialog, const QString& name) {
    auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QModelIndex found;
    WaitUntil([&] {
        const QAbstractItemModel* model = list->model();
        for (int row = 0; row < model->rowCount(list->rootIndex()); ++row) {
            const QModelIndex index = model->index(row, 0, list->rootIndex());
            if (index.data().toString() == name) {
                found = index;
                return true;
            }
        }
        return false;
    });
    return found;
}

void TypePath(QFileDialog& dialog, const std::string& path) {
    QLineEdit* edit = PathEdit(dialog);
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromStdString(path));
}

class FolderChooserTest : public testing::TForm1Test {
  protected:
    void SetUp() override {
        fSavedDirectory = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(tree.root())));
        MakeWindow(&UiDialogs::Standard());
        ShowActive();
    }
    void TearDown() override { QDir::setCurrent(fSavedDirectory); }

    // Picks "Other..." with the keyboard, as a user would; returns when the chooser closed.
    void ChooseOther() {
        auto* box = Find<QComboBox>("ComboBox3");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_End);
    }
    std::string LookInText() { return Find<QComboBox>("ComboBox3")->currentText().toStdString(); }

  private:
    QString fSavedDirectory;
};

TEST_F(FolderChooserTest, TypedExistingFolderAndEnterChoosesItAndTheSearchWalksIt) {
    tree.File("pick/inside.txt", "x");
    tree.File("C/elsewhere.txt", "x");
    bool okEnabled = false;
    WhenChooserOpens([&](QFileDialog& dialog) {
        TypePath(dialog, tree.path("pick"));
        okEnabled = OkButton(dialog)->isEnabled();
        QTest::keyClick(PathEdit(dialog), Qt::Key_Return);
    });
    ChooseOther();
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(LookInText(), tree.path("pick"));
    ASSERT_EQ(window->Options().LookIn(), tree.path("pick"));
    RunSearch();
    ASSERT_EQ(window->Results().rowCount(), 1);
    EXPECT_EQ(window->Results().Row(0).Path, tree.path("pick/inside.txt"));
}

TEST_F(FolderChooserTest, FolderSelectedInTheListAndOkChoosesIt) {
    tree.Folder("alpha");
    tree.Folder("beta");
    WhenChooserOpens([&](QFileDialog& dialog) {
        auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
        const QModelIndex beta = ListedEntry(dialog, QStringLiteral("beta"));
        ASSERT_TRUE(beta.isValid());
        list->setFocus();
        list->setCurrentIndex(beta);
        ASSERT_TRUE(OkButton(dialog)->isEnabled());
        QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
    });
    ChooseOther();
    EXPECT_EQ(LookInText(), tree.path("beta"));
    auto* box = Find<QComboBox>("ComboBox3");
    EXPECT_EQ(box->itemText(box->count() - 1), "Other...");
}

TEST_F(FolderChooserTest, MissingFolderIsTakenWithoutCreatingItButAFileIsNot) {
    tree.File("plain.txt", "x");
    bool okForFile = true;
    bool okForMissing = false;
    WhenChooserOpens([&](QFileDialog& dialog) {
        TypePath(dialog, tree.path("plain.txt"));
        okForFile = OkButton(dialog)->isEnabled();
        QTest::keyClick(PathEdit(dialog), Qt::Key_Return);  // refused: the chooser stays
        ASSERT_TRUE(dialog.isVisible());
        TypePath(dialog, tree.path("not/there/yet"));
        okForMissing = OkButton(dialog)->isEnabled();
        QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
    });
    ChooseOther();
    EXPECT_FALSE(okForFile);
    EXPECT_TRUE(okForMissing);
    EXPECT_EQ(LookInText(), tree.path("not/there/yet"));
    EXPECT_FALSE(std::filesystem::exists(tree.path("not")));
}

TEST_F(FolderChooserTest, CancelKeepsTheFolderShownAsTheNextChoosersStart) {
    tree.Folder("deep/er");
    WhenChooserOpens([&](QFileDialog& dialog) {
        auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
        const QModelIndex deep = ListedEntry(dialog, QStringLiteral("deep"));
        ASSERT_TRUE(deep.isValid());
        list->setFocus();
        list->setCurrentIndex(deep);
        QTest::keyClick(list, Qt::Key_Return);  // opens the folder
        const QModelIndex er = ListedEntry(dialog, QStringLiteral("er"));
        ASSERT_TRUE(er.isValid());
        list->setCurrentIndex(er);
        QTest::keyClick(list, Qt::Key_Return);
        ASSERT_TRUE(WaitUntil([&] { return dialog.directory().dirName() == "er"; }));
        QTest::keyClick(list, Qt::Key_Backspace);  // back up to deep
        ASSERT_TRUE(WaitUntil([&] { return dialog.directory().dirName() == "deep"; }));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    ChooseOther();
    EXPECT_EQ(Canonical(QDir::currentPath()).toStdString(), tree.path("deep"));
    EXPECT_EQ(Find<QComboBox>("ComboBox3")->currentIndex(), -1);
    EXPECT_EQ(window->Options().LookIn(), "");

    QString reopenedIn;
    WhenChooserOpens([&](QFileDialog& dialog) {
        reopenedIn = Canonical(dialog.directory().absolutePath());
        dialog.reject();
    });
    ChooseOther();
    EXPECT_EQ(reopenedIn.toStdString(), tree.path("deep"));
}

}  // namespace
}  // namespace tarnwick::ui
