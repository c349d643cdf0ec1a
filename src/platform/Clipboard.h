// The system clipboard's plain text. Text crosses it as UTF-8 bytes. One process-wide instance
// is installed at start-up (tests install a fake); it is used on the UI thread only.
#pragma once

#include <string>

namespace tarnwick {

class Clipboard {
  public:
    Clipboard() = default;
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;
    virtual ~Clipboard() = default;

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

}  // namespace tarnwick
