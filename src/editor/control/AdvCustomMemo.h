// TAdvCustomMemo: the toolkit-free editor control. It owns its line list, undo list, painting
// settings, view (metrics, visible cells, scroll bars, top line) and renderer, refers to a
// styler, and keeps the caret (always on an existing line once there are lines) and the
// selection ends. A host hands it plain input through the entry points and paints through
// Paint. Its code is split by concern: document glue, styler, caret and selection, editing
// settings, selection, clipboard, typing, deleting, undo, input, view, highlighting.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/blockmatch/AdvMemoBlockMatch.h"
#include "editor/control/EditSettings.h"
#include "editor/control/MemoBlockMatchSource.h"
#include "editor/control/MemoFreeNotification.h"
#include "editor/control/MemoPaintSource.h"
#include "editor/control/MemoUndoTarget.h"
#include "editor/control/ScopedValue.h"
#include "editor/control/UILanguage.h"
#include "editor/document/AdvMemoStrings.h"
#include "editor/document/LinesObserver.h"
#include "editor/document/TextPos.h"
#include "editor/highlight/HighlightState.h"
#include "editor/highlight/LineTokenCache.h"
#include "editor/highlight/LineTokenizer.h"
#include "editor/highlight/StartStateScanner.h"
#include "editor/highlight/StyledEditor.h"
#include "editor/input/AdvMemoContextMenu.h"
#include "editor/input/AdvMemoInput.h"
#include "editor/undo/AdvUndoList.h"
#include "editor/view/AdvMemoPaintSettings.h"
#include "editor/view/AdvMemoRenderer.h"
#include "editor/view/AdvMemoView.h"
#include "editor/view/Colors.h"

namespace tarnwick::platform {
class Clipboard;
}

namespace tarnwick::editor {

class TAdvCustomMemoStyler;
class TAdvMemoCompletion;

class TAdvCustomMemo : public TStyledEditor, private ILinesObserver {
  public:
    using TNotifyEvent = std::function<void(TAdvCustomMemo&)>;
    static constexpr int kDefaultTabSize = 4;
    static constexpr int kBookmarkCount = 10;
    static constexpr int kNoLine = -1;
    static constexpr int kWheelDelta = 120;  // one notch of a wheel
    static constexpr int kWheelLines = 4;

    TAdvCustomMemo();
    ~TAdvCustomMemo() override;
    // The line list, view and styler point back at this object; it cannot be copied or moved.
    TAdvCustomMemo(const TAdvCustomMemo&) = delete;
    TAdvCustomMemo& operator=(const TAdvCustomMemo&) = delete;

    // --- Document (AdvMemoDocument.cpp)
    TAdvMemoStrings& Lines() { return *fLines; }
    const TAdvMemoStrings& Lines() const { return *fLines; }
    // The line list's change handler: while the notify switch is on it raises OnChange,
    // recomputes LongestLineLength, keeps the caret in view and repaints.
    void LinesChanged();
    bool NotifyEnabled() const { return fNotify; }
    // Turns the notify switch off until the returned guard goes out of scope.
    TScopedValue<bool> SuspendNotify() { return TScopedValue<bool>(fNotify, false); }
    int LongestLineLength() const { return fLongestLineLength; }
    int TabSize() const override { return fTabSize; }
    void SetTabSize(int size) { fTabSize = size; }
    TColor BkColor() const override { return fBkColor; }
    void SetBkColor(TColor color);
    int FoldedRegionCount() const { return fFoldedRegionCount; }
    int Bookmark(int i) const { return fBookmarks.at(static_cast<size_t>(i)); }
    void SetBookmark(int i, int line) { fBookmarks.at(static_cast<size_t>(i)) = line; }
    TAdvUndoList& UndoList() { return fUndoList; }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;

    // --- Painting parts
    TAdvMemoPaintSettings& Settings() { return fSettings; }
    const TAdvMemoPaintSettings& Settings() const { return fSettings; }
    TAdvMemoView& View() { return fView; }
    const TAdvMemoView& View() const { return fView; }
    TAdvMemoRenderer& Renderer() { return fRenderer; }
    // Paints the whole control through surface, drawing limited to dirty.
    void Paint(platform::IDrawingSurface& surface, const platform::SurfaceRect& dirty) {
        fRenderer.Paint(surface, dirty);
    }

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
    void StylerDestroyed(TAdvCustomMemoStyler& styler) override;

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
    // Where Shift with a movement key extends the selection instead of starting anew.
    void SetFollowPoint(TTextPos point) { fFollowPoint = point; }
    void CollapseSelection();
    void KeepCaretVisible();
    bool AutoExpand() const { return fAutoExpand; }
    void SetAutoExpand(bool on) { fAutoExpand = on; }
    bool TrimTrailingSpaces() const { return fTrimTrailingSpaces; }
    void SetTrimTrailingSpaces(bool on) { fTrimTrailingSpaces = on; }

