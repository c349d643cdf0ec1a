// The update check through the real main window: it starts after the histories load, asks in
// a question box owned by the window, shows nothing when the server can't be reached, and
// closing the window returns at once whatever a hostile server makes the check wait for.
#include <QApplication>
#include <QMessageBox>

#include <chrono>

#include <gtest/gtest.h>

#include "platform/Shell.h"
#include "support/FakeTypeNames.h"
#include "support/FixedLocale.h"
#include "support/RecordingShell.h"
#include "support/TempTree.h"
#include "ui/support/MessageBoxAnswerer.h"
#include "ui/support/TForm1Fixture.h"
#include "ui/support/UiTestApp.h"
#include "ui/window/TForm1.h"
#include "update/UpdateTestSupport.h"

namespace tarnwick::testing {
namespace {

using std::chrono::milliseconds;

// Long enough for a loopback answer, short enough to wait for abandoned checks.
constexpr milliseconds kTestDeadline{2000};
constexpr int kSlackMs = 3000;

QMessageBox* VisibleBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
            return box;
        }
    }
    return nullptr;
}

class TForm1UpdateCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UiTestApp();
        platform::Shell::Install(&shell);
    }
    void TearDown() override {
        window.reset();
        platform::Shell::Install(nullptr);
    }

    void Open(const std::string& endpoint, std::shared_ptr<platform::Prompts> prompts = nullptr) {
        ui::TForm1Services services;
        services.dialogs = &dialogs;
        services.typeNames = &typeNames;
        services.locale = &locale;
        services.readDriveRoots = false;
        services.historyFolder = tree.root();
        services.updateEndpoint = endpoint;
        services.updateDeadline = kTestDeadline;
        services.prompts = std::move(prompts);
        window = std::make_unique<ui::TForm1>(services);
        window->show();
    }

    // Waits for the check's thread to end while the event loop runs.
    bool WaitForCheck() {
        const auto run = window->UpdateCheckRun();
        return run != nullptr && WaitUntil([&] { return run->WaitForEnd(milliseconds(0)); },
                                           static_cast<int>(kTestDeadline.count()) + kSlackMs);
    }

    TempTree tree;
    FakeDialogs dialogs;
    FakeTypeNames typeNames;
    FixedLocale locale;
    RecordingShell shell;
    std::unique_ptr<ui::TForm1> window;
};

TEST_F(TForm1UpdateCheckTest, UnreachableServerShowsNothingAndTheWindowWorks) {
    Open("http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + kVersionPath);
    ASSERT_TRUE(WaitForCheck());
    QCoreApplication::processEvents();
    EXPECT_EQ(VisibleBox(), nullptr);
    EXPECT_TRUE(window->findChildren<QMessageBox*>().isEmpty());
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(TForm1UpdateCheckTest, AnnouncedVersionIsOfferedInAQuestionBoxOfTheWindow) {
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        SCOPED_TRACE(answer == QMessageBox::Yes ? "Yes" : "No");
        shell.opened.clear();
        ScriptedServer server(
            AnswerWith(Answer(Document(R"("2.1.0")", R"("http://www.tarnwick.example/d")"))));
        MessageBoxAnswerer box(answer);
        Open(EndpointOf(server));
        ASSERT_TRUE(WaitForCheck());
        QCoreApplication::processEvents();
        ASSERT_TRUE(box.answered);
        EXPECT_EQ(box.title, "Update");
        EXPECT_EQ(box.text, "New version is now available, would you like to download it now?");
        EXPECT_EQ(box.icon, QMessageBox::Question);
        EXPECT_EQ(box.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box.parent, window.get());
        EXPECT_EQ(shell.opened, answer == QMessageBox::Yes
                                    ? std::vector<std::string>{"http://www.tarnwick.example/d"}
                                    : std::vector<std::string>{});
        window.reset();
    }
}

TEST_F(TForm1UpdateCheckTest, HistoryThatCannotBeReadSkipsTheCheck) {
    tree.Folder("SearchFile.txt");
    Open("http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + kVersionPath);
    EXPECT_EQ(window->UpdateCheckRun(), nullptr);
    EXPECT_EQ(dialogs.errors.size(), 1u);
}

TEST_F(TForm1UpdateCheckTest, WithoutAnEndpointNoCheckStarts) {
    Open("");
    EXPECT_EQ(window->UpdateCheckRun(), nullptr);
}

TEST_F(TForm1UpdateCheckTest, ClosingTheWindowWhileAHostileServerRunsReturnsAtOnce) {
    for (const HostileServer& hostile : HostileServers()) {
        SCOPED_TRACE(hostile.name);
        auto prompts = std::make_shared<ScriptedPrompts>(std::deque{platform::PromptAnswer::Yes});
        ScriptedServer server(hostile.script);
        Open(EndpointOf(server), prompts);
        const auto run = window->UpdateCheckRun();
        ASSERT_NE(run, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return server.Accepted() > 0; }, 10000));
        const auto start = std::chrono::steady_clock::now();
        window->close();
        window.reset();
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took, milliseconds(1000));
        std::printf("%s: window closed in %.1f ms\n", hostile.name,
                    std::chrono::duration<double, std::milli>(took).count());
        EXPECT_TRUE(run->WaitForEnd(kTestDeadline + milliseconds(kSlackMs)));
        EXPECT_TRUE(prompts->ShownBoxes().empty());
        EXPECT_TRUE(shell.opened.empty());
    }
}

}  // namespace
}  // namespace tarnwick::testing
