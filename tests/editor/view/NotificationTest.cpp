// The view's notifications: every listener hears each raise in the order added, removed ones
// no longer, and listeners may come and go while a raise runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/view/Notification.h"

namespace tarnwick::editor::test {
namespace {

TEST(NotificationTest, EveryListenerHearsEachRaiseInTheOrderAdded) {
    TNotification<int, int> changed;
    EXPECT_TRUE(changed.Empty());
    changed.Raise(1, 2);  // nobody listens: nothing happens
    std::vector<std::string> heard;
    changed.Add([&](int a, int b) { heard.push_back("first " + std::to_string(a + b)); });
    changed.Add(nullptr);  // an empty listener is skipped
    changed.Add([&](int a, int b) { heard.push_back("second " + std::to_string(a * b)); });
    EXPECT_FALSE(changed.Empty());
    changed.Raise(3, 4);
    changed.Raise(0, 5);
    EXPECT_EQ(heard, (std::vector<std::string>{"first 7", "second 12", "first 5", "second 0"}));
}

TEST(NotificationTest, RemovedListenersHearNothingMoreAndUnknownTicketsChangeNothing) {
    TNotification<> raised;
    int a = 0;
    int b = 0;
    const auto ticketA = raised.Add([&] { ++a; });
    const auto ticketB = raised.Add([&] { ++b; });
    EXPECT_NE(ticketA, ticketB);
    raised.Raise();
    raised.Remove(ticketA);
    raised.Remove(ticketA);  // twice: nothing more happens
    raised.Remove(12345);
    raised.Raise();
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    raised.Remove(ticketB);
    EXPECT_TRUE(raised.Empty());
    // Tickets are not reused: a new listener cannot be removed by an old ticket.
    int c = 0;
    raised.Add([&] { ++c; });
    raised.Remove(ticketA);
    raised.Remove(ticketB);
    raised.Raise();
    EXPECT_EQ(c, 1);
}

TEST(NotificationTest, ListenersMayComeAndGoWhileARaiseRuns) {
    TNotification<> raised;
    std::vector<std::string> heard;
    TNotification<>::Ticket self = 0;
    TNotification<>::Ticket later = 0;
    self = raised.Add([&] {
        heard.push_back("once");
        raised.Remove(self);   // removes itself while it runs
        raised.Remove(later);  // and one not yet called in this raise
        raised.Add([&] { heard.push_back("added"); });
    });
    later = raised.Add([&] { heard.push_back("later"); });
    raised.Raise();
    EXPECT_EQ(heard, (std::vector<std::string>{"once"})) << "added ones wait for the next raise";
    raised.Raise();
    EXPECT_EQ(heard, (std::vector<std::string>{"once", "added"}));
}

}  // namespace
}  // namespace tarnwick::editor::test
