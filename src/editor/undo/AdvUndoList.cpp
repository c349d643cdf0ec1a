#include "editor/undo/AdvUndoList.h"

#include <algorithm>

namespace tarnwick::editor {

bool TUndo::Merge(TUndo&) {
    return false;
}

void TUndo::UndoAction(TUndoTarget& target) {
    target.ReplaySteps(Steps, false);
    target.LinesChanged();
}

void TUndo::RedoAction(TUndoTarget& target) {
    target.ReplaySteps(Steps, true);
    target.LinesChanged();
}

void TGroupUndo::Append(std::vector<TEditStep> steps) {
    AppendSteps(Steps, std::move(steps));
}

void TGroupUndo::UndoAction(TUndoTarget& target) {
    target.CollapseSelection();
    TUndo::UndoAction(target);
}

void TGroupUndo::RedoAction(TUndoTarget& target) {
    target.CollapseSelection();
    TUndo::RedoAction(target);
}

TAdvUndoList::TGroup::TGroup(TAdvUndoList& list, TTextPos caretBefore)
    : fList(list), fRecord(std::make_unique<TGroupUndo>(caretBefore, caretBefore, "")) {
    if (fList.fGroup == nullptr) {
        fList.fGroup = this;
    }
}

TAdvUndoList::TGroup::~TGroup() {
    if (fList.fGroup != this) {
        return;  // nested in another group, which took every record
    }
    fList.fGroup = nullptr;
    if (fAnything) {
        fList.Add(std::move(fRecord));
    }
}

void TAdvUndoList::Add(std::unique_ptr<TUndo> record) {
    if (fReplaying || !record) {
        return;
    }
    if (fGroup != nullptr) {
        fGroup->fRecord->Append(record->AllSteps());
        fGroup->fAnything = true;
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

void TAdvUndoList::PlayRecord(TUndo& record, bool forward) {
    const TTextPos from = forward ? record.CaretBefore : record.CaretAfter;
    const TTextPos to = forward ? record.CaretAfter : record.CaretBefore;
    fTarget.SetCaretLine(from.Y);
    fTarget.SetCaretColumn(from.X);
    if (forward) {
        record.RedoAction(fTarget);
    } else {
        record.UndoAction(fTarget);
    }
    fTarget.SetCaretLine(to.Y);
    fTarget.SetCaretColumn(to.X);
}

void TAdvUndoList::Undo() {
    if (!CanUndo()) {
        return;
    }
    {
        const TReplayScope replay = ReplayScope();
        PlayRecord(Item(fPosition), false);
        if (Item(fPosition).Linked && fPosition + 1 < Count()) {
            ++fPosition;
            PlayRecord(Item(fPosition), false);
        }
        ++fPosition;
    }
    Changed();
}

void TAdvUndoList::Redo() {
    if (!CanRedo()) {
        return;
    }
    {
        const TReplayScope replay = ReplayScope();
        --fPosition;
        PlayRecord(Item(fPosition), true);
        if (fPosition > 0 && Item(fPosition - 1).Linked) {
            --fPosition;
            PlayRecord(Item(fPosition), true);
        }
    }
    Changed();
    fTarget.Invalidate();
}

void TAdvUndoList::Changed() {
    if (OnUndoChange) {
        OnUndoChange(CanUndo(), CanRedo());
    }
}

}  // namespace tarnwick::editor
