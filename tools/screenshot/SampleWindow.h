// What both screenshot tools share: the real main window opened on a sample folder, a search
// run through its own controls, and a found file opened by clicking its result.
#pragma once

#include <QString>

class QWidget;

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "ui/window/TForm1.h"

namespace tarnwick::screenshot {

// Runs the event loop until `done` holds; false after 20 s.
bool WaitFor(const std::function<bool()>& done);

// The main window, shown, searching only `root` and keeping its histories there.
std::unique_ptr<ui::TForm1> OpenMainWindow(const std::filesystem::path& root);

// Types `text` into the combo box `comboName` ("ComboBox1" names, "ComboBox2" contents),
// presses Search, waits for the end, clicks the result named `fileName` and waits until the
// editor pane holds the file. Prints what went wrong and returns false on failure.
bool SearchAndOpen(ui::TForm1& window, const char* comboName, const QString& text,
                   const std::string& fileName);

// Saves a picture of `window` with `popup` (a separate top-level window, such as a menu or the
// completion list) drawn over it where it stands, framed as a window manager frames it when
// `frame` is set (the offscreen platform draws no frames). Prints what went wrong, or the file
// written; false on failure.
bool SaveWithPopup(QWidget& window, QWidget* popup, bool frame, const QString& output);

}  // namespace tarnwick::screenshot