    // --- View state (kept by the view; AdvMemoView.cpp)
    int FirstVisibleLine() const { return fView.FirstVisibleLine(); }
    int FirstVisibleColumn() const { return fView.FirstVisibleColumn(); }
    // Moves the view without scrolling rules (the view following the caret).
    void SetFirstVisibleLine(int line) { fView.SetFirstVisibleLine(line); }
    void SetFirstVisibleColumn(int column) { fView.SetFirstVisibleColumn(column); }
    // The text area in whole character cells; the view sets it whenever its geometry changes.
    void SetTextAreaCells(int columns, int rows) { fView.SetTextAreaCells(columns, rows); }
    int VisibleColumns() const { return fView.TextAreaColumns(); }
    int VisibleRows() const { return fView.TextAreaRows(); }
    int LastVisibleColumn() const { return FirstVisibleColumn() + VisibleColumns() - 1; }
    int LastVisibleLine() const { return FirstVisibleLine() + VisibleRows() - 1; }
    // Asks the host to repaint; counted so that tests can see it.
    void Invalidate();
    int InvalidateCount() const { return fInvalidateCount; }
    std::function<void()> OnInvalidate;
    // Asks the host to repaint the row of line (nothing when the line is not on screen);
    // through OnInvalidateRect in control pixels, or the whole control when that is not set.
    void InvalidateLine(int line);
    std::function<void(const platform::SurfaceRect&)> OnInvalidateRect;

    // --- Input entry points. Positions are in control pixels. Each returns whether the
    // control used the input; the rest is left to the host's default handling.
    // Keys and characters (AdvMemoKeys.cpp). KeyPress takes typed text as UTF-8; control
    // characters (Ctrl+letter 1..26, Backspace 8, Tab 9, Enter 13, Esc 27, Ctrl+Backspace
    // 127) come through it as a platform's key translation makes them.
    bool KeyDown(TKey key, TShiftState shift);
    bool KeyPress(std::string_view text);
    bool KeyUp(TKey key, TShiftState shift);
    // The command dispatcher: a key or character code with its shift state.
    void Dispatch(char32_t code, TShiftState shift);
    // Mouse (AdvMemoMouse.cpp).
    bool MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    bool MouseMove(TShiftState shift, int x, int y);
    bool MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    bool DoubleClick(TShiftState shift, int x, int y);
    // A wheel turn in eighths of a degree (kWheelDelta a notch, positive away from the user);
    // every whole notch moves the top line by kWheelLines, parts of notches add up.
    bool MouseWheel(int delta, TShiftState shift);
    void FocusGained();
    void FocusLost();
    bool Focused() const { return fFocused; }
    // Builds the context menu for a request at a point; false (and no menu) when the request
    // is left to the host's default handling (AdvMemoContextMenu.cpp).
    bool ContextMenuRequested(int x, int y);
    const TMemoContextMenu& ContextMenu() const { return fContextMenu; }
    // Runs a chosen item: its own handler, or the editor's for the codes it knows.
    void ContextMenuClick(const TMemoMenuItem& item);
    void ContextMenuCommand(int command);
    // Dragging the selection within the editor (AdvMemoDrag.cpp).
    bool Dragging() const { return fDrag.Running; }
    void DragOver(int x, int y);
    void DragLeave();
    void DragDrop(int x, int y, TShiftState shift);
    const TMemoDragState& DragState() const { return fDrag; }
    // The top line set from the keyboard or the wheel: caches passed over are dropped; when
    // every line fits, the caret goes home instead.
    void SetTopLine(int line);

    // --- Caret movement (AdvMemoMovement.cpp); shift is the key's shift state.
    void MoveCaret(int dx, int dy, TShiftState shift);
    void HomeKey(TShiftState shift);
    void EndKey(TShiftState shift);
    void PageMove(int direction, TShiftState shift);
    // Whether c ends a word for Ctrl+Left and Ctrl+Right.
    bool IsWordBreak(char c) const;
    // Character offset of a position (line breaks count 2; a column past the end of a line
    // counts on) and the position of an offset (AdvMemoDrag.cpp).
    int64_t CharOffset(TTextPos pos) const;
    TTextPos PosOfCharOffset(int64_t offset) const;

