#include "editor/AdvUndoList.h"

#include <algorithm>

namespace tarnwick::editor {

bool TUndo::Merge(TUndo&) {
    return false;
}

void TAdvUndoList::Add(std::unique_ptr<TUndo> record) {
    if (fReplaying || !record) {
        return;
    }
    while (fPosition > 0 && !fRecords.empty()) {
        fRecords.pop_front();
        --fPosition;
    }
    fPosition = 0;
    if (fRecords.empty() || !fRecords.front()->Merge(*record)) {
        fRecords.push_front(std::move(record));
        if (Count() > fCapacity) {
            fRecords.pop_back();
        }
    }
    Changed();
}

void TAdvUndoList::Clear() {
    fRecords.clear();
    fPosition = 0;
    if (!fDestroying) {
        Changed();
    }
}

void TAdvUndoList::SetCapacity(int capacity) {
    capacity = std::clamp(capacity, kMinCapacity, kMaxCapacity);
    if (capacity != fCapacity) {
        fCapacity = capacity;
        Clear();
    }
}

void TAdvUndoList::Changed() {
    if (OnUndoChange) {
        OnUndoChange(CanUndo(), CanRedo());
    }
}

}  // namespace tarnwick::editor
