// TAdvCustomMemo: the toolkit-free editor control. It owns its line list and undo list,
// refers to a styler, and keeps the caret (always on an existing line once there are lines),
// the selection ends and the first visible line and column. The host widget paints and feeds
// input through it. Its code is split by concern: document glue, styler, caret, selection,
// clipboard, typing, deleting, undo, view, highlighting.
#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/AdvMemoStrings.h"
#include "editor/AdvUndoList.h"
#include "editor/Colors.h"
#include "editor/EditSettings.h"
#include "editor/HighlightState.h"
#include "editor/LineTokenizer.h"
#include "editor/MemoFreeNotification.h"
#include "editor/StartStateScanner.h"
#include "editor/TextPos.h"

namespace tarnwick {
class Clipboard;
}

namespace tarnwick::editor {

class TAdvCustomMemoStyler;

class TAdvCustomMemo {
  public:
    using TNotifyEvent = std::function<void(TAdvCustomMemo&)>;
    static constexpr int kDefaultTabSize = 4;
    static constexpr int kBookmarkCount = 10;
    static constexpr int kNoLine = -1;

    TAdvCustomMemo();
    virtual ~TAdvCustomMemo();
    // The line list and the styler point back at this object; it cannot be copied or moved.
    TAdvCustomMemo(const TAdvCustomMemo&) = delete;
    TAdvCustomMemo& operator=(const TAdvCustomMemo&) = delete;

    // --- Document (AdvMemoDocument.cpp)
    TAdvMemoStrings& Lines() { return *fLines; }
    const TAdvMemoStrings& Lines() const { return *fLines; }
    // The line list's change handler: while the notify switch is on it raises OnChange,
    // recomputes LongestLineLength, keeps the caret in view and repaints.
    void LinesChanged();
    bool NotifyEnabled() const { return fNotify; }
    void SetNotifyEnabled(bool on) { fNotify = on; }
    int LongestLineLength() const { return fLongestLineLength; }
    int TabSize() const { return fTabSize; }
    void SetTabSize(int size) { fTabSize = size; }
    TColor BkColor() const { return fBkColor; }
    void SetBkColor(TColor color);
    int FoldedRegionCount() const { return fFoldedRegionCount; }
    int Bookmark(int i) const { return fBookmarks.at(static_cast<size_t>(i)); }
    void SetBookmark(int i, int line) { fBookmarks.at(static_cast<size_t>(i)) = line; }
    TAdvUndoList& UndoList() { return fUndoList; }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;

    // --- Styler (AdvMemoStyler.cpp)
    TAdvCustomMemoStyler* SyntaxStyles() const { return fSyntaxStyles; }
    void SetSyntaxStyles(TAdvCustomMemoStyler* styler);
    bool UseStyler() const { return fUseStyler; }
    void SetUseStyler(bool use);
    bool CaseSensitive() const { return fCaseSensitive; }
    void SetCaseSensitive(bool caseSensitive) { fCaseSensitive = caseSensitive; }
    // Space, double quote, apostrophe, comma, semicolon, and the styler's symbol and bracket
    // characters while it is in use.
    bool IsDelimiterChar(char c) const;
    // Called by a styler this editor refers to when the styler is destroyed.
    void StylerDestroyed(TAdvCustomMemoStyler& styler);

    // --- Caret and selection (AdvMemoCaret.cpp)
    int CurX() const { return fCurX; }
    int CurY() const { return fCurY; }
    void SetCaretColumn(int column);
    void SetCaretLine(int line);
    TTextPos SelectionAnchor() const { return fAnchor; }
    TTextPos SelectionActiveEnd() const { return fActiveEnd; }
    TTextPos FollowPoint() const { return fFollowPoint; }
    bool HasSelection() const { return fAnchor != fActiveEnd; }
    TTextPos SelectionStart() const { return fAnchor < fActiveEnd ? fAnchor : fActiveEnd; }
    TTextPos SelectionEnd() const { return fAnchor < fActiveEnd ? fActiveEnd : fAnchor; }
    // Sets both ends without moving the caret or raising events.
    void SetSelectionEnds(TTextPos anchor, TTextPos activeEnd);
    void CollapseSelection();
    void KeepCaretVisible();
    bool AutoExpand() const { return fAutoExpand; }
    void SetAutoExpand(bool on) { fAutoExpand = on; }
    bool TrimTrailingSpaces() const { return fTrimTrailingSpaces; }
    void SetTrimTrailingSpaces(bool on) { fTrimTrailingSpaces = on; }

