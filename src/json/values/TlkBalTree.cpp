#include "json/values/TlkBalTree.h"

namespace tarnwick::json {

TlkBalTree::TlkBalTree() : fRoot(&fSentinel) {
    fSentinel.LeftNode = &fSentinel;
    fSentinel.RightNode = &fSentinel;
    fSentinel.Level = 0;
}

TlkBalTree::~TlkBalTree() {
    ClearKeys();
}

bool TlkBalTree::InsertKey(std::u16string_view key, std::int32_t position) {
    return Insert(fRoot, key, position);
}

std::int32_t TlkBalTree::FindKey(std::u16string_view key) const {
    const TlkBalNode* node = fRoot;
    while (node != &fSentinel) {
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
    FreeSubtree(fRoot);
    fRoot = &fSentinel;
}

bool TlkBalTree::Insert(TlkBalNode*& link, std::u16string_view key, std::int32_t position) {
    if (link == &fSentinel) {
        link = new TlkBalNode{&fSentinel, &fSentinel, kNewNodeLevel, position, std::u16string(key)};
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
    if (node == &fSentinel || left->Level != node->Level) {
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
    if (node == &fSentinel || right->RightNode->Level != node->Level) {
        return;
    }
    node->RightNode = right->LeftNode;
    right->LeftNode = node;
    ++right->Level;
    link = right;
}

void TlkBalTree::FreeSubtree(TlkBalNode* node) {
    // The depth is logarithmic in the number of keys, so recursion stays shallow.
    if (node == &fSentinel) {
        return;
    }
    FreeSubtree(node->LeftNode);
    FreeSubtree(node->RightNode);
    delete node;
}

}  // namespace tarnwick::json
