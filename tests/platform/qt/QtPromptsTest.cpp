// The Qt boxes: a question asked from another thread is shown on the UI thread and its answer
// travels back; closing the prompts releases a waiting thread even when the UI never runs.
#include "platform/qt/QtPrompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include <future>

#include <gtest/gtest.h>

#include "platform/qt/QtUiDispatcher.h"
#include "support/QueueDispatcher.h"
#include "ui/support/MessageBoxAnswerer.h"
#include "ui/support/TForm1Fixture.h"
#include "ui/support/UiTestApp.h"

namespace tarnwick::platform {
namespace {

using testing::MessageBoxAnswerer;

template <typename T>
bool Ready(const std::future<T>& f) {
    return f.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

TEST(QtPromptsTest, QuestionFromAnotherThreadIsAnsweredOnTheUiThread) {
    testing::UiTestApp();
    QWidget owner;
    QtUiDispatcher dispatcher;
    const auto prompts = QtPrompts::Create(&owner, dispatcher);
    for (const auto button : {QMessageBox::Yes, QMessageBox::No}) {
        MessageBoxAnswerer box(button);
        auto answer =
            std::async(std::launch::async, [&] { return prompts->Question("Go?", "Ask"); });
        ASSERT_TRUE(testing::WaitUntil([&] { return Ready(answer); }));
        EXPECT_TRUE(box.answered);
        EXPECT_EQ(box.text, "Go?");
        EXPECT_EQ(box.title, "Ask");
        EXPECT_EQ(box.icon, QMessageBox::Question);
        EXPECT_EQ(box.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box.parent, &owner);
        EXPECT_EQ(answer.get(), button == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No);
    }
    prompts->Close();
}

TEST(QtPromptsTest, MessageShowsAnInformationBoxWithOk) {
    testing::UiTestApp();
    QWidget owner;
    QtUiDispatcher dispatcher;
    const auto prompts = QtPrompts::Create(&owner, dispatcher);
    MessageBoxAnswerer box(QMessageBox::Ok);
    auto shown =
        std::async(std::launch::async, [&] { prompts->Message("Text not found", "Information"); });
    ASSERT_TRUE(testing::WaitUntil([&] { return Ready(shown); }));
    EXPECT_EQ(box.icon, QMessageBox::Information);
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_EQ(box.text, "Text not found");
    prompts->Close();
}

TEST(QtPromptsTest, CloseReleasesAWaitingThreadAndRefusesLaterQuestions) {
    testing::UiTestApp();
    QWidget owner;
    testing::QueueDispatcher dispatcher;  // never drained: the UI never shows the box
    const auto prompts = QtPrompts::Create(&owner, dispatcher);
    auto answer = std::async(std::launch::async, [&] { return prompts->Question("Go?", "Ask"); });
    ASSERT_TRUE(testing::WaitUntil([&] { return dispatcher.Pending() == 1; }));
    prompts->Close();
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(answer.get(), PromptAnswer::No);
    EXPECT_EQ(
        std::async(std::launch::async, [&] { return prompts->Question("Again?", "Ask"); }).get(),
        PromptAnswer::No);
    dispatcher.RunPending();  // the stale request shows nothing
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace tarnwick::platform