    // --- Input state and what the host shows (AdvMemoInput.cpp)
    const TMemoInputState& InputState() const { return fInput; }
    // The caret is drawn while the editor has the focus, unless hidden.
    bool CaretShown() const;
    // False while a key other than Ctrl is held: the caret stays on.
    bool CaretBlinks() const { return !fInput.BlinkSaved; }
    // The caret's rectangle in control pixels.
    platform::SurfaceRect CaretRect() const;
    TCursorShape PointerShape() const { return fPointerShape; }
    TDragMode DragMode = dmAutomatic;
    bool OleDropSource = false;
    bool WantTab = true;
    TUILanguage UILanguage;

    std::function<void(TAdvCustomMemo&, TKey& key, TShiftState shift)> OnKeyDown;
    std::function<void(TAdvCustomMemo&, char32_t& ch)> OnKeyPress;
    std::function<void(TAdvCustomMemo&, TKey key, TShiftState shift)> OnKeyUp;
    std::function<void(TAdvCustomMemo&, TMouseButton, TShiftState, int x, int y)> OnMouseDown;
    std::function<void(TAdvCustomMemo&, TShiftState, int x, int y)> OnMouseMove;
    std::function<void(TAdvCustomMemo&, TMouseButton, TShiftState, int x, int y)> OnMouseUp;
    TNotifyEvent OnDblClick;
    // Replace the default gutter click (caret to the line, selection collapsed quietly).
    std::function<void(TAdvCustomMemo&, int line)> OnGutterClick;
    std::function<void(TAdvCustomMemo&, int line)> OnGutterDblClick;
    TNotifyEvent OnTopLeftChanged;
    TNotifyEvent OnFind;
    TNotifyEvent OnReplace;
    TNotifyEvent OnDragDrop;
    std::function<void(TAdvCustomMemo&, int x, int y, TMemoContextMenu& menu)>
        OnCustomizeContextMenu;
    std::function<void(TAdvCustomMemo&, const TMemoMenuItem& item)> OnCustomContextMenuClick;

    // Hooks of the completion aids (AdvMemoAidHooks.cpp); they do nothing until those exist.
    bool AutoCompletionActive() const;
    bool AutoHintParametersOn() const;
    void StopCompletionDelay();
    void ShowCompletionList();
    void ShowParameterHint();
    // Auto-correction of the word before the caret, before ch is inserted.
    void CompleteWord(char32_t ch);
    // Opens the completion list (after its delay) when ch starts a token.
    void CompletionTrigger(char32_t ch);
    // Focus loss: the hint's hide timer starts and a visible hint is hidden.
    void HintFocusLost();

    // --- Editing settings and events (AdvMemoSettings.cpp)
    TEditSettings& EditSettings() { return fEditSettings; }
    const TEditSettings& EditSettings() const { return fEditSettings; }
    bool ReadOnly() const { return fEditSettings.ReadOnly; }
    void SetReadOnly(bool on) { fEditSettings.ReadOnly = on; }
    // Clamped to 1..100; a different limit empties the undo list.
    int UndoLimit() const { return fUndoList.Capacity(); }
    void SetUndoLimit(int limit) { fUndoList.SetCapacity(limit); }
    bool Overwrite() const { return fOverwrite; }
    void SetOverwrite(bool on) { fOverwrite = on; }
    // The clipboard of the editor's own clipboard commands; the installed one when none is set.
    void SetClipboard(platform::Clipboard* clipboard) { fClipboard = clipboard; }
    platform::Clipboard* ActiveClipboard() const;
    // The caret's cell in the view (column, row) and its size in pixels for a line height.
    TTextPos CaretCell() const;
    static constexpr int kCaretWidth = 2;
    static int CaretHeight(int lineHeight) { return lineHeight - 2; }
    // The typing aids (completion list, parameter hint, auto-correction).
    TAdvMemoCompletion& Completion() { return *fCompletion; }
    // The caret moved: the parameter hint follows it.
    void RefreshParameterHint();
    // Searches the block words around the caret, then raises OnCursorChange.
    void UpdateBlockMatch();
    TAdvMemoBlockMatch& BlockMatch() { return fBlockMatch; }
    const TAdvMemoBlockMatch& BlockMatch() const { return fBlockMatch; }
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
    // Tokenizes line index (text: its stored text, or what the painter shows instead) for a
    // paint showing the bytes from firstByte on; with stopAt not npos nothing from there on is
    // needed, nor the state after the line. Long lines go on from a checkpoint left of view.
    const TLineTokenizer& Tokenizer() const { return fTokenizer; }
    HighlightState TokenizeLineForPaint(int index, std::string_view text, HighlightState state,
                                        IHighlightRunSink& sink, size_t firstByte, size_t stopAt);

