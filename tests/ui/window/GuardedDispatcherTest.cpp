// The window's dispatcher: posted tasks run in order from the event loop behind the handler
// barrier, so a task that raises is shown by the window and the tasks after it still run; the
// tasks of a dispatcher that is gone never run.
#include "ui/window/GuardedDispatcher.h"

#include <QCoreApplication>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/support/TForm1Fixture.h"

namespace tarnwick::ui {
namespace {

class GuardedDispatcherTest : public testing::TForm1Test {};

TEST_F(GuardedDispatcherTest, ARaisingTaskIsShownByTheWindowAndTheNextTasksStillRun) {
    GuardedDispatcher dispatcher(window.get());
    std::vector<std::string> ran;
    dispatcher.Post([&] { ran.push_back("first"); });
    dispatcher.Post([&] {
        ran.push_back("raising");
        throw std::runtime_error("rows lost");
        ran.push_back("after the raise");
    });
    dispatcher.Post([&] { ran.push_back("last"); });
    EXPECT_TRUE(ran.empty()) << "tasks wait for the event loop";
    ASSERT_TRUE(testing::WaitUntil([&] { return ran.size() == 3; }));
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "raising", "last"}));
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].endsWith(QStringLiteral("rows lost.")))
        << dialogs.errors[0].toStdString();
}

TEST_F(GuardedDispatcherTest, TheTasksOfADispatcherThatIsGoneNeverRun) {
    bool ran = false;
    {
        GuardedDispatcher dispatcher(window.get());
        dispatcher.Post([&] { ran = true; });
    }
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace tarnwick::ui
