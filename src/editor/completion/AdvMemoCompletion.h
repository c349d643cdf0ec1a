// TAdvMemoCompletion: the typing aids of one editor. It keeps the completion list's state (the
// candidates when it opened, the visible items, the selection, whether a start-token character
// opened it and where), the parameter hint's state (its three parts and where it shows), and
// runs auto-correction of the word before the caret. It knows no window: hosts draw the list
// and the hint from this state when OnListChanged and OnHintChanged fire, and forward the
// list's keys and clicks. Its two delays run on timers the host provides. It listens to the
// view itself: a scroll-bar action and any move of the top line (wheel, bars, Page Up/Down,
// Ctrl+Up/Down) hide the hint, which stands under a code line the view moves away.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editor/completion/CompletionSettings.h"
#include "editor/completion/CompletionText.h"
#include "editor/completion/HintCallScan.h"
#include "editor/document/TextPos.h"
#include "editor/view/Notification.h"
#include "platform/Timer.h"

namespace tarnwick::editor {

class TAdvCustomMemo;
class TAdvMemoView;

struct TCompletionItem {
    std::string Entry;
    int Kind = ckIdentifier;
};

class TAdvMemoCompletion {
  public:
    static constexpr char32_t kBackspace = 8;
    static constexpr char32_t kTab = 9;
    static constexpr char32_t kEnter = 13;
    static constexpr char32_t kEscape = 27;

    // memo and view (the memo's view) outlive the aids; the aids listen to the view until
    // they go.
    TAdvMemoCompletion(TAdvCustomMemo& memo, TAdvMemoView& view);
    ~TAdvMemoCompletion();
    TAdvMemoCompletion(const TAdvMemoCompletion&) = delete;
    TAdvMemoCompletion& operator=(const TAdvMemoCompletion&) = delete;

    TAutoCompletion AutoCompletion;
    TAutoCorrect AutoCorrect;
    THintParameterMode AutoHintParameters = hpAuto;
    THintParameterPosition AutoHintParameterPosition = hpBelowCode;
    int AutoHintParameterDelay = 2500;  // ms until a shown hint hides
    // Set by the key handling on every key-down: whether Ctrl was not held.
    bool LastKeyWithoutCtrl = true;

    // The timers of the delayed opening and of hiding the hint; without them those delays
    // never end.
    void SetTimers(platform::ITimer* delay, platform::ITimer* hintHide);

    // --- The list
    // Ctrl+Space.
    void OpenByKey();
    // A typed character (after it went in): a start-token character arms the delayed opening.
    void CharacterTyped(char32_t ch);
    // Any key down stops the delayed opening.
    void KeyDownSeen();
    bool ListVisible() const { return fListVisible; }
    const std::vector<TCompletionItem>& Candidates() const { return fCandidates; }
    const std::vector<int>& VisibleItems() const { return fVisible; }
    const TCompletionItem* VisibleItem(int i) const;
    int SelectedIndex() const { return fSelected; }
    void SetSelectedIndex(int i);
    bool StartedByToken() const { return fStartedByToken; }
    TTextPos StartPoint() const { return fStart; }
    // Where the list shows, in control pixels: x = gutter width + (CurX - FirstVisibleColumn)
    // x CharWidth, y = (CurY - FirstVisibleLine + 1) x LineHeight + 2.
    TTextPos ListPosition() const { return fListPosition; }
    // A character typed while the list has the focus (Backspace, Tab, Esc, Enter included).
    void ListCharacter(char32_t ch);
    // The Delete key in the list.
    void ListDelete();
    // Double-click on an item: the mouse form of inserting.
    void ListDoubleClick();
    // Losing the focus or activation, or the window closed by its frame.
    void ListDismissed();

    // --- The parameter hint
    // Every caret move: refreshes with automatic hints after a key without Ctrl, or while shown.
    void CaretMoved();
    // Ctrl+Shift+Space, and an inserted entry that received "()".
    void RefreshParameterHint();
    void HideHint();
    bool HintVisible() const { return fHintVisible; }
    const completion::THintParts& Hint() const { return fHint; }
    // Where the hint shows, in control pixels: the list's x (or the x it showed at while it
    // stays visible), y = (CurY - FirstVisibleLine + 1) x LineHeight below the code.
    TTextPos HintPosition() const { return fHintPosition; }

    // Typing one of tab, CR, space, "(", ",", ".", "=", "[" runs this before the character
    // goes in: the word before the caret is replaced by its auto-correction.
    static bool IsWordCompleteChar(char32_t ch);
    void WordComplete();

    // Events; none is assigned in the program.
    std::function<void(std::string& token, bool& show)> OnBeforeAutoCompletion;
    std::function<void(const std::string& token, std::vector<TCompletionItem>& list)>
        OnGetAutoCompletionList;
    std::function<void(const std::string& token, const std::vector<TCompletionItem>& list,
                       int& index)>
        OnGetAutoCompletionListIndex;
    std::function<void()> OnStartAutoCompletion;
    std::function<void(std::string& entry)> OnInsertAutoCompletionEntry;
    std::function<void()> OnAutoCompletion;
    std::function<void()> OnCancelAutoCompletion;
    std::function<void(const std::string& token, std::string& hint, bool& handled)>
        OnGetParameterHint;
    std::function<void(const std::string& token, std::string& parameterHint)>
        OnRetrievedParameterHint;
    std::function<void(const std::string& currentWord, std::string& newWord)> OnWordComplete;
    // For the host's windows.
    std::function<void()> OnListChanged;
    std::function<void()> OnHintChanged;

  private:
    static constexpr int kListBelowLine = 2;  // the list stands this far below the next row
    // The control point of the aids for the caret's column and a row relative to the top line.
    TTextPos AidPosition(int row) const;
    void ShowList();
    void DelayElapsed();
    void Refilter(const std::string& filter);
    // The filter of the list keys: the word around the start point or the token at the caret.
    std::string FilterText() const;
    void InsertEntry(bool keyboard);
    void CloseList();
    std::string CaretLine() const;
    std::string TokenAtCaret() const;
    void ListChanged();
    void HintChanged();

    TAdvCustomMemo& fMemo;
    TAdvMemoView& fView;
    TNotification<>::Ticket fScrollBarTicket;
    TNotification<int, int>::Ticket fTopLineTicket;
    platform::ITimer* fDelayTimer = nullptr;
    platform::ITimer* fHideTimer = nullptr;

    bool fListVisible = false;
    bool fStartedByToken = false;
    TTextPos fStart;
    TTextPos fListPosition;
    std::vector<TCompletionItem> fCandidates;
    std::vector<int> fVisible;
    int fSelected = -1;
    int fListIndex = 0;
    std::string fToken;

    bool fHintVisible = false;
    int fHintLine = -1;
    completion::THintParts fHint;
    THintCallScan fHintScan;  // the last scan for the hint, reused while typing on
    TTextPos fHintPosition;
};

}  // namespace tarnwick::editor
