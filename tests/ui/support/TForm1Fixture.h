// The main window under test: a window on a temporary tree with two "drives" C and D, fake type
// names and a fixed locale, plus helpers to find its controls, run a search and wait.
#pragma once

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "support/FakeTypeNames.h"
#include "support/FixedLocale.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"
#include "ui/support/UiTestApp.h"
#include "ui/window/TForm1.h"
#include "ui/window/UiDialogs.h"

namespace tarnwick::testing {

// Answers the dialogs as a test tells it to and records what was asked.
class FakeDialogs final : public ui::UiDialogs {
  public:
    std::optional<QString> ChooseFolder(QWidget*) override {
        ++folderAsks;
        if (folders.empty()) {
            return std::nullopt;
        }
        QString next = folders.front();
        folders.erase(folders.begin());
        return next;
    }
    std::optional<QString> ChooseSaveFile(QWidget*, const QString& caption, const QString&,
                                          const QString& suffix) override {
        saveCaption = caption;
        saveSuffix = suffix;
        return saveAnswer;
    }
    void ShowError(QWidget*, const QString& caption, const QString& text) override {
        errors.push_back(caption + ": " + text);
    }
    // Answers from `editsAnswers`, then Cancel (so an unexpected question stops what asked).
    ui::EditsAnswer AskAboutEdits(QWidget*, const QString&, const QString& text) override {
        editsQuestions.push_back(text);
        if (editsAnswers.empty()) {
            return ui::EditsAnswer::Cancel;
        }
        const ui::EditsAnswer next = editsAnswers.front();
        editsAnswers.erase(editsAnswers.begin());
        return next;
    }
    std::vector<QString> folders;
    std::vector<ui::EditsAnswer> editsAnswers;
    std::vector<QString> editsQuestions;
    int folderAsks = 0;
    std::optional<QString> saveAnswer;
    QString saveCaption, saveSuffix;
    std::vector<QString> errors;
};

// Processes events until `done` holds; false after `timeoutMs`. QTest::qWaitFor waits for
// events between checks, so it neither spins nor sleeps a fixed time.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
    return QTest::qWaitFor(done, timeoutMs);
}

class TForm1Test : public ::testing::Test {
  protected:
    TForm1Test() { MakeWindow(&dialogs); }

    // Replaces the window by one that asks `windowDialogs`, formats with `windowLocale` (the
    // fixture's when null) and pauses `entryPause` per entry of a walk.
    void MakeWindow(ui::UiDialogs* windowDialogs,
                    const platform::LocaleFormats* windowLocale = nullptr,
                    std::chrono::microseconds entryPause = std::chrono::microseconds(0)) {
        UiTestApp();
        window.reset();
        ui::TForm1Services services;
        services.dialogs = windowDialogs;
        services.prompts = prompts;
        services.typeNames = &typeNames;
        services.locale = windowLocale != nullptr ? windowLocale : &locale;
        services.entryPause = entryPause;
        services.readDriveRoots = false;
        services.historyFolder = tree.root();
        services.unsizedLoadLimit = unsizedLoadLimit;
        window = std::make_unique<ui::TForm1>(services);
        window->Search().State().DriveRoots = {tree.path("C"), tree.path("D")};
        tree.Folder("C");
        tree.Folder("D");
        window->FormShow();
    }

    // Shows the window and makes it the active one, so that focus and keys work as for a user.
    void ShowActive() {
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename T>
    T* Find(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool Enabled(const char* name) {
        if (auto* action = window->findChild<QAction*>(QString::fromLatin1(name))) {
            return action->isEnabled();
        }
        return Find<QWidget>(name)->isEnabled();
    }
    QString Status(const char* panel) { return Find<QLabel>(panel)->text(); }

    void LookIn(const std::string& path) {
        auto* box = Find<QComboBox>("ComboBox3");
        box->insertItem(0, QString::fromStdString(path));
        box->setCurrentIndex(0);
    }
    void WaitForRunEnd() {
        ASSERT_TRUE(WaitUntil([&] { return !window->Search().IsWalking() && Enabled("BitBtn1"); }));
        QCoreApplication::processEvents();
    }
    void RunSearch() {
        Find<QPushButton>("BitBtn1")->click();
        WaitForRunEnd();
    }
    // Waits until a row's file that is being read is in the editor (or failed).
    void WaitForLoad() {
        ASSERT_TRUE(WaitUntil([&] { return !window->LoadingFile(); }));
    }
    void SelectRow(int row) {
        auto* list = Find<QTableView>("ListView1");
        list->selectRow(row);
        window->ListView1Click();
        WaitForLoad();
    }

    TempTree tree;
    FakeDialogs dialogs;
    std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
    FakeTypeNames typeNames;
    FixedLocale locale;
    uint64_t unsizedLoadLimit = 0;  // for the next MakeWindow
    std::unique_ptr<ui::TForm1> window;
};

}  // namespace tarnwick::testing
