// ILinesObserver: what the editor's line list tells the editor that owns it. The list calls
// these at fixed points of its operations and reads nothing else of the editor; the editor
// answers through the list's public operations. With an observer the list keeps at least one
// line: deleting the only line empties it. Without an observer the list is a plain list.
#pragma once

namespace tarnwick::editor {

class ILinesObserver {
  public:
    virtual ~ILinesObserver() = default;

    // The number of spaces each tab of incoming text becomes.
    virtual int TabSize() const = 0;
    // Line index was replaced (Put).
    virtual void LineChanged(int index) = 0;
    // An Insert begins; then each line it inserts is reported; then the Insert is over.
    virtual void LinesInserting() = 0;
    virtual void LineInserted(int index) = 0;
    virtual void LinesInserted() = 0;
    // Delete(index) of a line in range: line index is about to go (the editor records the
    // removal as its delete-line operation does); the list then removes it itself, or empties
    // it when it is the only line, and reports that it is gone.
    virtual void LineDeleting(int index) = 0;
    virtual void LineDeleted(int index) = 0;
    // Clear is about to remove every line.
    virtual void LinesClearing() = 0;
    // A bulk copy (Assign, AddStrings) is about to replace or extend the lines, and is over.
    virtual void BulkCopyStarting() = 0;
    virtual void BulkCopyFinished() = 0;
    // A load begins (the editor goes quiet and resets), ended with or without a new text.
    virtual void LoadStarting() = 0;
    virtual void LoadEnded(bool loaded) = 0;
    // Per-line states changed without a text change (the marks after a save).
    virtual void LineStatesChanged() = 0;
};

}  // namespace tarnwick::editor
