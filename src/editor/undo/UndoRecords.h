// The kinds of undo records the editor writes. Each keeps the caret before and after its step
// and the step's text as the editing operation describes it, plus the exact edit steps that
// undo and redo put back. Insertions and character deletions merge with the record before
// them when the caret has not moved between the two. Undo and redo raise the events of the
// operations a record stands for (UndoReplay.h).
#pragma once

#include "editor/undo/AdvUndoList.h"

namespace tarnwick::editor {

// Typed text, the spaces of a Tab, and Enter with its indent (text: CR and the indent).
// Undone as one Backspace per character, redone as the characters typed again.
class TInsertCharUndo : public TUndo {
  public:
    using TUndo::TUndo;
    bool Merge(TUndo& next) override;
    void UndoAction(TUndoTarget& target) override;
    void RedoAction(TUndoTarget& target) override;
};

// Enter when the editor records line by line.
class TNewLineUndo : public TInsertCharUndo {
  public:
    using TInsertCharUndo::TInsertCharUndo;
};

// A character typed over another in overwrite mode; Text is the replaced character.
class TOverwriteCharUndo : public TUndo {
  public:
    using TUndo::TUndo;
};

// A character removed by Delete or Backspace (Text: the character, or CR for a joined line).
// Undone as its characters typed back, redone as one Delete or Backspace per character.
class TDeleteCharUndo : public TUndo {
  public:
    TDeleteCharUndo(TTextPos before, TTextPos after, std::string text, bool backspace)
        : TUndo(before, after, std::move(text)), Backspace(backspace) {}
    bool Merge(TUndo& next) override;
    void UndoAction(TUndoTarget& target) override;
    void RedoAction(TUndoTarget& target) override;
    bool Backspace;
};

// A line removed by DeleteCaretLine; Text is the removed line.
class TDeleteLineUndo : public TUndo {
  public:
    using TUndo::TUndo;
    void RedoAction(TUndoTarget& target) override;
};

// The line a text was removed from or inserted into, cut where that happened: Prefix before
// the text, Suffix after it. The lines with the text are rebuilt from it when needed instead
// of being kept twice.
struct TLineCut {
    int Line = 0;
    std::string Prefix;
    std::string Suffix;

    // The line without the text.
    TTextSpan Joined() const;
    // The lines with text (its own line breaks at offsets breaks) between the two parts.
    TTextSpan Around(const std::string& text, const std::vector<size_t>& breaks) const;
};

// Base of the records that keep a selection range.
class TSelUndo : public TUndo {
  public:
    TSelUndo(TTextPos before, TTextPos after, std::string text, TTextPos start, TTextPos end)
        : TUndo(before, after, std::move(text)), RangeStart(start), RangeEnd(end) {}
    TTextPos RangeStart;
    TTextPos RangeEnd;
};

// A deleted selection; Text is exactly the removed text, the range where it was. The lines it
// spanned are Cut around Text (broken at TextBreaks). Steps holds what followed the removal
// (trimmed trailing spaces).
class TDeleteBufUndo : public TSelUndo {
  public:
    using TSelUndo::TSelUndo;
    // Puts the text back and selects it again.
    void UndoAction(TUndoTarget& target) override;
    void RedoAction(TUndoTarget& target) override;
    // The removal and the steps after it.
    std::vector<TEditStep> AllSteps() const override;

    TLineCut Cut;
    std::vector<size_t> TextBreaks;
};

// Text inserted at the caret; Text as passed in, Linked when a selection was removed first.
// Inserted (tabs expanded) went into Cut.
class TPasteUndo : public TUndo {
  public:
    using TUndo::TUndo;
    void UndoAction(TUndoTarget& target) override;
    void RedoAction(TUndoTarget& target) override;
    std::vector<TEditStep> AllSteps() const override;

    TLineCut Cut;
    TTextSpan Inserted;
};

// A switch between insert and overwrite mode; positions are (0, 0).
class TInsertOverwriteUndo : public TUndo {
  public:
    explicit TInsertOverwriteUndo(bool modeBefore) : TUndo({}, {}, {}), ModeBefore(modeBefore) {}
    void UndoAction(TUndoTarget& target) override;
    void RedoAction(TUndoTarget& target) override;
    bool ModeBefore;
};

// Lines first..last indented by Delta (unindented when negative); positions are (0, 0).
class TIndentUndo : public TUndo {
  public:
    TIndentUndo(int first, int last, int delta)
        : TUndo({}, {}, {}), FirstLine(first), LastLine(last), Delta(delta) {}
    void UndoAction(TUndoTarget& target) override;
    void RedoAction(TUndoTarget& target) override;
    int FirstLine;
    int LastLine;
    int Delta;
};

// A line replaced by a checker; Text is the line's previous content, CaretAfter.Y the line.
class TCorrectUndo : public TUndo {
  public:
    using TUndo::TUndo;
};

}  // namespace tarnwick::editor
