// A find and replace window for tests: holds its fields and options in memory, counts how often
// it was shown and asked to focus the editor, and sends commands as its buttons would.
#pragma once

#include <string>

#include "editor/find/ReplaceDialogWindow.h"

namespace tarnwick::editor::test {

class FakeReplaceDialogWindow final : public TReplaceDialogWindow {
  public:
    void Show() override {
        ++shows;
        open = true;
    }
    bool IsOpen() const override { return open; }
    std::string FindText() const override { return findText; }
    void SetFindText(const std::string& text) override { findText = text; }
    std::string ReplaceText() const override { return replaceText; }
    void SetReplaceText(const std::string& text) override { replaceText = text; }
    TFindOptions Options() const override { return options; }
    void SetOptions(TFindOptions value) override { options = value; }
    void FocusEditor() override { ++focusRequests; }
    void SetListener(TReplaceDialogListener* value) override { listener = value; }

    // The buttons.
    void FindNextButton() { Command(frFindNext); }
    void ReplaceButton() { Command(frReplace); }
    void ReplaceAllButton() { Command(frReplaceAll); }
    void CancelButton() {
        open = false;
        if (listener != nullptr) {
            listener->DialogClosed();
        }
    }
    void Command(TFindOptions command) {
        if (listener != nullptr) {
            listener->DialogCommand(options | command, findText, replaceText);
        }
    }

    bool open = false;
    int shows = 0;
    int focusRequests = 0;
    std::string findText;
    std::string replaceText;
    TFindOptions options = 0;
    TReplaceDialogListener* listener = nullptr;
};

}  // namespace tarnwick::editor::test
