// Modal message and question boxes owned by the main window, for code below the toolkit. A box
// may be asked for from any thread: it is always shown on the UI thread, and the asking thread
// waits for the answer. Shared by the subsystems that ask (held through std::shared_ptr, so a
// worker that still holds it after the window has gone gets a refusal, never a dangling object).
#pragma once

#include <string>

#include "platform/Interface.h"

namespace tarnwick::platform {

enum class PromptAnswer { Yes, No };

class Prompts : public Interface {
  public:
    // A box with the text, the caption, Yes and No buttons and the question-mark icon.
    // Answers No when the box cannot be shown any more (the window is going away).
    virtual PromptAnswer Question(const std::string& text, const std::string& caption) = 0;
    // A box with the text, the caption, an OK button and the information icon; returns once
    // it has been closed (at once when it cannot be shown any more).
    virtual void Message(const std::string& text, const std::string& caption) = 0;
};

}  // namespace tarnwick::platform
