// Qt implementations of the platform interfaces: type names and the UI-thread dispatcher.
#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>

#include "platform/qt/QtTypeNames.h"
#include "platform/qt/QtUiDispatcher.h"
#include "ui/support/UiTestApp.h"

namespace tarnwick::platform {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "tarnwick_ui_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? QCoreApplication::instance()
                                                                : new QCoreApplication(argc, argv);
    return *static_cast<QCoreApplication*>(app);
}

TEST(QtTypeNamesTest, DescribesByNameWithoutOpeningTheFile) {
    const QtTypeNames names;
    const TypeDescription text = names.DescribeFile("/no/such/folder/notes.txt");
    EXPECT_FALSE(text.typeName.empty());
    EXPECT_EQ(text.iconKey, "text-plain");
    const TypeDescription html = names.DescribeFile("/no/such/page.HTML");
    EXPECT_NE(html.typeName, text.typeName);
    EXPECT_LE(names.DescribeFile("/x/y.unknownext").typeName.size(), 79u * 4);
    EXPECT_FALSE(names.DescribeFile("/x/y.unknownext").iconKey.empty());
}

TEST(QtTypeNamesTest, SafeFromSeveralThreads) {
    const QtTypeNames names;
    std::vector<std::thread> threads;
    std::atomic<int> good{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                if (names.DescribeFile("/tmp/file" + std::to_string(i) + ".txt").iconKey ==
                    "text-plain") {
                    ++good;
                }
            }
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    EXPECT_EQ(good.load(), 800);
}

TEST(QtUiDispatcherTest, RunsTasksOnTheGuiThreadInPostingOrder) {
    App();
    QtUiDispatcher dispatcher;
    std::vector<int> order;
    std::vector<bool> onGui;
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) {
            dispatcher.Post([&, i] {
                order.push_back(i);
                onGui.push_back(QThread::currentThread() == App().thread());
            });
        }
    });
    worker.join();
    EXPECT_TRUE(order.empty());  // nothing runs on the posting thread
    for (int spin = 0; spin < 100 && order.size() < 100; ++spin) {
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
        EXPECT_TRUE(onGui[static_cast<std::size_t>(i)]);
    }
}

}  // namespace
}  // namespace tarnwick::platform
