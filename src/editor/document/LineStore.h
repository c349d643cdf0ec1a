// TLineStore: compact storage for the editor's lines and their TLineProp records.
// A line is a view into a loaded file buffer (kept alive here) or its own copy; records live
// in a pool and are found through the line's slot, so indexes always stay aligned. A line read
// from a file also remembers its bytes there and the break that followed, so that saving can
// write every line the user did not touch back exactly as it was read.
// Every change of the lines advances Version(); a short record of the latest replacements lets
// a cache keyed on a line and a version learn how much of the line's front is still the same.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "editor/document/LineBreak.h"
#include "editor/document/LineProp.h"
#include "editor/document/TextBuffer.h"

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
    // A line read from a file whose text is its bytes there, followed in the file by brk.
    void AppendView(const char* data, size_t length, TLineBreak brk = TLineBreak::None);
    // A line read from a file whose text differs from its bytes there (raw, in an adopted
    // buffer): its tabs were expanded into text, a copy the store keeps.
    void AppendExpanded(std::string_view text, const char* raw, size_t rawLength, TLineBreak brk);

    // What a line was in the file it was read from.
    struct Origin {
        bool FromFile = false;   // read from a file; false for a line inserted since
        bool Untouched = false;  // its text is still what its file bytes read as
        std::string_view Raw;    // its bytes in the file, without the break
        TLineBreak Break = TLineBreak::None;
    };
    Origin OriginOf(int index) const;
    // Whether text is what line index read as from its file (each tab as tabSize spaces).
    bool IsFileText(int index, std::string_view text, int tabSize) const;
    // Room for this many more lines and records, so a bulk load never regrows.
    void Reserve(size_t lines);

    void Insert(int index, std::string_view text);
    // Inserts copies of texts as lines index, index + 1, ... with one shift of the lines after.
    void InsertRange(int index, const std::vector<std::string_view>& texts);
    // Replaces the text of a line. untouched says the new text is what the line read as from
    // its file (IsFileText), so it is written back as its file bytes again.
    // samePrefix: how many leading bytes text shares with the line's current text (0: none
    // claimed); it is reported by UnchangedPrefix. sameSuffix: the same for trailing bytes
    // (UnchangedSuffix); a claim reaching into the claimed prefix is cut down.
    void Replace(int index, std::string_view text, bool untouched = false, size_t samePrefix = 0,
                 size_t sameSuffix = 0);
    // Replaces count bytes of line index from byte at on (both within the line) by inserted.
    // A long line is edited where it lies when its copy has room, and a new copy gets room to
    // grow, so typing in a line of many megabytes moves its tail instead of copying it whole.
    void Splice(int index, size_t at, size_t count, std::string_view inserted);
    // Points a line whose text reads as its file text again (IsFileText) back at its file bytes.
    void MarkUntouched(int index);
    void Erase(int index);
    // Removes count lines from first on with one shift of the lines after.
    void EraseRange(int first, int count);
    // Removes every line, record and buffer.
    void Clear();
    // Exchanges the whole content with another store (lines, records and buffers).
    void Swap(TLineStore& other) noexcept;

    // Advances on every change of the lines (never on record changes).
    uint64_t Version() const { return fVersion; }
    // How many leading bytes of line index are certainly the same as they were at version
    // since: kWholeLine when the line was not changed since, 0 when lines were inserted or
    // removed since or the record of replacements does not reach back that far.
    static constexpr size_t kWholeLine = static_cast<size_t>(-1);
    size_t UnchangedPrefix(int index, uint64_t since) const;
    // The same for the line's last bytes (they may have moved: bytes before them changed).
    size_t UnchangedSuffix(int index, uint64_t since) const;

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
    // Slot::origin: the line came from a file, still reads as it did there, had a tab there;
    // the low two bits hold the TLineBreak that followed it.
    static constexpr uint8_t kFromFile = 0x80;
    static constexpr uint8_t kUntouched = 0x40;
    static constexpr uint8_t kRawTabs = 0x20;
    static constexpr uint8_t kBreakMask = 0x03;
    struct Slot {
        const char* data = nullptr;
        uint32_t length = 0;
        uint32_t bits = kNoRecord;  // storage index of the record, plus the two flags
        const char* raw = nullptr;  // the line's bytes in its file (in an adopted buffer)
        uint32_t rawLength = 0;
        uint8_t origin = 0;
        bool roomy = false;  // an owned copy with room to grow (Splice): see RoomyCapacity
    };
    static uint32_t IndexOf(const Slot& s) { return s.bits & kIndexMask; }
    static Slot MakeOwned(std::string_view text, uint32_t record);
    // A roomy copy keeps its capacity in a header in front of its bytes.
    static constexpr size_t kRoomyHeader = alignof(std::max_align_t);
    static size_t RoomyCapacity(const Slot& s);
    // Fills s (an empty owned slot) with a roomy copy of before + inserted + after.
    static void MakeRoomy(Slot& s, std::string_view before, std::string_view inserted,
                          std::string_view after);
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

    // A change other than a replacement: line indexes may have moved.
    void Restructured() { fStructureVersion = ++fVersion; }

    struct Edit {
        uint64_t version = 0;
        int index = -1;
        size_t samePrefix = 0;
        size_t sameSuffix = 0;
    };
    // The smallest claim of the replacements of line index since version since (kWholeLine:
    // none; 0: unknown).
    size_t UnchangedSince(int index, uint64_t since, size_t Edit::*claim) const;
    static constexpr size_t kEditRecords = 32;
    uint64_t fVersion = 1;
    uint64_t fStructureVersion = 1;
    std::array<Edit, kEditRecords> fEdits{};  // the latest replacements, by version modulo size

    std::vector<TTextBuffer> fBuffers;
    std::vector<std::unique_ptr<TLineProp[]>> fChunks;
    uint32_t fRecordCount = 0;  // records handed out from the chunks so far
    std::vector<uint32_t> fFreeRecords;
};

}  // namespace tarnwick::editor
