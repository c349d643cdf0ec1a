// The find/replace component: its dialog's life and the actions behind the dialog's buttons.
#include "editor/find/AdvMemoFindReplace.h"

#include "editor/control/AdvCustomMemo.h"
#include "editor/control/MemoFindTarget.h"
#include "editor/find/FindReplaceEngine.h"
#include "platform/Prompts.h"

namespace tarnwick::editor {

namespace {

// Every "%s" of the message replaced by text.
std::string FormatMessage(const std::string& message, const std::string& text) {
    std::string result;
    size_t from = 0;
    for (size_t at = message.find("%s"); at != std::string::npos; at = message.find("%s", from)) {
        result.append(message, from, at - from).append(text);
        from = at + 2;
    }
    return result.append(message, from);
}

}  // namespace

TAdvMemoFindReplaceDialog::TAdvMemoFindReplaceDialog(std::unique_ptr<TReplaceDialogWindow> window,
                                                     platform::Prompts* prompts)
    : fWindow(std::move(window)), fPrompts(prompts) {
    fWindow->SetOptions(frDown);
    fWindow->SetListener(this);
}

TAdvMemoFindReplaceDialog::~TAdvMemoFindReplaceDialog() {
    fWindow->SetListener(nullptr);
    SetAdvMemo(nullptr);
}

void TAdvMemoFindReplaceDialog::SetAdvMemo(TAdvCustomMemo* memo) {
    if (memo == fMemo) {
        return;
    }
    if (fMemo != nullptr) {
        fMemo->RemoveFreeNotification(this);
    }
    fMemo = memo;
    if (fMemo != nullptr) {
        fMemo->AddFreeNotification(this);
    }
}

void TAdvMemoFindReplaceDialog::MemoDestroyed(TAdvCustomMemo& memo) {
    if (&memo == fMemo) {
        fMemo = nullptr;
    }
}

void TAdvMemoFindReplaceDialog::SetFindText(const std::string& text) {
    fFindText = text;
    fWindow->SetFindText(text);
}

void TAdvMemoFindReplaceDialog::SetReplaceText(const std::string& text) {
    fReplaceText = text;
    fWindow->SetReplaceText(text);
}

void TAdvMemoFindReplaceDialog::ShowDialog() {
    if (fMemo == nullptr) {
        throw EFindReplaceError(kNoMemoMessage);
    }
    if (fMemo->ReadOnly()) {
        throw EFindReplaceError(kReadOnlyMessage);
    }
    fReplaceCount = 0;
    // An open window keeps what the user typed into it; it only comes to the front.
    const bool opening = !fWindow->IsOpen();
    if (opening) {
        fWindow->SetFindText(fFindText);
        fWindow->SetReplaceText(fReplaceText);
    }
    fMemo->SetFindDialogOpen(true);
    fWindow->Show();
    if (opening && OnShow) {
        OnShow(*this);
    }
}

void TAdvMemoFindReplaceDialog::DialogCommand(TFindOptions options, const std::string& findText,
                                              const std::string& replaceText) {
    if (fMemo == nullptr) {
        return;
    }
    fLastWasReplaceAll = (options & frFindNext) == 0 && (options & frReplaceAll) != 0;
    if ((options & frFindNext) != 0) {
        FindAction(findText, options);
    } else if ((options & (frReplace | frReplaceAll)) != 0) {
        ReplaceAction(findText, replaceText, options);
    }
}

void TAdvMemoFindReplaceDialog::DialogClosed() {
    if (fMemo != nullptr) {
        fMemo->SetFindDialogOpen(false);
    }
    if (OnClose) {
        OnClose(*this);
    }
}

void TAdvMemoFindReplaceDialog::FindAction(const std::string& findText, TFindOptions options) {
    TMemoFindTarget target(*fMemo);
    if (FindNext(target, findText, options & kSearchOptions) < 0) {
        ShowNotFound(findText);
        RaiseReplaceDone();
    } else if (FocusMemo) {
        fWindow->FocusEditor();
    }
}

void TAdvMemoFindReplaceDialog::ReplaceAction(const std::string& findText,
                                              const std::string& replaceText,
                                              TFindOptions options) {
    // The editor may have become read-only while the dialog was open; it stays as it is.
    if (fMemo->ReadOnly()) {
        return;
    }
    TAdvCustomMemo& memo = *fMemo;
    TMemoFindTarget target(memo);
    if ((options & frReplaceAll) != 0) {
        const int x = memo.CurX();
        const int y = memo.CurY();
        // However many matches it replaces, one undo takes the whole Replace All back.
        TAdvUndoList::TGroup group(memo.UndoList(), {x, y});
        memo.SetCaretLine(0);
        memo.SetCaretColumn(0);
        memo.CollapseSelection();
        fReplaceCount = ReplaceAllMatches(target, findText, replaceText, options);
        memo.SetCaretLine(y);
        memo.SetCaretColumn(x);
        group.SetCaretAfter({memo.CurX(), memo.CurY()});
    } else if (memo.SelectionLength() > 0) {
        memo.InsertAtCaret(replaceText);
        ++fReplaceCount;
    } else if (FindNext(target, findText, options & kSearchOptions) < 0) {
        ShowNotFound(findText);
    }
    memo.Invalidate();
    RaiseReplaceDone();
}

void TAdvMemoFindReplaceDialog::ShowNotFound(const std::string& findText) {
    if (DisplayMessage && fPrompts != nullptr) {
        fPrompts->Message(FormatMessage(NotFoundMessage, findText), kNotFoundCaption);
    }
}

void TAdvMemoFindReplaceDialog::RaiseReplaceDone() {
    if (OnReplaceDone) {
        OnReplaceDone(*this);
    }
}

}  // namespace tarnwick::editor
