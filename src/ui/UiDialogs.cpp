// The real dialogs: Qt's own file dialogs (the desktop's cannot accept a folder that does not
// exist) and a critical message box.
#include "ui/UiDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <cstdio>

namespace tarnwick {
namespace {

class StandardDialogs final : public UiDialogs {
  public:
    std::optional<QString> ChooseFolder(QWidget* parent) override {
        QFileDialog dialog(parent, QStringLiteral("Browse for Folder"), QDir::currentPath());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        // AnyFile lets the user type a folder that does not exist; it is not created.
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setLabelText(QFileDialog::Accept, QStringLiteral("OK"));
        QObject::connect(&dialog, &QFileDialog::directoryEntered,
                         [](const QString& folder) { QDir::setCurrent(folder); });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return QDir::cleanPath(dialog.selectedFiles().constFirst());
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

}  // namespace tarnwick