    // --- View (AdvMemoView.cpp)
    int FirstVisibleLine() const { return fFirstVisibleLine; }
    int FirstVisibleColumn() const { return fFirstVisibleColumn; }
    // Moves the view without scrolling rules (the view following the caret).
    void SetFirstVisibleLine(int line) { fFirstVisibleLine = line; }
    void SetFirstVisibleColumn(int column) { fFirstVisibleColumn = column; }
    // The text area in whole character cells, set by the host when its size or font changes.
    void SetTextAreaCells(int columns, int rows);
    int VisibleColumns() const { return fVisibleColumns; }
    int VisibleRows() const { return fVisibleRows; }
    int LastVisibleColumn() const { return fFirstVisibleColumn + fVisibleColumns - 1; }
    int LastVisibleLine() const { return fFirstVisibleLine + fVisibleRows - 1; }
    // Asks the host to repaint; counted so that tests can see it.
    void Invalidate();
    int InvalidateCount() const { return fInvalidateCount; }
    std::function<void()> OnInvalidate;

    // --- Editing settings and events (AdvMemoSettings.cpp)
    TEditSettings& Settings() { return fSettings; }
    const TEditSettings& Settings() const { return fSettings; }
    bool ReadOnly() const { return fSettings.ReadOnly; }
    void SetReadOnly(bool on) { fSettings.ReadOnly = on; }
    // Clamped to 1..100; a different limit empties the undo list.
    int UndoLimit() const { return fUndoList.Capacity(); }
    void SetUndoLimit(int limit) { fUndoList.SetCapacity(limit); }
    bool Overwrite() const { return fOverwrite; }
    void SetOverwrite(bool on) { fOverwrite = on; }
    // The clipboard of the editor's own clipboard commands; the installed one when none is set.
    void SetClipboard(Clipboard* clipboard) { fClipboard = clipboard; }
    Clipboard* ActiveClipboard() const;
    // The caret's cell in the view (column, row) and its size in pixels for a line height.
    TTextPos CaretCell() const;
    static constexpr int kCaretWidth = 2;
    static int CaretHeight(int lineHeight) { return lineHeight - 2; }
    // Hooks of the completion aids and the block match; they do nothing (beyond the cursor
    // event the block match raises) until those features exist.
    void RefreshParameterHint() {}
    void UpdateBlockMatch();
    void RaiseSelectionChange();

    TNotifyEvent OnStatusChange;
    TNotifyEvent OnCursorChange;
    std::function<void(TAdvCustomMemo&, int column)> OnColumnChange;
    std::function<void(TAdvCustomMemo&, TClipboardAction, bool& allow)> OnClipboardAction;
    std::function<void(TAdvCustomMemo&, bool& allow)> OnOverwriteToggle;

    // --- Selection (AdvMemoSelection.cpp)
    void ExtendSelection();
    void SelectAllText();
    // The selected text, lines joined by CR LF; SelectionLength is its length in characters.
    std::string SelectedText() const;
    int SelectionLength() const;
    // Removes the selection; whether something was removed.
    bool DeleteSelectedText(bool repaint);
    // Replaces the selection by text at the caret.
    void InsertAtCaret(const std::string& text);

    // --- Clipboard commands (AdvMemoClipboard.cpp); ask: OnClipboardAction is asked first.
    void CopySelection(bool ask = true);
    void CutSelection(bool ask = true);
    void PasteClipboard(bool ask = true);

    // --- Typing (AdvMemoTyping.cpp)
    static constexpr char32_t kTab = U'\t';
    // A typed printable character (code 32 or above, not DEL).
    void AcceptTypedCharacter(char32_t ch);
    void TypeCharacter(char32_t ch);
    void TypeTab(TShiftState shift);
    // Tab and Shift+Tab: indents a block of selected lines, else TypeTab.
    void TabKey(TShiftState shift);
    void IndentLines(int first, int last, bool record, int delta);
    void BreakLine();
    void ToggleOverwrite();
    // LineModState 1 on the caret line, without OnChange.
    void MarkCaretLine();

    // --- Deleting (AdvMemoEditing.cpp)
    void DeleteForward();
    void DeleteForward(TTextPos before);
    void DeleteBackward();
    void DeleteWordBackward();
    // Removes the caret line (empties it when it is the only one) and records the removal.
    void DeleteCaretLine();

