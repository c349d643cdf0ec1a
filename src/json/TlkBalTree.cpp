#include "json/TlkBalTree.h"

namespace tarnwick {

TlkBalTree::TlkBalTree() : root_(&sentinel_) {
    sentinel_.LeftNode = &sentinel_;
    sentinel_.RightNode = &sentinel_;
    sentinel_.Level = 0;
}

TlkBalTree::~TlkBalTree() {
    ClearKeys();
}

bool TlkBalTree::InsertKey(std::u16string_view key, std::int32_t position) {
    return Insert(root_, key, position);
}

std::int32_t TlkBalTree::FindKey(std::u16string_view key) const {
    const TlkBalNode* node = root_;
    while (node != &sentinel_) {
        // u16string_view compares char16_t, an unsigned type: code units in unsigned order.
        const int order = key.compare(node->KeyText);
        if (order == 0) {
            return node->Position;
        }
        node = order < 0 ? node->LeftNode : node->RightNode;
    }
    return kNotFound;
}

void TlkBalTree::ClearKeys() {
    FreeSubtree(root_);
    root_ = &sentinel_;
}

bool TlkBalTree::Insert(TlkBalNode*& link, std::u16string_view key, std::int32_t position) {
    if (link == &sentinel_) {
        link = new TlkBalNode{&sentinel_, &sentinel_, kNewNodeLevel, position, std::u16string(key)};
        return true;
    }
    const int order = key.compare(link->KeyText);
    if (order == 0) {
        return false;
    }
    const bool inserted = Insert(order < 0 ? link->LeftNode : link->RightNode, key, position);
    Skew(link);
    Split(link);
    return inserted;
}

// A left child on the same level is a horizontal left link, which AA trees forbid: rotate right.
void TlkBalTree::Skew(TlkBalNode*& link) {
    TlkBalNode* node = link;
    TlkBalNode* left = node->LeftNode;
    if (node == &sentinel_ || left->Level != node->Level) {
        return;
    }
    node->LeftNode = left->RightNode;
    left->RightNode = node;
    link = left;
}

// Two horizontal right links in a row: rotate left and lift the middle node one level.
void TlkBalTree::Split(TlkBalNode*& link) {
    TlkBalNode* node = link;
    TlkBalNode* right = node->RightNode;
    if (node == &sentinel_ || right->RightNode->Level != node->Level) {
        return;
    }
    node->RightNode = right->LeftNode;
    right->LeftNode = node;
    ++right->Level;
    link = right;
}

void TlkBalTree::FreeSubtree(TlkBalNode* node) {
    // The depth is logarithmic in the number of keys, so recursion stays shallow.
    if (node == &sentinel_) {
        return;
    }
    FreeSubtree(node->LeftNode);
    FreeSubtree(node->RightNode);
    delete node;
}

}  // namespace tarnwick
