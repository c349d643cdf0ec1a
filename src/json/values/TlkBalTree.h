// The key index of a JSON object: an AA tree mapping a member name to its position in the
// object's items. Keys are unique and ordered by unsigned UTF-16 code units (a prefix first);
// the tree keeps the AA invariants after every insertion, so lookups take logarithmic time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick::json {

struct TlkBalNode {
    TlkBalNode* LeftNode = nullptr;   // smaller keys
    TlkBalNode* RightNode = nullptr;  // greater keys
    std::uint8_t Level = 0;           // AA level; 1 for a new node, 0 only for the sentinel
    std::int32_t Position = 0;        // the member's position in the object's items
    std::u16string KeyText;           // the member name
};

class TlkBalTree {
  public:
    static constexpr std::uint8_t kNewNodeLevel = 1;
    static constexpr std::int32_t kNotFound = -1;

    TlkBalTree();
    ~TlkBalTree();
    // The sentinel's links point at itself, so the tree can be neither copied nor moved.
    TlkBalTree(const TlkBalTree&) = delete;
    TlkBalTree& operator=(const TlkBalTree&) = delete;

    // Stores the key with its position and gives true; gives false, changing nothing, when the
    // key is already present (the first position stored for a key wins).
    bool InsertKey(std::u16string_view key, std::int32_t position);
    // The stored position of the key, or kNotFound.
    std::int32_t FindKey(std::u16string_view key) const;
    // Frees every node; the tree is empty afterwards.
    void ClearKeys();

    // The structure, for walking the tree: absent links point at Sentinel().
    const TlkBalNode* RootNode() const { return fRoot; }
    const TlkBalNode* Sentinel() const { return &fSentinel; }

  private:
    bool Insert(TlkBalNode*& link, std::u16string_view key, std::int32_t position);
    void Skew(TlkBalNode*& link);
    void Split(TlkBalNode*& link);
    void FreeSubtree(TlkBalNode* node);

    TlkBalNode fSentinel;
    TlkBalNode* fRoot;
};

}  // namespace tarnwick::json
