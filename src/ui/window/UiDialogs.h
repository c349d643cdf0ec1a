// The dialogs the main window opens, behind one small interface so tests can answer them.
#pragma once

#include <QString>
#include <optional>

#include "platform/Interface.h"

class QWidget;

namespace tarnwick::ui {

// The answers to the question asked before modified text is discarded.
enum class EditsAnswer { SaveAs, Discard, Cancel };

class UiDialogs : public platform::Interface {
  public:
    // The "Other..." folder chooser: starts in the working directory, which follows the folder
    // shown while browsing and stays at the last one, also after Cancel. Returns the full path
    // of the folder confirmed, an existing one or a typed one that does not exist. nullopt on
    // Cancel.
    virtual std::optional<QString> ChooseFolder(QWidget* parent) = 0;
    // The save dialog: caption, starting folder, one "All types" filter, the extension added
    // to a name typed without one. nullopt on Cancel.
    virtual std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& caption,
                                                  const QString& folder,
                                                  const QString& defaultSuffix) = 0;
    // An error message box.
    virtual void ShowError(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The question before modified text is discarded: "Save As...", "Discard" and "Cancel"
    // (also Esc and the box's close button).
    virtual EditsAnswer AskAboutEdits(QWidget* parent, const QString& caption,
                                      const QString& text) = 0;

    // The real dialogs.
    static UiDialogs& Standard();
    // Dialogs for tools that run without a user: every question is cancelled, errors go to
    // the standard error stream.
    static UiDialogs& Unattended();
};

}  // namespace tarnwick::ui
