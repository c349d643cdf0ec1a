#include "json/values/TlkBalTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace tarnwick::json {
namespace {

// Checks the AA invariants below `node` and collects its keys in order. Gives the number of
// violations found (each one also reported), so a failure says where the tree went wrong.
struct AaChecker {
    const TlkBalNode* sentinel;
    std::vector<std::u16string> keys;
    int height = 0;

    void Walk(const TlkBalNode* node, int depth) {
        if (node == sentinel) {
            height = std::max(height, depth);
            return;
        }
        const TlkBalNode* left = node->LeftNode;
        const TlkBalNode* right = node->RightNode;
        EXPECT_GE(node->Level, 1);
        if (left == sentinel && right == sentinel) {
            EXPECT_EQ(node->Level, 1) << "a leaf is on level 1";
        }
        EXPECT_EQ(left->Level + 1, node->Level) << "a left child is one level down";
        EXPECT_TRUE(right->Level == node->Level || right->Level + 1 == node->Level)
            << "a right child is on the same level or one down";
        EXPECT_LT(right->RightNode->Level, node->Level) << "no two horizontal right links";
        if (node->Level > 1) {
            EXPECT_TRUE(left != sentinel && right != sentinel) << "inner nodes have two children";
        }
        Walk(left, depth + 1);
        keys.push_back(node->KeyText);
        Walk(right, depth + 1);
    }
};

AaChecker Check(const TlkBalTree& tree) {
    AaChecker checker{tree.Sentinel(), {}};
    const TlkBalNode* sentinel = tree.Sentinel();
    EXPECT_EQ(sentinel->Level, 0);
    EXPECT_EQ(sentinel->LeftNode, sentinel);
    EXPECT_EQ(sentinel->RightNode, sentinel);
    checker.Walk(tree.RootNode(), 0);
    EXPECT_TRUE(std::is_sorted(checker.keys.begin(), checker.keys.end()));
    return checker;
}

std::u16string KeyOf(int n) {
    std::u16string key = u"k";
    for (char c : std::to_string(n)) {
        key.push_back(static_cast<char16_t>(c));
    }
    return key;
}

TEST(TlkBalTreeTest, EmptyTreeIsTheSentinel) {
    TlkBalTree tree;
    EXPECT_EQ(tree.RootNode(), tree.Sentinel());
    EXPECT_EQ(tree.FindKey(u""), TlkBalTree::kNotFound);
    EXPECT_EQ(tree.FindKey(u"a"), TlkBalTree::kNotFound);
}

TEST(TlkBalTreeTest, StaysBalancedOverManyInserts) {
    const int count = 3000;
    std::vector<int> ascending(count);
    for (int i = 0; i < count; ++i) {
        ascending[i] = i;
    }
    std::vector<int> descending(ascending.rbegin(), ascending.rend());
    std::vector<int> shuffled = ascending;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(20261209));

    for (const auto* order : {&ascending, &descending, &shuffled}) {
        TlkBalTree tree;
        for (std::size_t i = 0; i < order->size(); ++i) {
            ASSERT_TRUE(tree.InsertKey(KeyOf((*order)[i]), (*order)[i]));
            if (i % 250 == 0) {
                Check(tree);
            }
        }
        const AaChecker checker = Check(tree);
        EXPECT_EQ(checker.keys.size(), static_cast<std::size_t>(count));
        // An AA tree is no deeper than twice the depth of a perfect tree.
        EXPECT_LE(checker.height, 2 * static_cast<int>(std::ceil(std::log2(count + 1))));
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(tree.FindKey(KeyOf(i)), i);
        }
        EXPECT_EQ(tree.FindKey(u"k"), TlkBalTree::kNotFound);
        EXPECT_EQ(tree.FindKey(KeyOf(count)), TlkBalTree::kNotFound);
    }
}

TEST(TlkBalTreeTest, FirstPositionOfAKeyWins) {
    TlkBalTree tree;
    EXPECT_TRUE(tree.InsertKey(u"a", 0));
    EXPECT_TRUE(tree.InsertKey(u"b", 1));
    EXPECT_FALSE(tree.InsertKey(u"a", 2));
    EXPECT_EQ(tree.FindKey(u"a"), 0);
    EXPECT_EQ(Check(tree).keys.size(), 2u);
}

TEST(TlkBalTreeTest, KeysAreOrderedByUnsignedCodeUnits) {
    TlkBalTree tree;
    const std::u16string keys[] = {u"\uFFFF",
                                   u"z",
                                   u"\u00E9",
                                   u"ab",
                                   u"a",
                                   u"",
                                   u"A",
                                   std::u16string(1, char16_t(0xD800)),
                                   std::u16string(u"a\0", 2)};
    int position = 0;
    for (const auto& key : keys) {
        EXPECT_TRUE(tree.InsertKey(key, position++));
    }
    const std::vector<std::u16string> expected = {
        u"",      u"A", u"a",      std::u16string(u"a\0", 2),
        u"ab",    u"z", u"\u00E9", std::u16string(1, char16_t(0xD800)),
        u"\uFFFF"};
    EXPECT_EQ(Check(tree).keys, expected);
    EXPECT_EQ(tree.FindKey(u"A"), 6);
    EXPECT_EQ(tree.FindKey(u"a"), 4);
    EXPECT_EQ(tree.FindKey(std::u16string(u"a\0", 2)), 8);
}

TEST(TlkBalTreeTest, ClearKeysEmptiesTheTreeForReuse) {
    TlkBalTree tree;
    for (int i = 0; i < 100; ++i) {
        tree.InsertKey(KeyOf(i), i);
    }
    tree.ClearKeys();
    EXPECT_EQ(tree.RootNode(), tree.Sentinel());
    EXPECT_EQ(tree.FindKey(KeyOf(5)), TlkBalTree::kNotFound);
    EXPECT_TRUE(tree.InsertKey(KeyOf(5), 42));
    EXPECT_EQ(tree.FindKey(KeyOf(5)), 42);
    Check(tree);
}

}  // namespace
}  // namespace tarnwick::json
