#include "editor/document/LineStore.h"

#include "platform/MemoryAdvice.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace tarnwick::editor {

TLineStore::~TLineStore() {
    for (Slot& s : fSlots) {
        Release(s);
    }
}

TLineStore::Slot TLineStore::MakeOwned(std::string_view text, uint32_t record) {
    if (text.size() > kOwnedBit - 1) {
        throw std::length_error("line too long");
    }
    Slot s;
    s.length = static_cast<uint32_t>(text.size());
    s.bits = record;
    if (!text.empty()) {
        char* copy = new char[text.size()];
        std::memcpy(copy, text.data(), text.size());
        s.data = copy;
        s.bits |= kOwnedBit;
    }
    return s;
}

size_t TLineStore::RoomyCapacity(const Slot& s) {
    size_t capacity = 0;
    std::memcpy(&capacity, s.data - kRoomyHeader, sizeof capacity);
    return capacity;
}

void TLineStore::MakeRoomy(Slot& s, std::string_view before, std::string_view inserted,
                           std::string_view after) {
    const size_t length = before.size() + inserted.size() + after.size();
    if (length > kOwnedBit - 1) {
        throw std::length_error("line too long");
    }
    // An eighth more than needed: a run of typing grows the copy in place.
    const size_t capacity = length + length / 8 + 64;
    char* block = new char[kRoomyHeader + capacity];
    std::memcpy(block, &capacity, sizeof capacity);
    char* data = block + kRoomyHeader;
    size_t at = 0;
    for (const std::string_view piece : {before, inserted, after}) {
        if (!piece.empty()) {  // an empty piece may have no data at all
            std::memcpy(data + at, piece.data(), piece.size());
            at += piece.size();
        }
    }
    s.data = data;
    s.length = static_cast<uint32_t>(length);
    s.bits |= kOwnedBit;
    s.roomy = true;
}

void TLineStore::Release(Slot& slot) {
    if ((slot.bits & kOwnedBit) != 0) {
        delete[](slot.roomy ? slot.data - kRoomyHeader : slot.data);
        slot.bits &= ~kOwnedBit;
    }
    slot.roomy = false;
    slot.data = nullptr;
    slot.length = 0;
}

const char* TLineStore::AdoptBuffer(TTextBuffer buffer) {
    fBuffers.push_back(std::move(buffer));
    return fBuffers.back().Data();
}

void TLineStore::Reserve(size_t lines) {
    platform::ReserveAdvised(fSlots, fSlots.size() + lines);
}

uint32_t TLineStore::NewRecord() {
    if (!fFreeRecords.empty()) {
        const uint32_t r = fFreeRecords.back();
        fFreeRecords.pop_back();
        return r;
    }
    if (fRecordCount >= kNoRecord) {
        throw std::length_error("too many line records");
    }
    if ((fRecordCount >> kChunkShift) >= fChunks.size()) {
        fChunks.push_back(std::make_unique<TLineProp[]>(kChunkSize));
    }
    return fRecordCount++;
}

void TLineStore::AppendView(const char* data, size_t length, TLineBreak brk) {
    Restructured();
    if (length > kOwnedBit - 1) {
        throw std::length_error("line too long");
    }
    Slot s;
    s.data = length == 0 ? nullptr : data;
    s.length = static_cast<uint32_t>(length);
    s.raw = s.data;
    s.rawLength = s.length;
    s.origin = static_cast<uint8_t>(kFromFile | kUntouched | static_cast<uint8_t>(brk));
    fSlots.push_back(s);
}

void TLineStore::AppendExpanded(std::string_view text, const char* raw, size_t rawLength,
                                TLineBreak brk) {
    Restructured();
    if (rawLength > kOwnedBit - 1) {
        throw std::length_error("line too long");
    }
    Slot s = MakeOwned(text, kNoRecord);
    s.raw = raw;
    s.rawLength = static_cast<uint32_t>(rawLength);
    s.origin = static_cast<uint8_t>(kFromFile | kUntouched | kRawTabs | static_cast<uint8_t>(brk));
    try {
        fSlots.push_back(s);
    } catch (...) {
        Release(s);
        throw;
    }
}

TLineStore::Origin TLineStore::OriginOf(int index) const {
    const Slot& s = fSlots[static_cast<size_t>(index)];
    Origin o;
    if ((s.origin & kFromFile) != 0) {
        o.FromFile = true;
        o.Untouched = (s.origin & kUntouched) != 0;
        o.Raw = std::string_view(s.raw, s.rawLength);
        o.Break = static_cast<TLineBreak>(s.origin & kBreakMask);
    }
    return o;
}

