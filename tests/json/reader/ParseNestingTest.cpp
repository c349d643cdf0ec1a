#include <gtest/gtest.h>

#include <string>

#include "json/reader/TlkJSON.h"
#include "json/values/TlkJSONobject.h"

namespace tarnwick::json {
namespace {

std::string NestedLists(int depth) {
    return std::string(depth, '[') + "1" + std::string(depth, ']');
}

std::string NestedObjects(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) {
        text += "{\"k\":";
    }
    text += "0";
    return text + std::string(depth, '}');
}

// Follows the first child down and counts the containers passed.
int DepthOf(const TlkJSONbase* value) {
    int depth = 0;
    while (value != nullptr && value->ChildCount() > 0) {
        ++depth;
        const TlkJSONbase* child = value->ChildAt(0);
        if (const auto* pair = dynamic_cast<const TlkJSONobjectmethod*>(child)) {
            child = pair->MemberValue();
        }
        value = child;
    }
    return depth;
}

TEST(ParseNestingTest, ListsUpToTheLimitParse) {
    auto value = TlkJSON::ParseDocument(NestedLists(TlkJSON::kMaxNestingDepth));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(DepthOf(value.get()), TlkJSON::kMaxNestingDepth);
}

TEST(ParseNestingTest, ObjectsUpToTheLimitParse) {
    auto value = TlkJSON::ParseDocument(NestedObjects(TlkJSON::kMaxNestingDepth));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(DepthOf(value.get()), TlkJSON::kMaxNestingDepth);
}

TEST(ParseNestingTest, OneLevelPastTheLimitFails) {
    EXPECT_EQ(TlkJSON::ParseDocument(NestedLists(TlkJSON::kMaxNestingDepth + 1)), nullptr);
    EXPECT_EQ(TlkJSON::ParseDocument(NestedObjects(TlkJSON::kMaxNestingDepth + 1)), nullptr);
    // Mixed containers count together.
    std::string mixed;
    for (int i = 0; i <= TlkJSON::kMaxNestingDepth; ++i) {
        mixed += (i % 2) ? "{\"k\":" : "[";
    }
    EXPECT_EQ(TlkJSON::ParseDocument(mixed), nullptr);
}

TEST(ParseNestingTest, SiblingsDoNotAddUp) {
    // Depth is how deep the containers are open at once, not how many there are.
    std::string text = "[";
    for (int i = 0; i < 2 * TlkJSON::kMaxNestingDepth; ++i) {
        text += NestedLists(TlkJSON::kMaxNestingDepth - 1) + ",";
    }
    text += "]";
    auto value = TlkJSON::ParseDocument(text);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->ChildCount(), 2 * TlkJSON::kMaxNestingDepth);
}

TEST(ParseNestingTest, HostileDepthFailsWithoutCrashing) {
    // Unbounded recursion would overflow the stack long before a million levels.
    EXPECT_EQ(TlkJSON::ParseDocument(std::string(1'000'000, '[')), nullptr);
    EXPECT_EQ(TlkJSON::ParseDocument(NestedObjects(200'000)), nullptr);
}

}  // namespace
}  // namespace tarnwick::json
