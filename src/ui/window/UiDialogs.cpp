// The real dialogs: the folder chooser, Qt's own save dialog, a critical message box and the
// question about modified text.
#include "ui/window/UiDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

#include "ui/window/FolderChooser.h"

namespace tarnwick::ui {
namespace {

class StandardDialogs final : public UiDialogs {
  public:
    std::optional<QString> ChooseFolder(QWidget* parent) override {
        FolderChooser chooser(parent);
        if (chooser.exec() != QDialog::Accepted || chooser.ChosenFolder().isEmpty()) {
            return std::nullopt;
        }
        return chooser.ChosenFolder();
    }

    std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& caption,
                                          const QString& folder,
                                          const QString& defaultSuffix) override {
        QFileDialog dialog(parent, caption, folder, QStringLiteral("All types (*)"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);  // an existing file is replaced
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return dialog.selectedFiles().constFirst();
    }

    void ShowError(QWidget* parent, const QString& caption, const QString& text) override {
        QMessageBox::critical(parent, caption, text);
    }

    EditsAnswer AskAboutEdits(QWidget* parent, const QString& caption,
                              const QString& text) override {
        QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, parent);
        QAbstractButton* save =
            box.addButton(QStringLiteral("Save As..."), QMessageBox::AcceptRole);
        QAbstractButton* discard = box.addButton(QMessageBox::Discard);
        QAbstractButton* cancel = box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(qobject_cast<QPushButton*>(save));
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == save) {
            return EditsAnswer::SaveAs;
        }
        return box.clickedButton() == discard ? EditsAnswer::Discard : EditsAnswer::Cancel;
    }
};

class UnattendedDialogs final : public UiDialogs {
  public:
    std::optional<QString> ChooseFolder(QWidget*) override { return std::nullopt; }
    std::optional<QString> ChooseSaveFile(QWidget*, const QString&, const QString&,
                                          const QString&) override {
        return std::nullopt;
    }
    void ShowError(QWidget*, const QString& caption, const QString& text) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
    EditsAnswer AskAboutEdits(QWidget*, const QString&, const QString&) override {
        return EditsAnswer::Cancel;
    }
};

}  // namespace

UiDialogs& UiDialogs::Unattended() {
    static UnattendedDialogs dialogs;
    return dialogs;
}

UiDialogs& UiDialogs::Standard() {
    static StandardDialogs dialogs;
    return dialogs;
}

}  // namespace tarnwick::ui
