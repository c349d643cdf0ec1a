// TLineStore: compact storage for the editor's lines and their TLineProp records.
// A line is a view into a loaded file buffer (kept alive here) or its own copy; records live
// in a pool and are found through the line's slot, so indexes always stay aligned.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "editor/LineProp.h"
#include "editor/TextBuffer.h"

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
    const char* AdoptBuffer(TTextBuffer buffer);
    void AppendView(const char* data, size_t length);
    // Room for this many more lines and records, so a bulk load never regrows.
    void Reserve(size_t lines);

    void Insert(int index, std::string_view text);
    // Inserts copies of texts as lines index, index + 1, ... with one shift of the lines after.
    void InsertRange(int index, const std::vector<std::string_view>& texts);
    void Replace(int index, std::string_view text);
    void Erase(int index);
    // Removes count lines from first on with one shift of the lines after.
    void EraseRange(int first, int count);
    // Removes every line, record and buffer.
    void Clear();
    // Exchanges the whole content with another store (lines, records and buffers).
    void Swap(TLineStore& other) noexcept;

    // Whether the line has a record. A record reads as all defaults until a field is written;
    // its storage is only taken then (most lines of a large file are never touched).
    bool HasRecord(int index) const {
        return (fSlots[static_cast<size_t>(index)].bits & kRecordBit) != 0;
    }
    // Gives the line a record (with default values) if it has none; costs no storage.
    void MarkRecord(int index) { fSlots[static_cast<size_t>(index)].bits |= kRecordBit; }
    // The record of a line for reading, or nullptr when the line has none.
    const TLineProp* Record(int index) const;
    // The record of a line for writing, or nullptr when the line has none.
    TLineProp* Record(int index);
    // The record for writing only if its storage exists already (else it holds defaults).
    TLineProp* StoredRecord(int index);
    // The record of a line for writing, created when the line has none.
    TLineProp& EnsureRecord(int index);
    // Drops every record; the lines stay, now without records.
    void FreeAllRecords();

  private:
    static constexpr uint32_t kOwnedBit = 0x80000000u;   // data is our own copy
    static constexpr uint32_t kRecordBit = 0x40000000u;  // the line has a record
    static constexpr uint32_t kIndexMask = 0x3FFFFFFFu;
    static constexpr uint32_t kNoRecord = kIndexMask;  // no storage for the record yet
    struct Slot {
        const char* data = nullptr;
        uint32_t length = 0;
        uint32_t bits = kNoRecord;  // storage index of the record, plus the two flags
    };
    static uint32_t IndexOf(const Slot& s) { return s.bits & kIndexMask; }
    static Slot MakeOwned(std::string_view text, uint32_t record);
    static void Release(Slot& slot);
    void FreeRecord(Slot& slot);

    std::vector<Slot> fSlots;
    // Records live in fixed chunks, so their addresses never move while lines come and go.
    static constexpr uint32_t kChunkShift = 8;  // small: the first record of a line costs little
    static constexpr uint32_t kChunkSize = 1u << kChunkShift;
    TLineProp& RecordAt(uint32_t r) { return fChunks[r >> kChunkShift][r & (kChunkSize - 1)]; }
    const TLineProp& RecordAt(uint32_t r) const {
        return fChunks[r >> kChunkShift][r & (kChunkSize - 1)];
    }
    uint32_t NewRecord();

    std::vector<TTextBuffer> fBuffers;
    std::vector<std::unique_ptr<TLineProp[]>> fChunks;
    uint32_t fRecordCount = 0;  // records handed out from the chunks so far
    std::vector<uint32_t> fFreeRecords;
};

}  // namespace tarnwick::editor