bool TLineStore::IsFileText(int index, std::string_view text, int tabSize) const {
    const Slot& s = fSlots[static_cast<size_t>(index)];
    if ((s.origin & kFromFile) == 0) {
        return false;
    }
    std::string_view raw(s.raw, s.rawLength);
    if ((s.origin & kRawTabs) == 0) {
        return text == raw;
    }
    // Compared piece by piece between the tabs, each tab against tabSize spaces.
    const auto spaces = static_cast<size_t>(std::max(tabSize, 0));
    for (;;) {
        const size_t tab = raw.find('\t');
        const std::string_view piece = raw.substr(0, tab);
        if (text.substr(0, piece.size()) != piece) {
            return false;
        }
        text.remove_prefix(piece.size());
        if (tab == std::string_view::npos) {
            return text.empty();
        }
        if (text.size() < spaces ||
            text.substr(0, spaces).find_first_not_of(' ') != std::string_view::npos) {
            return false;
        }
        text.remove_prefix(spaces);
        raw.remove_prefix(tab + 1);
    }
}

void TLineStore::Insert(int index, std::string_view text) {
    Restructured();
    Slot s = MakeOwned(text, kNoRecord);
    try {
        platform::MakeRoomAdvised(fSlots, 1);
        fSlots.insert(fSlots.begin() + index, s);
    } catch (...) {
        Release(s);
        throw;
    }
}

void TLineStore::InsertRange(int index, const std::vector<std::string_view>& texts) {
    Restructured();
    std::vector<Slot> added;
    added.reserve(texts.size());
    try {
        for (std::string_view text : texts) {
            added.push_back(MakeOwned(text, kNoRecord));
        }
        platform::MakeRoomAdvised(fSlots, added.size());
        fSlots.insert(fSlots.begin() + index, added.begin(), added.end());
    } catch (...) {
        for (Slot& s : added) {
            Release(s);
        }
        throw;
    }
}

void TLineStore::Replace(int index, std::string_view text, bool untouched, size_t samePrefix,
                         size_t sameSuffix) {
    Slot& old = fSlots[static_cast<size_t>(index)];
    ++fVersion;
    const size_t prefix = std::min({samePrefix, text.size(), size_t{old.length}});
    const size_t suffix = std::min({sameSuffix, text.size() - prefix, size_t{old.length} - prefix});
    fEdits[fVersion % kEditRecords] = {fVersion, index, prefix, suffix};
    Slot s;
    if (untouched && (old.origin & kRawTabs) == 0) {
        // The file's bytes are the text again: point at them instead of keeping a copy.
        s.data = old.rawLength == 0 ? nullptr : old.raw;
        s.length = old.rawLength;
        s.bits = old.bits & ~kOwnedBit;
    } else {
        s = MakeOwned(text, old.bits & ~kOwnedBit);
    }
    s.raw = old.raw;
    s.rawLength = old.rawLength;
    s.origin = static_cast<uint8_t>(untouched ? old.origin | kUntouched : old.origin & ~kUntouched);
    Release(old);
    old = s;
}

void TLineStore::Splice(int index, size_t at, size_t count, std::string_view inserted) {
    Slot& s = fSlots[static_cast<size_t>(index)];
    at = std::min(at, size_t{s.length});
    count = std::min(count, s.length - at);
    const size_t length = s.length - count + inserted.size();
    if (length > kOwnedBit - 1) {
        throw std::length_error("line too long");
    }
    ++fVersion;
    fEdits[fVersion % kEditRecords] = {fVersion, index, at, s.length - at - count};
    s.origin = static_cast<uint8_t>(s.origin & ~kUntouched);
    if (s.roomy && RoomyCapacity(s) >= length) {
        char* data = const_cast<char*>(s.data);  // our own copy
        std::memmove(data + at + inserted.size(), data + at + count, s.length - at - count);
        if (!inserted.empty()) {
            std::memcpy(data + at, inserted.data(), inserted.size());
        }
        s.length = static_cast<uint32_t>(length);
        return;
    }
    const std::string_view text(s.data, s.length);
    Slot copy;
    copy.bits = s.bits & ~kOwnedBit;
    MakeRoomy(copy, text.substr(0, at), inserted, text.substr(at + count));
    copy.raw = s.raw;
    copy.rawLength = s.rawLength;
    copy.origin = s.origin;
    Release(s);
    s = copy;
}

