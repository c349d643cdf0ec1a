// TLineStore: compact storage for the editor's lines and their TLineProp records.
// A line is a view into a loaded file buffer (kept alive here) or its own copy; records live
// in a pool and are found through the line's slot, so indexes always stay aligned.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

#include "editor/LineProp.h"

namespace tarnwick::editor {

class TLineStore {
  public:
    TLineStore() = default;
    ~TLineStore();
    // Lines point into buffers this store owns; a copy would share or double-free them.
    TLineStore(const TLineStore&) = delete;
    TLineStore& operator=(const TLineStore&) = delete;

    int Count() const { return static_cast<int>(fSlots.size()); }
    std::string_view View(int index) const {
        const Slot& s = fSlots[static_cast<size_t>(index)];
        return {s.data, s.length};
    }

    // Keeps a whole loaded text alive; AppendView may then point into it.
    const char* AdoptBuffer(std::unique_ptr<char[]> buffer);
    void AppendView(const char* data, size_t length);
    void Reserve(size_t lines) { fSlots.reserve(lines); }

    void Insert(int index, std::string_view text);
    void Replace(int index, std::string_view text);
    void Erase(int index);
    // Removes every line, record and buffer.
    void Clear();

    // The record of a line, or nullptr when the line has none.
    TLineProp* Record(int index);
    const TLineProp* Record(int index) const;
    // The record of a line, created when the line has none.
    TLineProp& EnsureRecord(int index);
    // Drops every record; the lines stay, now without records.
    void FreeAllRecords();

  private:
    static constexpr uint32_t kOwnedBit = 0x80000000u;
    static constexpr uint32_t kNoRecord = 0x7FFFFFFFu;
    struct Slot {
        const char* data = nullptr;
        uint32_t length = 0;
        uint32_t bits = kNoRecord;  // record index, plus kOwnedBit when data is our own copy
    };
    static Slot MakeOwned(std::string_view text, uint32_t record);
    static void Release(Slot& slot);
    void FreeRecord(Slot& slot);

    std::vector<Slot> fSlots;
    std::vector<std::unique_ptr<char[]>> fBuffers;
    std::deque<TLineProp> fRecords;
    std::vector<uint32_t> fFreeRecords;
};

}  // namespace tarnwick::editor
