// The caret's blink phase on a fake timer: flips every half period, stays on while a key is
// held, restarts on, stops on request, and never blinks without a period.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "editor/view/CaretBlink.h"
#include "support/FakeTimer.h"

namespace tarnwick::editor::test {
namespace {

using tarnwick::testing::FakeTimer;

constexpr int kHalf = 530;

class CaretBlinkTest : public ::testing::Test {
  protected:
    CaretBlinkTest() : blink(timer, kHalf, [this] { return blinks; }) {
        blink.OnToggle = [this] { phases.push_back(blink.On()); };
    }
    // Lets the armed time run out once.
    void Fire() { timer.Elapse(timer.Remaining()); }

    FakeTimer timer;
    bool blinks = true;
    std::vector<bool> phases;  // the phase after each flip
    TCaretBlink blink;
};

TEST_F(CaretBlinkTest, RunningRestartFlipsEveryHalfPeriodAndArmsAgainEachTime) {
    EXPECT_TRUE(blink.On());
    EXPECT_FALSE(blink.Running());
    blink.Restart(true);
    ASSERT_TRUE(timer.Active());
    EXPECT_EQ(timer.Remaining(), kHalf);
    timer.Elapse(kHalf - 1);
    EXPECT_TRUE(phases.empty()) << "not before the half period";
    timer.Elapse(1);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(timer.Active()) << i;
        EXPECT_EQ(timer.Remaining(), kHalf) << i;
        Fire();
    }
    EXPECT_EQ(phases, (std::vector<bool>{false, true, false, true, false}));
    EXPECT_TRUE(blink.Running());
}

TEST_F(CaretBlinkTest, RestartPutsThePhaseOnAndCountsTheHalfPeriodAnew) {
    for (const bool running : {true, false}) {
        blink.Restart(true);
        Fire();
        ASSERT_FALSE(blink.On());
        timer.Elapse(kHalf / 2);
        blink.Restart(running);
        EXPECT_TRUE(blink.On()) << running;
        // Restarting without running leaves the timer as it was (half elapsed).
        EXPECT_EQ(timer.Remaining(), running ? kHalf : kHalf - kHalf / 2) << running;
        blink.Stop();
    }
}

TEST_F(CaretBlinkTest, WithoutRunningNothingIsArmed) {
    blink.Restart(false);
    EXPECT_FALSE(timer.Active());
    EXPECT_EQ(timer.Starts, 0);
    EXPECT_TRUE(blink.On());
}

TEST_F(CaretBlinkTest, AHeldKeyKeepsTheCaretOnUntilItMayBlinkAgain) {
    blink.Restart(true);
    Fire();  // off
    blinks = false;
    Fire();
    Fire();
    blinks = true;
    Fire();
    Fire();
    // Every flip is reported, also those a held key kept on.
    EXPECT_EQ(phases, (std::vector<bool>{false, true, true, false, true}));
}

TEST_F(CaretBlinkTest, StopEndsTheFlipsAndKeepsThePhase) {
    blink.Restart(true);
    Fire();
    blink.Stop();
    EXPECT_FALSE(blink.Running());
    timer.Elapse(10 * kHalf);
    EXPECT_FALSE(blink.On()) << "stopping does not switch the caret on";
    EXPECT_EQ(phases.size(), 1u);
    blink.Restart(true);
    EXPECT_TRUE(blink.Running());
}

TEST(CaretBlinkPeriodTest, NoPeriodNeverBlinks) {
    for (const int half : {0, -1}) {
        FakeTimer timer;
        TCaretBlink blink(timer, half, nullptr);
        blink.Restart(true);
        EXPECT_FALSE(timer.Active()) << half;
        EXPECT_TRUE(blink.On()) << half;
        EXPECT_EQ(blink.HalfPeriod(), half);
    }
}

TEST(CaretBlinkPeriodTest, WithoutABlinkQueryTheCaretAlwaysMayBlink) {
    FakeTimer timer;
    TCaretBlink blink(timer, 10, nullptr);
    blink.Restart(true);
    timer.Elapse(10);
    EXPECT_FALSE(blink.On());
    timer.Elapse(10);
    EXPECT_TRUE(blink.On());
}

TEST(CaretBlinkPeriodTest, AFailingRepaintKeepsTheBlinkGoingAndDestructionStopsIt) {
    FakeTimer timer;
    auto blink = std::make_unique<TCaretBlink>(timer, 10, nullptr);
    blink->OnToggle = [] { throw std::runtime_error("paint"); };
    blink->Restart(true);
    EXPECT_THROW(timer.Elapse(10), std::runtime_error);
    EXPECT_TRUE(timer.Active());
    EXPECT_FALSE(blink->On());
    blink.reset();
    EXPECT_FALSE(timer.Active()) << "no handler may run into a destroyed blink";
}

}  // namespace
}  // namespace tarnwick::editor::test
