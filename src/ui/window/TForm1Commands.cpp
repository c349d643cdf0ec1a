// The file, clipboard and shell commands of the main window's toolbar and menu.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QToolButton>

#include "editor/find/AdvMemoFindReplace.h"
#include "platform/Clipboard.h"
#include "platform/Shell.h"
#include "platform/TMisc.h"
#include "platform/qt/QtPrompts.h"
#include "search/MatchRules.h"
#include "ui/editor/AdvMemoWidget.h"
#include "ui/editor/ReplaceDialog.h"
#include "ui/window/GuardedDispatcher.h"
#include "ui/window/LocalPaths.h"
#include "ui/window/TForm1.h"
#include "ui/window/UiDialogs.h"

namespace tarnwick::ui {

using search::ExtractFileExt;
using search::ResultRow;

void TForm1::OpenFileCommand() {
    if (const ResultRow* row = SelectedRow()) {
        platform::TMisc::OpenSite(row->Path, "", "1");
    }
}

void TForm1::OpenFolderCommand() {
    if (const ResultRow* row = SelectedRow()) {
        if (platform::Shell* shell = platform::Shell::Installed()) {
            shell->ShowInFolder(row->Path);
        }
    }
}

void TForm1::SaveAsCommand() {
    if (const ResultRow* row = SelectedRow()) {
        SaveEditorAs(row);
    }
}

bool TForm1::SaveEditorAs(const ResultRow* row) {
    std::string_view ext = row != nullptr ? ExtractFileExt(row->Name) : std::string_view();
    if (!ext.empty()) {
        ext.remove_prefix(1);
    }
    const std::optional<QString> chosen = fServices.dialogs->ChooseSaveFile(
        this, QStringLiteral("Save your file"), QDir::currentPath(), DisplayPath(std::string(ext)));
    if (!chosen) {
        return false;
    }
    // The dialog speaks in readable names; the file goes to the bytes they stand for (a
    // folder named in another encoding included).
    const std::string path = LocalPathBytes(*chosen);
    if (!RunHandler(this, [&] { fMemoWidget->Memo().Lines().SaveToFile(path); })) {
        return false;
    }
    SetModified(false);
    // The next save dialog and folder chooser start where this file went.
    if (::chdir(FolderOf(path).c_str()) != 0) {
        QDir::setCurrent(QFileInfo(*chosen).absolutePath());
    }
    return true;
}

// Cut and Copy act on a selection only: with none the clipboard keeps what it holds. The
// clipboard gets LF line breaks.
void TForm1::ToolButton5Click() {
    editor::TAdvMemo& memo = fMemoWidget->Memo();
    if (memo.SelectionLength() == 0) {
        return;
    }
    if (platform::Clipboard* clipboard = platform::Clipboard::Installed()) {
        clipboard->SetText(platform::WithLfLineBreaks(memo.SelectedText()));
    }
    memo.DeleteSelectedText(true);
}

void TForm1::ToolButton4Click() {
    const editor::TAdvMemo& memo = fMemoWidget->Memo();
    if (memo.SelectionLength() == 0) {
        return;
    }
    if (platform::Clipboard* clipboard = platform::Clipboard::Installed()) {
        clipboard->SetText(platform::WithLfLineBreaks(memo.SelectedText()));
    }
}

// Text from other programs has LF (or CR) line breaks; they break lines here as CR LF does.
void TForm1::ToolButton6Click() {
    const platform::Clipboard* clipboard = platform::Clipboard::Installed();
    fMemoWidget->Memo().InsertAtCaret(
        clipboard != nullptr ? platform::WithCrLfLineBreaks(clipboard->Text()) : std::string());
}

void TForm1::AdvMemo1SelectionChange() {
    const bool selected = fMemoWidget->Memo().SelectionLength() > 0;
    for (QToolButton* button : {fToolButtons[3], fToolButtons[4]}) {
        button->setEnabled(selected);
    }
    Cut1->setEnabled(selected);
    Copy1->setEnabled(selected);
}

void TForm1::CreateFindReplace() {
    platform::Prompts* prompts = fServices.prompts.get();
    if (prompts == nullptr) {
        fOwnPrompts = platform::QtPrompts::Create(this, *fDispatcher);
        prompts = fOwnPrompts.get();
    }
    fFindReplace = std::make_unique<editor::TAdvMemoFindReplaceDialog>(
        std::make_unique<QtReplaceDialogWindow>(this, fMemoWidget), prompts);
    fFindReplace->SetAdvMemo(&fMemoWidget->Memo());
    // A Replace All tells in the left status panel how many occurrences it replaced.
    fFindReplace->OnReplaceDone = [this](editor::TAdvMemoFindReplaceDialog& dialog) {
        if (dialog.LastWasReplaceAll()) {
            const int count = dialog.ReplaceCount();
            bsSkinStatusPanel1->setText(count == 1
                                            ? QStringLiteral("1 occurrence replaced")
                                            : QStringLiteral("%1 occurrences replaced").arg(count));
        }
    };
}

void TForm1::FindReplaceCommand() {
    RunHandler(this, [this] { fFindReplace->ShowDialog(); });
}

void TForm1::ToolButton7Click() {
    FindReplaceCommand();
}

void TForm1::Find1Click() {
    FindReplaceCommand();
}

}  // namespace tarnwick::ui
