// TAdvMemoFindReplaceDialog: the editor's find/replace component. It opens its modeless window
// for one editor and turns the window's commands into the find, replace and replace-all
// actions on that editor; "not found" is told through a message box. It forgets its editor
// when the editor is destroyed; a command arriving after that does nothing.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "editor/control/MemoFreeNotification.h"
#include "editor/find/FindOptions.h"
#include "editor/find/ReplaceDialogWindow.h"

namespace tarnwick::platform {
class Prompts;
}

namespace tarnwick::editor {

class TAdvCustomMemo;

// ShowDialog refused: "No memo assigned." or "Cannot replace in read-only memo".
class EFindReplaceError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TAdvMemoFindReplaceDialog final : public TReplaceDialogListener,
                                        public TMemoFreeNotification {
  public:
    using TNotifyEvent = std::function<void(TAdvMemoFindReplaceDialog&)>;
    static constexpr const char* kNoMemoMessage = "No memo assigned.";
    static constexpr const char* kReadOnlyMessage = "Cannot replace in read-only memo";
    static constexpr const char* kNotFoundMessage = "Text not found";
    static constexpr const char* kNotFoundCaption = "Information";

    // Owns the window; prompts (may be null: no box is shown) must outlive the component.
    TAdvMemoFindReplaceDialog(std::unique_ptr<TReplaceDialogWindow> window,
                              platform::Prompts* prompts);
    ~TAdvMemoFindReplaceDialog();
    // The window and the editor point back at this object.
    TAdvMemoFindReplaceDialog(const TAdvMemoFindReplaceDialog&) = delete;
    TAdvMemoFindReplaceDialog& operator=(const TAdvMemoFindReplaceDialog&) = delete;

    // The editor searched; cleared when that editor is destroyed.
    TAdvCustomMemo* AdvMemo() const { return fMemo; }
    void SetAdvMemo(TAdvCustomMemo* memo);

    // Checks the editor, resets the replacement count, fills the fields (when the window is
    // not open yet), marks the editor and shows the window or brings it to the front.
    void ShowDialog();

    // The option set the window keeps and updates from the user's choices.
    TFindOptions Options() const { return fWindow->Options(); }
    void SetOptions(TFindOptions options) { fWindow->SetOptions(options); }
    // Put into the field at each opening; reading gives the window's current field.
    std::string FindText() const { return fWindow->FindText(); }
    void SetFindText(const std::string& text);
    std::string ReplaceText() const { return fWindow->ReplaceText(); }
    void SetReplaceText(const std::string& text);

    // "%s" in the message stands for the searched text.
    std::string NotFoundMessage = kNotFoundMessage;
    bool DisplayMessage = true;
    bool FocusMemo = true;
    bool AutoHighlight = false;  // only used by custom dialogs, which this program has none of

    // Replacements of the last replace action.
    int ReplaceCount() const { return fReplaceCount; }
    // Whether the action that raised the last OnReplaceDone was a Replace All.
    bool LastWasReplaceAll() const { return fLastWasReplaceAll; }

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    // After each replace action and after each find that found nothing.
    TNotifyEvent OnReplaceDone;

    TReplaceDialogWindow& Window() { return *fWindow; }

    // TReplaceDialogListener
    void DialogCommand(TFindOptions options, const std::string& findText,
                       const std::string& replaceText) override;
    void DialogClosed() override;
    // TMemoFreeNotification
    void MemoDestroyed(TAdvCustomMemo& memo) override;

  private:
    void FindAction(const std::string& findText, TFindOptions options);
    void ReplaceAction(const std::string& findText, const std::string& replaceText,
                       TFindOptions options);
    void ShowNotFound(const std::string& findText);
    void RaiseReplaceDone();

    std::unique_ptr<TReplaceDialogWindow> fWindow;
    platform::Prompts* fPrompts;
    TAdvCustomMemo* fMemo = nullptr;
    std::string fFindText;
    std::string fReplaceText;
    int fReplaceCount = 0;
    bool fLastWasReplaceAll = false;
};

}  // namespace tarnwick::editor
