// The system clipboard's plain text. Text crosses it as UTF-8 bytes. One process-wide instance
// is installed at start-up (tests install a fake); it is used on the UI thread only.
#pragma once

#include <string>
#include <string_view>

#include "platform/Interface.h"

namespace tarnwick::platform {

class Clipboard : public Interface {
  public:
    // Whether the clipboard offers plain text (an empty text counts as text).
    virtual bool HasText() const = 0;
    // The clipboard's plain text; empty when it holds none.
    virtual std::string Text() const = 0;
    // Replaces the clipboard's content by this plain text (possibly empty).
    virtual void SetText(const std::string& text) = 0;

    // The installed clipboard, or nullptr. Installing does not take ownership; the installer
    // keeps the object alive while it is installed.
    static Clipboard* Installed();
    static void Install(Clipboard* clipboard);
};

// Text as it goes onto the system clipboard: with LF line breaks, as Linux programs (terminals
// above all) expect. Every CR LF of `text` (the editor joins selected lines with CR LF) and
// every lone CR becomes one LF; nothing else changes.
std::string WithLfLineBreaks(std::string_view text);
// Clipboard text as the editor takes it in: every lone CR, lone LF and LF CR pair becomes one
// CR LF, the line break InsertAtCaret splits at; so text from any program pastes as lines.
std::string WithCrLfLineBreaks(std::string_view text);

}  // namespace tarnwick::platform
