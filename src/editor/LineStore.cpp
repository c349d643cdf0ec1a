#include "editor/LineStore.h"

#include <cstring>
#include <stdexcept>

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

void TLineStore::Release(Slot& slot) {
    if ((slot.bits & kOwnedBit) != 0) {
        delete[] slot.data;
        slot.bits &= ~kOwnedBit;
    }
    slot.data = nullptr;
    slot.length = 0;
}

const char* TLineStore::AdoptBuffer(std::unique_ptr<char[]> buffer) {
    fBuffers.push_back(std::move(buffer));
    return fBuffers.back().get();
}

void TLineStore::AppendView(const char* data, size_t length) {
    if (length > kOwnedBit - 1) {
        throw std::length_error("line too long");
    }
    Slot s;
    s.data = length == 0 ? nullptr : data;
    s.length = static_cast<uint32_t>(length);
    fSlots.push_back(s);
}

void TLineStore::Insert(int index, std::string_view text) {
    Slot s = MakeOwned(text, kNoRecord);
    try {
        fSlots.insert(fSlots.begin() + index, s);
    } catch (...) {
        Release(s);
        throw;
    }
}

void TLineStore::Replace(int index, std::string_view text) {
    Slot& old = fSlots[static_cast<size_t>(index)];
    Slot s = MakeOwned(text, old.bits & ~kOwnedBit);
    Release(old);
    old = s;
}

void TLineStore::Erase(int index) {
    Slot& s = fSlots[static_cast<size_t>(index)];
    FreeRecord(s);
    Release(s);
    fSlots.erase(fSlots.begin() + index);
}

void TLineStore::Clear() {
    for (Slot& s : fSlots) {
        Release(s);
    }
    fSlots.clear();
    fSlots.shrink_to_fit();
    fBuffers.clear();
    fRecords.clear();
    fFreeRecords.clear();
}

TLineProp* TLineStore::Record(int index) {
    const uint32_t r = fSlots[static_cast<size_t>(index)].bits & ~kOwnedBit;
    return r == kNoRecord ? nullptr : &fRecords[r];
}

const TLineProp* TLineStore::Record(int index) const {
    const uint32_t r = fSlots[static_cast<size_t>(index)].bits & ~kOwnedBit;
    return r == kNoRecord ? nullptr : &fRecords[r];
}

TLineProp& TLineStore::EnsureRecord(int index) {
    Slot& s = fSlots[static_cast<size_t>(index)];
    uint32_t r = s.bits & ~kOwnedBit;
    if (r != kNoRecord) {
        return fRecords[r];
    }
    if (!fFreeRecords.empty()) {
        r = fFreeRecords.back();
        fFreeRecords.pop_back();
    } else {
        if (fRecords.size() >= kNoRecord) {
            throw std::length_error("too many line records");
        }
        fRecords.emplace_back();
        r = static_cast<uint32_t>(fRecords.size() - 1);
    }
    s.bits = (s.bits & kOwnedBit) | r;
    return fRecords[r];
}

void TLineStore::FreeRecord(Slot& slot) {
    const uint32_t r = slot.bits & ~kOwnedBit;
    if (r == kNoRecord) {
        return;
    }
    fRecords[r] = TLineProp{};
    fFreeRecords.push_back(r);
    slot.bits = (slot.bits & kOwnedBit) | kNoRecord;
}

void TLineStore::FreeAllRecords() {
    for (Slot& s : fSlots) {
        s.bits = (s.bits & kOwnedBit) | kNoRecord;
    }
    fRecords.clear();
    fFreeRecords.clear();
}

}  // namespace tarnwick::editor
