// Growing vectors through advised blocks must keep their elements and grow geometrically, or
// a run of single-line inserts into a large file turns quadratic.
#include "platform/MemoryAdvice.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace tarnwick::platform {
namespace {

std::vector<std::unique_ptr<int>> Numbers(size_t count) {
    std::vector<std::unique_ptr<int>> v;
    v.reserve(count);  // exactly full, as a loaded table is
    for (size_t i = 0; i < count; ++i) {
        v.push_back(std::make_unique<int>(static_cast<int>(i)));
    }
    return v;
}

void ExpectNumbers(const std::vector<std::unique_ptr<int>>& v, size_t count) {
    ASSERT_EQ(v.size(), count);
    for (size_t i = 0; i < count; ++i) {
        ASSERT_TRUE(v[i]);
        EXPECT_EQ(*v[i], static_cast<int>(i));
    }
}

TEST(MemoryAdviceTest, MakingRoomKeepsTheElementsAndAtLeastDoublesAFullVector) {
    struct Case {
        size_t size;
        size_t more;
        size_t leastCapacity;
    };
    for (const Case c : {Case{0, 1, 1}, Case{1, 1, 2}, Case{1000, 1, 2000}, Case{1000, 5000, 6000},
                         Case{300000, 1, 600000}}) {
        SCOPED_TRACE(testing::Message() << c.size << " + " << c.more);
        auto v = Numbers(c.size);
        MakeRoomAdvised(v, c.more);
        EXPECT_GE(v.capacity(), c.leastCapacity);
        ExpectNumbers(v, c.size);
    }
}

TEST(MemoryAdviceTest, RoomThatIsThereAlreadyLeavesTheBlockInPlace) {
    auto v = Numbers(10);
    v.reserve(64);
    const auto* block = v.data();
    MakeRoomAdvised(v, 54);
    ReserveAdvised(v, 64);
    EXPECT_EQ(v.data(), block);
    EXPECT_EQ(v.capacity(), 64u);

    ReserveAdvised(v, 100);
    EXPECT_GE(v.capacity(), 100u);
    ExpectNumbers(v, 10);
}

}  // namespace
}  // namespace tarnwick::platform
