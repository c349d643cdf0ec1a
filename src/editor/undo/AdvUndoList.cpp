#include "editor/undo/AdvUndoList.h"

#include <algorithm>

#include "editor/control/AdvCustomMemo.h"

namespace tarnwick::editor {

bool TUndo::Merge(TUndo&) {
    return false;
}

void TUndo::UndoAction() {
    Editor->ReplaySteps(Steps, false);
    Editor->LinesChanged();
}

void TUndo::RedoAction() {
    Editor->ReplaySteps(Steps, true);
    Editor->LinesChanged();
}

void TGroupUndo::Append(std::vector<TEditStep> steps) {
    AppendSteps(Steps, std::move(steps));
}

void TGroupUndo::UndoAction() {
    Editor->CollapseSelection();
    TUndo::UndoAction();
}

void TGroupUndo::RedoAction() {
    Editor->CollapseSelection();
    TUndo::RedoAction();
}

TAdvUndoList::TGroup::TGroup(TAdvUndoList& list, TTextPos caretBefore)
    : fList(list),
      fRecord(std::make_unique<TGroupUndo>(list.fEditor, caretBefore, caretBefore, "")) {
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

void TAdvUndoList::UndoRecord(TUndo& record) {
    fEditor->SetCaretLine(record.CaretAfter.Y);
    fEditor->SetCaretColumn(record.CaretAfter.X);
    record.UndoAction();
    fEditor->SetCaretLine(record.CaretBefore.Y);
    fEditor->SetCaretColumn(record.CaretBefore.X);
}

void TAdvUndoList::RedoRecord(TUndo& record) {
    fEditor->SetCaretLine(record.CaretBefore.Y);
    fEditor->SetCaretColumn(record.CaretBefore.X);
    record.RedoAction();
    fEditor->SetCaretLine(record.CaretAfter.Y);
    fEditor->SetCaretColumn(record.CaretAfter.X);
}

void TAdvUndoList::Undo() {
    if (!CanUndo()) {
        return;
    }
    {
        const TReplayScope replay = ReplayScope();
        UndoRecord(Item(fPosition));
        if (Item(fPosition).Linked && fPosition + 1 < Count()) {
            ++fPosition;
            UndoRecord(Item(fPosition));
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
        RedoRecord(Item(fPosition));
        if (fPosition > 0 && Item(fPosition - 1).Linked) {
            --fPosition;
            RedoRecord(Item(fPosition));
        }
    }
    Changed();
    fEditor->Invalidate();
}

void TAdvUndoList::Changed() {
    if (OnUndoChange) {
        OnUndoChange(CanUndo(), CanRedo());
    }
}

}  // namespace tarnwick::editor
