// The completion list, parameter hint and auto-correction of one editor.
#include "editor/completion/AdvMemoCompletion.h"

#include <algorithm>

#include "editor/control/AdvCustomMemo.h"
#include "editor/highlight/AdvCustomMemoStyler.h"

namespace tarnwick::editor {

using namespace completion;

namespace {

bool IsFilterChar(char32_t ch) {
    static constexpr char32_t kLetters[] = {189, 196, 203, 214, 220, 224, 225, 226, 228,
                                            232, 233, 234, 235, 246, 249, 250, 251, 252};
    return ch == '-' || ch == '_' || (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') ||
           (ch >= 'a' && ch <= 'z') ||
           std::find(std::begin(kLetters), std::end(kLetters), ch) != std::end(kLetters);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

TAdvMemoCompletion::TAdvMemoCompletion(TAdvCustomMemo& memo, TAdvMemoView& view)
    : fMemo(memo),
      fView(view),
      // The hint stands under a code line that is about to move.
      fScrollBarTicket(view.OnScrollBarAction.Add([this] { HideHint(); })),
      fTopLineTicket(view.OnTopLineChanged.Add([this](int, int) { HideHint(); })) {}

TAdvMemoCompletion::~TAdvMemoCompletion() {
    fView.OnScrollBarAction.Remove(fScrollBarTicket);
    fView.OnTopLineChanged.Remove(fTopLineTicket);
}

void TAdvMemoCompletion::SetTimers(platform::ITimer* delay, platform::ITimer* hintHide) {
    fDelayTimer = delay;
    fHideTimer = hintHide;
}

std::string TAdvMemoCompletion::CaretLine() const {
    const int y = fMemo.CurY();
    if (y < 0 || y >= fMemo.Lines().Count()) {
        return {};
    }
    return std::string(fMemo.Lines().View(y));
}

std::string TAdvMemoCompletion::TokenAtCaret() const {
    const std::string line = CaretLine();
    return TextOf(line, RunAround(line, fMemo.CurX(), kTokenDelimiters));
}

// --- The list

void TAdvMemoCompletion::OpenByKey() {
    if (!AutoCompletion.Active) {
        return;
    }
    const std::string token = TokenAtCaret();
    fStartedByToken = token.find_first_of(AutoCompletion.StartToken) != std::string::npos;
    if (fStartedByToken) {
        const std::string line = CaretLine();
        const std::string word = TextOf(line, RunAround(line, fMemo.CurX(), kWordDelimiters));
        fStart = {fMemo.CurX() - CharCount(word), fMemo.CurY()};
    }
    ShowList();
}

void TAdvMemoCompletion::CharacterTyped(char32_t ch) {
    if (fDelayTimer == nullptr || !AutoCompletion.Active || ch > 0x7F ||
        AutoCompletion.StartToken.find(static_cast<char>(ch)) == std::string::npos) {
        return;
    }
    fDelayTimer->Start(AutoCompletion.Delay, [this] { DelayElapsed(); });
}

void TAdvMemoCompletion::KeyDownSeen() {
    if (fDelayTimer != nullptr) {
        fDelayTimer->Stop();
    }
}

void TAdvMemoCompletion::DelayElapsed() {
    if (!AutoCompletion.Active || !AutoCompletion.AutoDisplay) {
        return;
    }
    const std::string token = TokenAtCaret();
    if (token.empty() || token == "." || token == "(") {
        return;
    }
    fStartedByToken = true;
    fStart = {fMemo.CurX(), fMemo.CurY()};
    ShowList();
}

void TAdvMemoCompletion::ShowList() {
    const TAdvCustomMemoStyler* styler = fMemo.SyntaxStyles();
    const bool stylerInUse = styler != nullptr && fMemo.UseStyler();
    if (!AutoCompletion.Active || fMemo.ReadOnly()) {
        return;
    }
    if (!OnGetAutoCompletionList && (!stylerInUse || styler->AutoCompletion.Count() == 0)) {
        return;
    }
    std::string token = UpperCase(TokenAtCaret());
    bool show = true;
    if (OnBeforeAutoCompletion) {
        OnBeforeAutoCompletion(token, show);
    }
    if (!show) {
        return;
    }
    fCandidates.clear();
    if (stylerInUse) {
        const TStringList& entries = styler->AutoCompletion;
        for (int i = 0; i < entries.Count(); ++i) {
            if (StartsWith(EntryKey(entries.View(i)), token)) {
                fCandidates.push_back({entries.Get(i), CompletionKindOf(entries, i)});
            }
        }
    }
    if (OnGetAutoCompletionList) {
        OnGetAutoCompletionList(token, fCandidates);
    }
    fListIndex = 0;
    if (OnGetAutoCompletionListIndex) {
        OnGetAutoCompletionListIndex(token, fCandidates, fListIndex);
    }
    if (fCandidates.empty()) {
        return;
    }
    fToken = token;
    fListPosition = AidPosition(fMemo.CurY() - fMemo.FirstVisibleLine() + 1);
    fListPosition.Y += kListBelowLine;
    fVisible.clear();
    for (int i = 0; i < static_cast<int>(fCandidates.size()); ++i) {
        fVisible.push_back(i);
    }
    fListVisible = true;
    if (OnStartAutoCompletion) {
        OnStartAutoCompletion();
    }
    if (fStartedByToken) {
        const std::string line = CaretLine();
        Refilter(UpperCase(TextOf(line, RunAround(line, fStart.X, kWordDelimiters))));
    } else {
        fSelected = std::clamp(fListIndex, -1, static_cast<int>(fVisible.size()) - 1);
        ListChanged();
    }
}

const TCompletionItem* TAdvMemoCompletion::VisibleItem(int i) const {
    if (i < 0 || i >= static_cast<int>(fVisible.size())) {
        return nullptr;
    }
    return &fCandidates[static_cast<size_t>(fVisible[static_cast<size_t>(i)])];
}

void TAdvMemoCompletion::SetSelectedIndex(int i) {
    fSelected = std::clamp(i, -1, static_cast<int>(fVisible.size()) - 1);
    ListChanged();
}

void TAdvMemoCompletion::Refilter(const std::string& filter) {
    fVisible.clear();
    for (int i = 0; i < static_cast<int>(fCandidates.size()); ++i) {
        const std::string key = EntryMatchKey(fCandidates[static_cast<size_t>(i)].Entry);
        const bool match = filter.empty() ||
                           (AutoCompletion.FromFirstChar ? StartsWith(key, filter)
                                                         : key.find(filter) != std::string::npos);
        if (match) {
            fVisible.push_back(i);
        }
    }
    int index = 0;
    if (OnGetAutoCompletionListIndex) {
        OnGetAutoCompletionListIndex(filter, fCandidates, index);
    }
    fSelected = fVisible.empty() ? -1 : std::clamp(index, 0, static_cast<int>(fVisible.size()) - 1);
    ListChanged();
}

std::string TAdvMemoCompletion::FilterText() const {
    if (fStartedByToken) {
        const std::string line = CaretLine();
        return UpperCase(TextOf(
            line, RunAround(line, fStart.X, [this](char c) { return fMemo.IsDelimiterChar(c); })));
    }
    return UpperCase(TokenAtCaret());
}

void TAdvMemoCompletion::ListCharacter(char32_t ch) {
    if (!fListVisible) {
        return;
    }
    if (ch == kBackspace) {
        if (!fMemo.ReadOnly()) {
            fMemo.DeleteBackward();
        }
        const std::string token = TokenAtCaret();
        if (fStartedByToken && token.find_first_of(".)") == std::string::npos) {
            CloseList();
            return;
        }
        Refilter(FilterText());
    } else if (ch == kTab || ch == kEscape) {
        CloseList();
    } else if (ch == kEnter || ch == U' ') {
        InsertEntry(true);
    } else if (IsFilterChar(ch)) {
        fMemo.TypeCharacter(ch);
        Refilter(FilterText());
        fMemo.Invalidate();
    } else {
        if (OnCancelAutoCompletion) {
            OnCancelAutoCompletion();
        }
        CloseList();
    }
}

void TAdvMemoCompletion::ListDelete() {
    if (fListVisible && !fMemo.ReadOnly()) {
        fMemo.DeleteForward();
    }
}

void TAdvMemoCompletion::ListDoubleClick() {
    if (fListVisible) {
        InsertEntry(false);
    }
}

void TAdvMemoCompletion::ListDismissed() {
    if (!fListVisible) {
        return;
    }
    if (OnCancelAutoCompletion) {
        OnCancelAutoCompletion();
    }
    CloseList();
}

void TAdvMemoCompletion::InsertEntry(bool keyboard) {
    const TCompletionItem* item = VisibleItem(fSelected);
    if (item == nullptr) {
        return;
    }
    std::string entry = item->Entry;
    if (OnInsertAutoCompletionEntry) {
        OnInsertAutoCompletionEntry(entry);
    }
    bool parentheses = false;
    if (entry == item->Entry) {
        TInsertText text = InsertTextOf(entry, keyboard);
        entry = std::move(text.Text);
        parentheses = text.Parentheses;
    }
    const std::string line = CaretLine();
    TColumnRange range;
    if (!fStartedByToken || entry.find('.') != std::string::npos) {
        range =
            RunAround(line, fMemo.CurX(), keyboard ? kKeyboardReplaceDelimiters : kTokenDelimiters);
    } else {
        range = {fStart.X, keyboard ? fMemo.CurX() : fStart.X + CharCount(entry)};
    }
    const int y = fMemo.CurY();
    // The caret stands at the range's end so that the replaced text is the selection.
    fMemo.SetCaretColumn(range.Last);
    fMemo.SetSelectionEnds({range.First, y}, {range.Last, y});
    if (OnAutoCompletion) {
        OnAutoCompletion();
    }
    fMemo.InsertAtCaret(entry);
    CloseList();
    if (parentheses) {
        fMemo.SetCaretColumn(fMemo.CurX() - 1);
        RefreshParameterHint();
    }
}

void TAdvMemoCompletion::CloseList() {
    if (!fListVisible) {
        return;
    }
    fListVisible = false;
    fVisible.clear();
    fSelected = -1;
    ListChanged();
}

void TAdvMemoCompletion::ListChanged() {
    if (OnListChanged) {
        OnListChanged();
    }
}

// --- The parameter hint

void TAdvMemoCompletion::CaretMoved() {
    if (fHintVisible && fMemo.CurY() != fHintLine) {
        HideHint();  // the caret left the hint's line
    }
    if ((AutoHintParameters == hpAuto && LastKeyWithoutCtrl) || fHintVisible) {
        RefreshParameterHint();
    }
}

void TAdvMemoCompletion::RefreshParameterHint() {
    const TAdvCustomMemoStyler* styler = fMemo.SyntaxStyles();
    const int y = fMemo.CurY();
    if (styler == nullptr || !fMemo.UseStyler() || y < fMemo.FirstVisibleLine() ||
        y > fMemo.FirstVisibleLine() + fMemo.VisibleRows()) {
        return;
    }
    const THintCall call = fHintScan.Find(fMemo.Lines(), y, fMemo.CurX(), !fMemo.CaseSensitive());
    std::string name = call.Name;
    name.erase(0, name.find_first_not_of(' '));
    name.erase(name.find_last_not_of(' ') + 1);
    std::string hint;
    if (call.Found && !name.empty()) {
        bool handled = false;
        if (OnGetParameterHint) {
            OnGetParameterHint(name, hint, handled);
        }
        if (!handled) {
            if (const size_t dot = name.rfind(styler->HintParameter.HintClassDelimiter);
                dot != std::string::npos) {
                name.erase(0, dot + 1);
            }
            const TStringList& definitions = styler->HintParameter.Parameters;
            for (int i = 0; i < definitions.Count(); ++i) {
                if (!name.empty() && StartsWith(UpperCase(definitions.View(i)), UpperCase(name))) {
                    hint = definitions.Get(i);
                    break;
                }
            }
        }
    }
    if (hint.empty()) {
        HideHint();
        return;
    }
    fHint = SplitHint(hint, call.Commas);
    if (OnRetrievedParameterHint) {
        OnRetrievedParameterHint(name, fHint.Current);
    }
    if (fHideTimer != nullptr) {
        fHideTimer->Start(AutoHintParameterDelay, [this] { HideHint(); });
    }
    const int row =
        y - fMemo.FirstVisibleLine() + (AutoHintParameterPosition == hpBelowCode ? 1 : -1);
    const TTextPos at = AidPosition(row);
    fHintPosition = {fHintVisible ? fHintPosition.X : at.X, at.Y};
    fHintVisible = true;
    fHintLine = y;
    HintChanged();
}

TTextPos TAdvMemoCompletion::AidPosition(int row) const {
    // From the client origin: past the gutter by whole cells of the caret's column, and down by
    // whole lines (not the text area's own inset and indent).
    const TAdvMemoView& view = fView;
    const int gutter = view.GutterShown() ? view.GutterWidth() : 0;
    return {gutter + (fMemo.CurX() - fMemo.FirstVisibleColumn()) * view.CharWidth(),
            row * view.LineHeight()};
}

void TAdvMemoCompletion::HideHint() {
    if (fHideTimer != nullptr) {
        fHideTimer->Stop();
    }
    if (!fHintVisible) {
        return;
    }
    fHintVisible = false;
    fHintLine = -1;
    HintChanged();
}

void TAdvMemoCompletion::HintChanged() {
    if (OnHintChanged) {
        OnHintChanged();
    }
}

// --- Auto-correction

bool TAdvMemoCompletion::IsWordCompleteChar(char32_t ch) {
    return ch == U'\t' || ch == U'\r' || ch == U' ' || ch == U'(' || ch == U',' || ch == U'.' ||
           ch == U'=' || ch == U'[';
}

void TAdvMemoCompletion::WordComplete() {
    if (!OnWordComplete && !(AutoCorrect.Active && AutoCorrect.OldValue.Count() > 0)) {
        return;
    }
    const int y = fMemo.CurY();
    if (y < 0 || y >= fMemo.Lines().Count()) {
        return;
    }
    const std::string line = CaretLine();
    const TColumnRange range =
        RunAround(line, fMemo.CurX(), [this](char c) { return fMemo.IsDelimiterChar(c); });
    const std::string word = TextOf(line, range);
    if (word.empty()) {
        return;
    }
    std::string replacement = word;
    for (int i = 0; i < AutoCorrect.OldValue.Count(); ++i) {
        if (AutoCorrect.OldValue.View(i) == word) {
            replacement = i < AutoCorrect.NewValue.Count() ? AutoCorrect.NewValue.Get(i) : word;
            break;
        }
    }
    if (OnWordComplete) {
        OnWordComplete(word, replacement);
    }
    if (replacement == word) {
        return;
    }
    // The word's length of characters before the caret make way for the replacement; this is
    // a plain line write, with no undo record.
    const int length = CharCount(word);
    const int from = std::max(0, fMemo.CurX() - length);
    const std::string before = TextOf(line, {0, from});
    const std::string after = TextOf(line, {fMemo.CurX(), CharCount(line)});
    fMemo.Lines().Put(y, before + replacement + after);
    fMemo.SetCaretColumn(fMemo.CurX() + CharCount(replacement) - length);
}

}  // namespace tarnwick::editor
