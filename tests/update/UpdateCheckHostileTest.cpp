// The update check against servers that never answer, stall, trickle or never stop sending:
// each check ends silently within its deadline without the process's memory growing by more
// than a little, and dropping the check's thread returns at once whatever it is doing.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "support/PeakMemory.h"
#include "update/UpdateCheck.h"
#include "update/UpdateCheckThread.h"
#include "update/UpdateTestSupport.h"

namespace tarnwick::testing {
namespace {

using platform::PromptAnswer;
using update::TIdThreadComponent;
using update::UpdateCheck;
using update::UpdateCheckThread;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::int64_t kMemoryGrowthLimit = 100 * 1024 * 1024;
// Scheduling on a shared machine; the check itself ends at its deadline.
constexpr milliseconds kSlack{3000};

milliseconds Since(Clock::time_point start) {
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

class UpdateCheckHostileTest : public UpdateTest,
                               public ::testing::WithParamInterface<HostileServer> {};

TEST_P(UpdateCheckHostileTest, EndsSilentlyWithinTheDeadlineAndBoundedMemory) {
    ScriptedServer server(GetParam().script);
    PeakMemory memory;
    const auto start = Clock::now();
    UpdateCheck(Prompts({PromptAnswer::Yes}), EndpointOf(server)).CheckForUpdate();
    const milliseconds took = Since(start);
    const std::int64_t growth = memory.GrowthBytes();
    std::printf("%s: ended after %lld ms, memory growth %.1f MB\n", GetParam().name,
                static_cast<long long>(took.count()), static_cast<double>(growth) / (1 << 20));
    EXPECT_LE(took, UpdateCheck::kDeadline + kSlack);
    EXPECT_LT(growth, kMemoryGrowthLimit);
    EXPECT_TRUE(prompts->ShownBoxes().empty());
    EXPECT_TRUE(shell.opened.empty());
}

TEST_P(UpdateCheckHostileTest, DroppingTheRunningCheckReturnsAtOnce) {
    ScriptedServer server(GetParam().script);
    std::shared_ptr<const TIdThreadComponent::Control> thread;
    Clock::duration took{};
    {
        auto check =
            std::make_unique<UpdateCheckThread>(Prompts({PromptAnswer::Yes}), EndpointOf(server));
        check->Start();
        thread = check->Thread();
        // Wait for the server to be talking to the check, then drop it.
        while (server.Accepted() == 0 && !thread->WaitForEnd(milliseconds(5))) {
        }
        const auto start = Clock::now();
        check.reset();
        took = Clock::now() - start;
    }
    EXPECT_LT(took, milliseconds(1000));
    std::printf("%s: dropped in %.3f ms\n", GetParam().name,
                std::chrono::duration<double, std::milli>(took).count());
    // The abandoned run still ends on its own, showing and opening nothing.
    EXPECT_TRUE(thread->WaitForEnd(UpdateCheck::kDeadline + kSlack));
    EXPECT_TRUE(prompts->ShownBoxes().empty());
    EXPECT_TRUE(shell.opened.empty());
}

INSTANTIATE_TEST_SUITE_P(Servers, UpdateCheckHostileTest, ::testing::ValuesIn(HostileServers()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PeakMemoryTest, SeesMemoryTouchedAndReleasedMeanwhile) {
    // The bound above is only worth something if the measurement sees a passing peak.
    PeakMemory memory;
    {
        std::vector<char> block(150 << 20);
        for (std::size_t i = 0; i < block.size(); i += 4096) {
            block[i] = 1;
        }
        EXPECT_EQ(block[block.size() / 2 & ~std::size_t{4095}], 1);
    }
    EXPECT_GT(memory.GrowthBytes(), kMemoryGrowthLimit);
}

TEST_F(UpdateTest, CheckThreadRunsTheCheckOnceAndEnds) {
    int requests = 0;
    ScriptedServer server(
        [&](ServerConnection& c) {
            c.ReadUntil("\r\n\r\n");
            ++requests;
            SendQuietly(c, Answer(Document(R"("3.0")", R"("http://x/")")));
            HoldUntilClosed(c);
        },
        1);
    UpdateCheckThread check(Prompts({PromptAnswer::Yes}), EndpointOf(server));
    check.Start();
    ASSERT_TRUE(check.WaitForEnd(milliseconds(10000)));
    server.Join();
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(prompts->ShownBoxes().size(), 1u);
    EXPECT_EQ(shell.opened, std::vector<std::string>{"http://x/"});
}

}  // namespace
}  // namespace tarnwick::testing