  private:
    // What the line list reports (AdvMemoDocument.cpp).
    void LineChanged(int index) override;
    void LinesInserting() override;
    void LineInserted(int index) override;
    void LinesInserted() override;
    void LineDeleting(int index) override;
    void LineDeleted(int index) override;
    void LinesClearing() override;
    void BulkCopyStarting() override;
    void BulkCopyFinished() override;
    void LoadStarting() override;
    void LoadEnded(bool loaded) override;
    void LineStatesChanged() override;

    // The caret as a byte position of its line (clamped to the line's end).
    size_t CaretByte() const;
    // Adds a record with the given step.
    void AddRecord(std::unique_ptr<TUndo> record, TEditStep step);
    bool DeleteForwardFrom(TTextPos before, bool backspace);
    // The Left movement without Shift: one column left (to the end of the previous line from
    // column 0), then the selection collapses at the caret.
    void MoveCaretLeft();
    // One Backspace: beyond the end of its line the caret only moves one column left;
    // otherwise it moves left and what it passed over is deleted. Whether text was deleted.
    bool BackspaceStep();
    // Input helpers (AdvMemoKeys.cpp, AdvMemoMovement.cpp, AdvMemoMouse.cpp).
    int LineLength(int line) const;
    void ScrollLineUp();
    void ScrollLineDown();
    void MoveByWord(int direction);
    // Restores the anchor for Ctrl+Shift+Home and Ctrl+Shift+End.
    void FinishHomeEnd(bool extend, TShiftState shift, TTextPos oldAnchor);
    bool InTextArea(int x, int y) const;
    bool InGutter(int x, int y) const;
    // Caret to the cell under a point; false when the point is outside the text area or a
    // press landed inside the selection.
    bool PositionFromMouse(int x, int y, TShiftState shift, bool press);
    void MouseDrag(int x, int y);

    // A removal of the caret line between its two halves: what its undo record needs, the
    // line that goes (unless the only line is emptied), and for a removal the line list
    // reports, the caret and line count before it.
    struct TLineRemoval {
        TTextPos Before;
        std::string Removed;
        TEditStep Step;
        int Line = 0;
        TTextPos Caret;
        int Count = 0;
    };
    // DeleteCaretLine before the line goes (caret to the line start, and up a line when the
    // last one goes) and after it went (the undo record).
    TLineRemoval BeginCaretLineRemoval();
    void EndCaretLineRemoval(TLineRemoval removal);

    // Caret, selection and view back to the start, as loading and clearing do.
    void ResetCaretAndSelection();
    void RebuildDelimiters();
    // The view's top line moved (AdvMemoHighlight.cpp).
    void TopLineChanged(int oldLine, int newLine);
    // Installs or removes LinesChanged as the line list's OnChange.
    void AttachLinesChanged();
    void DetachLinesChanged();

    std::unique_ptr<TAdvMemoStrings> fLines;
    TMemoUndoTarget fUndoTarget{*this};
    TEditSettings fEditSettings;
    TAdvUndoList fUndoList{fUndoTarget};
    bool fOverwrite = false;
    platform::Clipboard* fClipboard = nullptr;
    bool fNotify = true;
    int fLongestLineLength = 0;
    int fTabSize = kDefaultTabSize;
    TColor fBkColor = kClWhite;
    int fFoldedRegionCount = 0;
    std::array<int, kBookmarkCount> fBookmarks;

    TAdvMemoPaintSettings fSettings;
    TAdvMemoView fView{*this, fSettings};
    TMemoPaintSource fPaintSource{*this};
    TAdvMemoRenderer fRenderer{fPaintSource, fSettings, fView};

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

    bool fFocused = false;
    int fWheelRemainder = 0;
    TMemoInputState fInput;
    TMemoDragState fDrag;
    TMemoContextMenu fContextMenu;
    TCursorShape fPointerShape = TCursorShape::crIBeam;
    int fInvalidateCount = 0;
    TAdvMemoBlockMatch fBlockMatch;
    TMemoBlockMatchSource fBlockMatchSource{*this};
    std::unique_ptr<TAdvMemoCompletion> fCompletion;

    std::string fDelimiters;
    int fRememberedLine = kNoLine;
    HighlightState fRememberedState;
    TStartStateScanner fScanner;
    TLineTokenizer fTokenizer;
    TLineTokenCache fTokenCache;
    bool fFindDialogOpen = false;
    // Set from LineDeleting to LineDeleted.
    std::optional<TLineRemoval> fListRemoval;
    // Last, so the components hear of the destruction before any other part goes.
    TMemoFreeNotifications fFreeNotifications{*this};
};

}  // namespace tarnwick::editor
