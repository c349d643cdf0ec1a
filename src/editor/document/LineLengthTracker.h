// TLineLengthTracker: a count of lines per length, so that the longest length follows every
// change in (nearly) constant time instead of a pass over all lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace tarnwick::editor {

class TLineLengthTracker {
  public:
    void Add(int32_t length);
    void Remove(int32_t length);
    void Clear();
    // The largest length added and not removed; 0 when empty.
    int32_t Longest() const { return fLongest; }
    int64_t Lines() const { return fLines; }

  private:
    // Lengths below this limit are counted in a flat array, longer ones in a map.
    static constexpr int32_t kFlatLimit = 1 << 16;
    uint32_t& Slot(int32_t length);
    void FindLongestBelow(int32_t length);

    std::vector<uint32_t> fFlat;
    std::map<int32_t, uint32_t> fLong;
    int32_t fLongest = 0;
    int64_t fLines = 0;
};

}  // namespace tarnwick::editor
