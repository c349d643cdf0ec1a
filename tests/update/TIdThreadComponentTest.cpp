// The thread component: run cycles until deactivated, OnAfterRun after each run, and a
// destructor that never waits for a busy thread.
#include "update/TIdThreadComponent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>

namespace tarnwick::update {
namespace {

using std::chrono::milliseconds;

TEST(TIdThreadComponentTest, AfterRunThatDeactivatesMakesOneRun) {
    auto runs = std::make_shared<std::atomic<int>>(0);
    TIdThreadComponent component;
    component.OnRun = [runs](TIdThreadComponent::Control&) { ++*runs; };
    component.OnAfterRun = [](TIdThreadComponent::Control& c) { c.Deactivate(); };
    component.SetActive(true);
    ASSERT_TRUE(component.WaitForEnd(milliseconds(5000)));
    EXPECT_EQ(*runs, 1);
    EXPECT_FALSE(component.Active());
}

TEST(TIdThreadComponentTest, WithoutDeactivationTheRunRepeatsUntilStopped) {
    auto runs = std::make_shared<std::atomic<int>>(0);
    TIdThreadComponent component;
    component.OnRun = [runs](TIdThreadComponent::Control&) { ++*runs; };
    component.SetActive(true);
    while (*runs < 3) {
        std::this_thread::yield();
    }
    EXPECT_TRUE(component.Active());
    component.SetActive(false);
    ASSERT_TRUE(component.WaitForEnd(milliseconds(5000)));
    EXPECT_GE(*runs, 3);
}

TEST(TIdThreadComponentTest, DestroyingDuringARunReturnsAndTheRunFinishesOnItsOwn) {
    auto release = std::make_shared<std::promise<void>>();
    auto started = std::make_shared<std::promise<void>>();
    auto afterRuns = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<const TIdThreadComponent::Control> thread;
    {
        TIdThreadComponent component;
        component.OnRun = [release, started,
                           gate = release->get_future().share()](TIdThreadComponent::Control&) {
            started->set_value();
            gate.wait();
        };
        component.OnAfterRun = [afterRuns](TIdThreadComponent::Control&) { ++*afterRuns; };
        component.SetActive(true);
        started->get_future().wait();
        thread = component.LatestRun();
    }
    EXPECT_FALSE(thread->WaitForEnd(milliseconds(0))) << "still in its run";
    EXPECT_FALSE(thread->Active()) << "the component's end deactivated it";
    release->set_value();
    ASSERT_TRUE(thread->WaitForEnd(milliseconds(5000)));
    EXPECT_EQ(*afterRuns, 1) << "no second run after the component has gone";
}

}  // namespace
}  // namespace tarnwick::update
