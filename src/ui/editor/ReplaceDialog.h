// The find and replace window on Qt: a modeless dialog over the main window with the find and
// replace fields, the whole-word and match-case check boxes and the Find Next, Replace,
// Replace All and Cancel buttons. QtReplaceDialogWindow is the find/replace component's view
// of it: it owns the dialog object (created with it, kept while the program runs, so the
// check boxes and the place where it was closed are kept) and reports the buttons.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <optional>

#include "editor/find/ReplaceDialogWindow.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tarnwick::ui {

class ReplaceDialog final : public QDialog {
    Q_OBJECT
  public:
    explicit ReplaceDialog(QWidget* parent);

    QLineEdit* FindEdit() const { return fFindEdit; }
    QLineEdit* ReplaceEdit() const { return fReplaceEdit; }
    QCheckBox* WholeWordBox() const { return fWholeWord; }
    QCheckBox* MatchCaseBox() const { return fMatchCase; }

  signals:
    // A button: frFindNext, frReplace or frReplaceAll.
    void Command(editor::TFindOptions command);

  private:
    QLineEdit* fFindEdit;
    QLineEdit* fReplaceEdit;
    QCheckBox* fWholeWord;
    QCheckBox* fMatchCase;
};

class QtReplaceDialogWindow final : public editor::TReplaceDialogWindow {
  public:
    // The dialog opens over parent; FocusEditor gives editor the keyboard focus.
    QtReplaceDialogWindow(QWidget* parent, QWidget* editor);
    ~QtReplaceDialogWindow() override;

    void Show() override;
    bool IsOpen() const override;
    std::string FindText() const override;
    void SetFindText(const std::string& text) override;
    std::string ReplaceText() const override;
    void SetReplaceText(const std::string& text) override;
    editor::TFindOptions Options() const override;
    void SetOptions(editor::TFindOptions options) override;
    void FocusEditor() override;
    void SetListener(editor::TReplaceDialogListener* listener) override;

    ReplaceDialog* Dialog() const { return fDialog.data(); }

  private:
    void Report(editor::TFindOptions command);
    // A command that selected a match under the dialog moves the dialog off it (below the
    // match, or above it where the screen has no room below).
    void MoveOffTheMatch();
    void Closed();

    QPointer<ReplaceDialog> fDialog;  // owned by its parent window as well; deleted here first
    QPointer<QWidget> fEditor;
    editor::TFindOptions fOptions = 0;  // the bits the check boxes do not show
    std::optional<QPoint> fPlace;       // where it was closed
    editor::TReplaceDialogListener* fListener = nullptr;
};

}  // namespace tarnwick::ui
