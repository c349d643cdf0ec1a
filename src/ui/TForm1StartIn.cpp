// Starting in a folder given on the command line: the folder becomes the chosen Look in entry
// as if "Other..." had chosen it, and a name text goes into the name box.
#include <QComboBox>
#include <QFile>
#include <QVariant>

#include "ui/TForm1.h"

namespace tarnwick {
namespace {

// The folder's own bytes, kept with its Look in entry: its shown text is the locale's reading
// of them, which can't give back a name that is not valid UTF-8.
constexpr int kFolderBytesRole = Qt::UserRole + 1;
constexpr const char* kFollowsBytesProperty = "tarnwickLookInFollowsBytes";

}  // namespace

// Builds the Look in list first when the window has not been shown yet (showing it later then
// leaves the list as it is). An empty `folder` or `name` leaves its box unchanged.
void TForm1::StartIn(const std::string& folder, const std::string& name) {
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
    if (!ComboBox3->property(kFollowsBytesProperty).toBool()) {
        ComboBox3->setProperty(kFollowsBytesProperty, true);
        // Runs after the window's own reaction to a new Look in text, which reads the shown
        // text, and puts the entry's bytes in its place whenever the entry carries them.
        connect(ComboBox3, &QComboBox::currentTextChanged, this, [this] {
            const QVariant bytes = ComboBox3->currentData(kFolderBytesRole);
            if (bytes.isValid()) {
                options_.SetLookIn(bytes.toByteArray().toStdString());
            }
        });
    }
    if (!folder.empty()) {
        const QByteArray bytes = QByteArray::fromStdString(folder);
        ComboBox3->insertItem(0, QFile::decodeName(bytes));
        ComboBox3->setItemData(0, bytes, kFolderBytesRole);
        ComboBox3->setCurrentIndex(0);
        options_.SetLookIn(folder);
    }
    if (!name.empty()) {
        // A typed text crosses into the boxes as UTF-8, as the history files do; the box's
        // change reaches the search options as typing does.
        ComboBox1->setEditText(QString::fromStdString(name));
    }
}

}  // namespace tarnwick