    // --- Undo (AdvMemoUndo.cpp)
    void Undo() { fUndoList.Undo(); }
    void Redo() { fUndoList.Redo(); }
    bool CanUndo() const { return fUndoList.CanUndo(); }
    bool CanRedo() const { return fUndoList.CanRedo(); }
    // The AutoIndent setting, for the undo list to switch off while it replays.
    bool& AutoIndentSwitch() { return fSettings.AutoIndent; }
    // Takes edit steps back (in reverse order) or does them again, notifications off.
    void ReplaySteps(const std::vector<TEditStep>& steps, bool forward);
    // Replays steps that remove the selection, with the events of DeleteSelectedText; the
    // caret ends at caret.
    void ReplayDeletion(const std::vector<TEditStep>& steps, bool forward, TTextPos caret);

    // --- Components referring to this editor, told when it is destroyed.
    void AddFreeNotification(TMemoFreeNotification* component) {
        fFreeNotifications.Add(component);
    }
    void RemoveFreeNotification(TMemoFreeNotification* component) {
        fFreeNotifications.Remove(component);
    }
    // Set while a find and replace dialog searches this editor: the selection stays painted
    // while the focus is in the dialog.
    bool FindDialogOpen() const { return fFindDialogOpen; }
    void SetFindDialogOpen(bool open) {
        fFindDialogOpen = open;
        Invalidate();
    }

    // --- Highlighting (AdvMemoHighlight.cpp)
    std::string HighlightText;
    bool UrlAware = false;
    // The Symbols of all stSymbol element styles; rebuilt with every start-state scan.
    const std::string& Delimiters() const { return fDelimiters; }
    // The state at the start of line n, found by the start-state scanner.
    HighlightState StartStateOfLine(int n);
    // The state at the start of FirstVisibleLine, remembered until dropped.
    HighlightState FirstVisibleLineStartState();
    void DropRememberedStartState() { fRememberedLine = kNoLine; }
    int RememberedStartStateLine() const { return fRememberedLine; }
    // Per-line cached start states from line a to line b (either order, both included).
    void InvalidateStartStateCaches(int a, int b);
    void InvalidateAllStartStateCaches();
    // Moves the top line as the scroll bar, wheel and page keys do: the caches passed over
    // are dropped. The line is limited to 0..count-1.
    void ScrollFirstVisibleLine(int line);
    // Prepares the tokenizer for one paint (sets and delimiters from styler and settings).
    void PrepareHighlighting();
    // Tokenizes one line's text; the returned state is the next line's start state.
    HighlightState TokenizeLine(std::string_view text, HighlightState state,
                                IHighlightRunSink& sink) const;

  private:
    friend class TAdvMemoStrings;

    // The caret as a byte position of its line (clamped to the line's end).
    size_t CaretByte() const;
    // Adds a record with the given step.
    void AddRecord(std::unique_ptr<TUndo> record, TEditStep step);
    bool DeleteForwardFrom(TTextPos before, bool backspace);
    void MoveCaretLeft();

    // Caret, selection and view back to the start, as loading and clearing do.
    void ResetCaretAndSelection();
    // Resets the editor for a bulk copy into the line list: caret, selection, view, records.
    void ResetForBulkCopy();
    void RebuildDelimiters();
    // Installs or removes LinesChanged as the line list's OnChange.
    void AttachLinesChanged();
    void DetachLinesChanged();

    std::unique_ptr<TAdvMemoStrings> fLines;
    TAdvUndoList fUndoList{this};
    TEditSettings fSettings;
    bool fOverwrite = false;
    Clipboard* fClipboard = nullptr;
    bool fNotify = true;
    int fLongestLineLength = 0;
    int fTabSize = kDefaultTabSize;
    TColor fBkColor = kClWhite;
    int fFoldedRegionCount = 0;
    std::array<int, kBookmarkCount> fBookmarks;

    TAdvCustomMemoStyler* fSyntaxStyles = nullptr;
    bool fUseStyler = false;
    bool fCaseSensitive = false;

    int fCurX = 0;
    int fCurY = 0;
    TTextPos fAnchor;
    TTextPos fActiveEnd;
    TTextPos fFollowPoint;
    bool fAutoExpand = true;
    bool fTrimTrailingSpaces = false;

    int fFirstVisibleLine = 0;
    int fFirstVisibleColumn = 0;
    int fVisibleColumns = 0;
    int fVisibleRows = 0;
    int fInvalidateCount = 0;

    std::string fDelimiters;
    int fRememberedLine = kNoLine;
    HighlightState fRememberedState;
    TStartStateScanner fScanner;
    TLineTokenizer fTokenizer;
    bool fFindDialogOpen = false;
    // Last, so the components hear of the destruction before any other part goes.
    TMemoFreeNotifications fFreeNotifications{*this};
};

}  // namespace tarnwick::editor
