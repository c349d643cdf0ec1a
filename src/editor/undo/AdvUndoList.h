// TAdvUndoList: the editor's bounded list of undo records, newest first, with the undo depth
// (position). While replaying it discards every record offered, so replaying an edit never
// records that edit again. TUndo is the base of the record kinds (UndoRecords.h).
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/document/EditSpan.h"
#include "editor/document/TextPos.h"
#include "editor/undo/ReplayScope.h"
#include "editor/undo/UndoTarget.h"

namespace tarnwick::editor {

// Base of the undo records: caret before and after the step, its text, and whether it forms
// one step with its older neighbour. Steps holds exactly what the step changed, in the order
// it changed it; undo takes the steps back in reverse order, redo does them again.
class TUndo {
  public:
    TUndo(TTextPos before, TTextPos after, std::string text)
        : CaretBefore(before), CaretAfter(after), Text(std::move(text)) {}
    virtual ~TUndo() = default;
    TUndo(const TUndo&) = delete;
    TUndo& operator=(const TUndo&) = delete;

    // Offered the next record; returns whether this record absorbed it. The base absorbs nothing.
    virtual bool Merge(TUndo& next);
    // Run with the caret at CaretAfter (undo) or CaretBefore (redo); the list moves the caret.
    // The record acts on target only.
    virtual void UndoAction(TUndoTarget& target);
    virtual void RedoAction(TUndoTarget& target);
    // Every edit step of the record, in the order it did them.
    virtual std::vector<TEditStep> AllSteps() const { return Steps; }

    TTextPos CaretBefore;
    TTextPos CaretAfter;
    std::string Text;
    bool Linked = false;
    std::vector<TEditStep> Steps;
};

// Many edits recorded as one step (TAdvUndoList::TGroup): their edit steps, a run of changes
// to one line joined into one step (AppendSteps), so it holds each changed line twice at most.
class TGroupUndo : public TUndo {
  public:
    using TUndo::TUndo;
    void Append(std::vector<TEditStep> steps);
    void UndoAction(TUndoTarget& target) override;
    void RedoAction(TUndoTarget& target) override;
};

class TAdvUndoList {
  public:
    static constexpr int kMaxCapacity = 100;
    static constexpr int kMinCapacity = 1;
    using TUndoChangeEvent = std::function<void(bool canUndo, bool canRedo)>;

    // The records act on target, whose automatic indent is off while a replay scope is open.
    explicit TAdvUndoList(TUndoTarget& target) : fTarget(target) {}

    // Takes the record unless replaying; drops undone records first, merges when the newest
    // record absorbs it, and drops the oldest beyond the capacity.
    void Add(std::unique_ptr<TUndo> record);
    void Clear();
    // One step back or forward (a linked pair counts as one step); nothing when impossible.
    void Undo();
    void Redo();

    int Count() const { return static_cast<int>(fRecords.size()); }
    // Newest first: index 0 is the newest record.
    TUndo& Item(int index) { return *fRecords.at(static_cast<size_t>(index)); }
    int Position() const { return fPosition; }
    bool CanUndo() const { return fPosition < Count(); }
    bool CanRedo() const { return fPosition > 0; }
    int Capacity() const { return fCapacity; }
    // Clamped to 1..100; a different capacity empties the list.
    void SetCapacity(int capacity);
    bool Replaying() const { return fReplaying; }
    // Opens the replay scope: until the returned guard goes out of scope the list takes no
    // records and the editor's automatic indent is off.
    TReplayScope ReplayScope() { return TReplayScope(fReplaying, fTarget); }

    // While a group is open every record added goes into one record, which is added to the
    // list when the group closes: one undo takes all of it back, whatever the capacity.
    class TGroup {
      public:
        TGroup(TAdvUndoList& list, TTextPos caretBefore);
        ~TGroup();
        TGroup(const TGroup&) = delete;
        TGroup& operator=(const TGroup&) = delete;
        // Where the caret stands once the grouped edits are done (redo puts it there).
        void SetCaretAfter(TTextPos after) { fRecord->CaretAfter = after; }

      private:
        TAdvUndoList& fList;
        std::unique_ptr<TGroupUndo> fRecord;
        bool fAnything = false;
        friend class TAdvUndoList;
    };
    // Set while the editor is destroyed: Clear then raises nothing.
    void SetDestroying() { fDestroying = true; }

    TUndoChangeEvent OnUndoChange;

  private:
    void Changed();
    // The replay frame: caret to one end, the record's undo (forward false) or redo, caret to
    // the other end.
    void PlayRecord(TUndo& record, bool forward);

    TUndoTarget& fTarget;
    TGroup* fGroup = nullptr;
    std::deque<std::unique_ptr<TUndo>> fRecords;
    int fPosition = 0;
    int fCapacity = kMaxCapacity;
    bool fReplaying = false;
    bool fDestroying = false;
};

}  // namespace tarnwick::editor
