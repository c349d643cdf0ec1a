// TReplaceDialogWindow: the platform side of the find/replace component, a modeless window with
// a find field, a replace field, whole-word and match-case choices and the find next, replace,
// replace all and cancel buttons. The window keeps its option set and its screen place while
// the program runs; it reports each command to its listener with its current texts and
// options. It also gives the keyboard focus to the editor it searches.
#pragma once

#include <string>

#include "editor/find/FindOptions.h"

namespace tarnwick::editor {

// Receives what the window reports.
class TReplaceDialogListener {
  public:
    // A command: options holds the window's option set plus frFindNext, frReplace or
    // frReplaceAll.
    virtual void DialogCommand(TFindOptions options, const std::string& findText,
                               const std::string& replaceText) = 0;
    // The window was closed (its cancel button or its close box).
    virtual void DialogClosed() = 0;

  protected:
    ~TReplaceDialogListener() = default;
};

class TReplaceDialogWindow {
  public:
    // Texts placed into the fields are cut to this many characters.
    static constexpr int kMaxTextLength = 255;

    TReplaceDialogWindow() = default;
    TReplaceDialogWindow(const TReplaceDialogWindow&) = delete;
    TReplaceDialogWindow& operator=(const TReplaceDialogWindow&) = delete;
    virtual ~TReplaceDialogWindow() = default;

    // Shows the window without waiting for it, or brings it to the front when it is open.
    virtual void Show() = 0;
    virtual bool IsOpen() const = 0;
    virtual std::string FindText() const = 0;
    virtual void SetFindText(const std::string& text) = 0;
    virtual std::string ReplaceText() const = 0;
    virtual void SetReplaceText(const std::string& text) = 0;
    virtual TFindOptions Options() const = 0;
    virtual void SetOptions(TFindOptions options) = 0;
    // Moves the keyboard focus to the searched editor; the window stays open.
    virtual void FocusEditor() = 0;
    // The listener, or nullptr; it must outlive the window or be unset first.
    virtual void SetListener(TReplaceDialogListener* listener) = 0;
};

}  // namespace tarnwick::editor
