// The notifications of undo and redo. Records restore the text from their exact steps, byte for
// byte; these functions move the caret and raise OnChange and OnSelectionChange as the editing
// operations a record stands for do: one Backspace, Delete, typed character or Enter per
// character of its text, or the one InsertAtCaret it was written by. Listeners thus see the
// same calls, in the same order, as for those operations, whatever the steps had to restore.
#pragma once

#include <string_view>
#include <vector>

#include "editor/document/EditSpan.h"
#include "editor/document/TextPos.h"
#include "editor/undo/UndoTarget.h"

namespace tarnwick::editor {

// count Backspaces (the caret one position left, then the removal) or, with backward false,
// count Deletes at the caret: each collapses the selection and raises OnChange once. The caret
// walks over the text as it stands, which still holds what is removed; the steps (done again
// when forward, else taken back) replace it just before the last OnChange.
void ReplayDeletes(TUndoTarget& target, const std::vector<TEditStep>& steps, bool forward,
                   int count, bool backward);

// The characters of text typed at the caret into a text that already holds them: a CR is an
// Enter (down a line to column 0, OnChange), any other character a typed one (one column right,
// no OnChange). With returnTo set the caret goes there before every character, as a run of
// Deletes is typed back; markBreaks marks the caret line after every Enter.
void ReplayTyping(TUndoTarget& target, std::string_view text, const TTextPos* returnTo,
                  bool markBreaks);

// InsertAtCaret(text) at the caret, the steps putting the text in: OnChange for the line's
// write (and the rest line's insertion when the text breaks lines), the caret to end, OnChange
// at the completion. No selection is removed: the caller collapsed it.
void ReplayInsertion(TUndoTarget& target, const std::vector<TEditStep>& steps, bool forward,
                     std::string_view text, TTextPos end);

// Whether InsertAtCaret breaks lines at text: it holds a CR LF pair, or LFs that become pairs.
bool InsertBreaksLines(std::string_view text);

}  // namespace tarnwick::editor
