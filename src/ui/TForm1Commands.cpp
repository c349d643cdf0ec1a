// The file and shell commands of the main window's toolbar and menu.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "editor/AdvMemoFindReplace.h"
#include "platform/Shell.h"
#include "platform/TMisc.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/QtUiDispatcher.h"
#include "search/MatchRules.h"
#include "ui/AdvMemoWidget.h"
#include "ui/ReplaceDialog.h"
#include "ui/TForm1.h"
#include "ui/UiDialogs.h"

namespace tarnwick {

void TForm1::OpenFileCommand() {
    if (const ResultRow* row = SelectedRow()) {
        TMisc::OpenSite(row->Path, "", "1");
    }
}

void TForm1::OpenFolderCommand() {
    if (const ResultRow* row = SelectedRow()) {
        if (Shell* shell = Shell::Installed()) {
            shell->ShowInFolder(row->Path);
        }
    }
}

void TForm1::SaveAsCommand() {
    const ResultRow* row = SelectedRow();
    if (row == nullptr) {
        return;
    }
    std::string_view ext = ExtractFileExt(row->Name);
    if (!ext.empty()) {
        ext.remove_prefix(1);
    }
    const std::optional<QString> chosen = services_.dialogs->ChooseSaveFile(
        this, QStringLiteral("Save your file"), QDir::currentPath(),
        QString::fromStdString(std::string(ext)));
    if (!chosen) {
        return;
    }
    try {
        memoWidget_->Memo().Lines().SaveToFile(QFile::encodeName(*chosen).toStdString());
    } catch (const std::exception& e) {
        ShowError(QString::fromStdString(e.what()));
        return;
    }
    // The next save dialog and folder chooser start where this file went.
    QDir::setCurrent(QFileInfo(*chosen).absolutePath());
}

void TForm1::CreateFindReplace() {
    Prompts* prompts = services_.prompts.get();
    if (prompts == nullptr) {
        ownPrompts_ = QtPrompts::Create(this, *dispatcher_);
        prompts = ownPrompts_.get();
    }
    findReplace_ = std::make_unique<editor::TAdvMemoFindReplaceDialog>(
        std::make_unique<QtReplaceDialogWindow>(this, memoWidget_), prompts);
    findReplace_->SetAdvMemo(&memoWidget_->Memo());
}

void TForm1::FindReplaceCommand() {
    try {
        findReplace_->ShowDialog();
    } catch (const std::exception& e) {
        ShowError(QString::fromStdString(e.what()));
    }
}

void TForm1::ToolButton7Click() {
    FindReplaceCommand();
}

void TForm1::Find1Click() {
    FindReplaceCommand();
}

}  // namespace tarnwick
