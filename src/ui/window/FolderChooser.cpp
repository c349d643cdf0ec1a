// Folder chooser built on Qt's own file dialog in folder mode. Left alone, that mode greys out
// OK for a path that does not exist and refuses it with a warning; the chooser keeps OK's state
// to its own rule and takes such a path itself.
#include "ui/window/FolderChooser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/window/HandlerBarrier.h"

namespace tarnwick::ui {
namespace {

// Typed alone, this makes Qt's dialog show the parent folder instead of accepting.
const QLatin1String kParentFolder("..");

}  // namespace

FolderChooser::FolderChooser(QWidget* parent)
    : QFileDialog(parent, QStringLiteral("Browse for Folder"), QDir::currentPath()) {
    // The desktop's dialog can't take a folder that does not exist.
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    setLabelText(QFileDialog::Accept, QStringLiteral("OK"));

    fNameEdit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (auto* buttons = findChild<QDialogButtonBox*>()) {
        fOkButton = buttons->button(QDialogButtonBox::Open);
    }
    if (fNameEdit != nullptr && fOkButton != nullptr) {
        // Connected after the dialog's own handler, so this rule has the last word on typing;
        // the filter corrects every other change the dialog makes to the button.
        connect(fNameEdit, &QLineEdit::textChanged, this,
                Guarded(this, [this] { UpdateOkButton(); }));
        fOkButton->installEventFilter(this);
        UpdateOkButton();
    }

    // The working directory follows every folder shown, however it was reached (list, path
    // box, typed path, side bar), and is set once more when the dialog closes.
    connect(this, &QFileDialog::directoryEntered, this,
            Guarded<const QString&>(this, &FolderChooser::FollowFolder));
    if (auto* model = findChild<QFileSystemModel*>()) {
        connect(model, &QFileSystemModel::rootPathChanged, this,
                Guarded<const QString&>(this, &FolderChooser::FollowFolder));
    }
    connect(this, &QDialog::finished, this,
            Guarded(this, [this] { FollowFolder(directory().absolutePath()); }));
}

void FolderChooser::FollowFolder(const QString& folder) {
    if (!folder.isEmpty()) {
        QDir::setCurrent(folder);  // a folder that vanished meanwhile is simply not entered
    }
}

QString FolderChooser::Candidate() const {
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.constFirst();
}

bool FolderChooser::CandidateAcceptable() const {
    if (fNameEdit != nullptr && fNameEdit->text() == kParentFolder) {
        return true;
    }
    const QString path = Candidate();
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    return info.isDir() || !info.exists();
}

void FolderChooser::UpdateOkButton() {
    const bool acceptable = CandidateAcceptable();
    if (fOkButton->isEnabled() != acceptable) {
        fOkButton->setEnabled(acceptable);
    }
}

bool FolderChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fOkButton && event->type() == QEvent::EnabledChange) {
        RunHandler(this, [this] {
            if (fOkButton->isEnabled() != CandidateAcceptable()) {
                UpdateOkButton();  // sends one more change event, which then agrees
            }
        });
    }
    return QFileDialog::eventFilter(watched, event);
}

void FolderChooser::accept() {
    if (fNameEdit != nullptr && fNameEdit->text() == kParentFolder) {
        QFileDialog::accept();
        return;
    }
    if (!CandidateAcceptable()) {
        return;  // an existing file is not a folder
    }
    fChosen = QDir::cleanPath(QFileInfo(Candidate()).absoluteFilePath());
    // The dialog's own accept would refuse a folder that does not exist.
    QDialog::accept();
}

}  // namespace tarnwick::ui