void TLineStore::MarkUntouched(int index) {
    Slot& s = fSlots[static_cast<size_t>(index)];
    s.origin = static_cast<uint8_t>(s.origin | kUntouched);
    if ((s.origin & kRawTabs) == 0 && (s.origin & kFromFile) != 0) {
        const uint32_t bits = s.bits & ~kOwnedBit;
        Release(s);
        s.data = s.rawLength == 0 ? nullptr : s.raw;
        s.length = s.rawLength;
        s.bits = bits;
    }
}

size_t TLineStore::UnchangedPrefix(int index, uint64_t since) const {
    return UnchangedSince(index, since, &Edit::samePrefix);
}

size_t TLineStore::UnchangedSuffix(int index, uint64_t since) const {
    return UnchangedSince(index, since, &Edit::sameSuffix);
}

size_t TLineStore::UnchangedSince(int index, uint64_t since, size_t Edit::*claim) const {
    if (since >= fVersion) {
        return kWholeLine;
    }
    if (fStructureVersion > since || fVersion - since > kEditRecords) {
        return 0;
    }
    size_t prefix = kWholeLine;
    for (uint64_t v = since + 1; v <= fVersion; ++v) {
        const Edit& e = fEdits[v % kEditRecords];
        if (e.version != v) {
            return 0;
        }
        if (e.index == index) {
            prefix = std::min(prefix, e.*claim);
        }
    }
    return prefix;
}

void TLineStore::Erase(int index) {
    Restructured();
    Slot& s = fSlots[static_cast<size_t>(index)];
    FreeRecord(s);
    Release(s);
    fSlots.erase(fSlots.begin() + index);
}

void TLineStore::EraseRange(int first, int count) {
    Restructured();
    const auto from = fSlots.begin() + first;
    for (auto it = from; it != from + count; ++it) {
        FreeRecord(*it);
        Release(*it);
    }
    fSlots.erase(from, from + count);
}

void TLineStore::Clear() {
    Restructured();
    for (Slot& s : fSlots) {
        Release(s);
    }
    fSlots.clear();
    fSlots.shrink_to_fit();
    fBuffers.clear();
    fChunks.clear();
    fRecordCount = 0;
    fFreeRecords.clear();
}

void TLineStore::Swap(TLineStore& other) noexcept {
    Restructured();
    other.Restructured();
    fSlots.swap(other.fSlots);
    fBuffers.swap(other.fBuffers);
    fChunks.swap(other.fChunks);
    std::swap(fRecordCount, other.fRecordCount);
    fFreeRecords.swap(other.fFreeRecords);
}

const TLineProp* TLineStore::Record(int index) const {
    static const TLineProp kDefaults;
    const Slot& s = fSlots[static_cast<size_t>(index)];
    if ((s.bits & kRecordBit) == 0) {
        return nullptr;
    }
    return IndexOf(s) == kNoRecord ? &kDefaults : &RecordAt(IndexOf(s));
}

TLineProp* TLineStore::Record(int index) {
    return HasRecord(index) ? &EnsureRecord(index) : nullptr;
}

TLineProp* TLineStore::StoredRecord(int index) {
    const uint32_t r = IndexOf(fSlots[static_cast<size_t>(index)]);
    return r == kNoRecord ? nullptr : &RecordAt(r);
}

TLineProp& TLineStore::EnsureRecord(int index) {
    Slot& s = fSlots[static_cast<size_t>(index)];
    s.bits |= kRecordBit;
    uint32_t r = IndexOf(s);
    if (r != kNoRecord) {
        return RecordAt(r);
    }
    r = NewRecord();
    s.bits = (s.bits & ~kIndexMask) | r;
    return RecordAt(r);
}

void TLineStore::FreeRecord(Slot& slot) {
    const uint32_t r = IndexOf(slot);
    slot.bits = (slot.bits & kOwnedBit) | kNoRecord;
    if (r != kNoRecord) {
        RecordAt(r) = TLineProp{};
        fFreeRecords.push_back(r);
    }
}

void TLineStore::FreeAllRecords() {
    for (Slot& s : fSlots) {
        s.bits = (s.bits & kOwnedBit) | kNoRecord;
    }
    fChunks.clear();
    fRecordCount = 0;
    fFreeRecords.clear();
}

}  // namespace tarnwick::editor
