#include "editor/document/LineLengthTracker.h"

namespace tarnwick::editor {

uint32_t& TLineLengthTracker::Slot(int32_t length) {
    if (length < kFlatLimit) {
        if (fFlat.empty()) {
            fFlat.assign(kFlatLimit, 0);
        }
        return fFlat[static_cast<size_t>(length)];
    }
    return fLong[length];
}

void TLineLengthTracker::Add(int32_t length) {
    if (length < 0) {
        length = 0;
    }
    ++Slot(length);
    ++fLines;
    if (length > fLongest) {
        fLongest = length;
    }
}

void TLineLengthTracker::Remove(int32_t length) {
    if (length < 0) {
        length = 0;
    }
    if (length >= kFlatLimit) {
        auto it = fLong.find(length);
        if (it == fLong.end()) {
            return;
        }
        if (--it->second == 0) {
            fLong.erase(it);
        }
    } else {
        if (fFlat.empty() || fFlat[static_cast<size_t>(length)] == 0) {
            return;
        }
        --fFlat[static_cast<size_t>(length)];
    }
    --fLines;
    if (length == fLongest) {
        FindLongestBelow(length);
    }
}

void TLineLengthTracker::FindLongestBelow(int32_t length) {
    if (!fLong.empty()) {
        fLongest = fLong.rbegin()->first;
        return;
    }
    int32_t l = length < kFlatLimit ? length : kFlatLimit - 1;
    while (l > 0 && (fFlat.empty() || fFlat[static_cast<size_t>(l)] == 0)) {
        --l;
    }
    fLongest = l;
}

void TLineLengthTracker::Clear() {
    fFlat.clear();
    fLong.clear();
    fLongest = 0;
    fLines = 0;
}

}  // namespace tarnwick::editor
