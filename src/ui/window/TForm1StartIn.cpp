// Starting in a folder given on the command line: the folder becomes the chosen Look in entry
// as if "Other..." had chosen it, and a name text goes into the name box.
#include <QComboBox>
#include <QFile>

#include "ui/window/TForm1.h"

namespace tarnwick::ui {

// Builds the Look in list first when the window has not been shown yet (showing it later then
// leaves the list as it is). An empty `folder` or `name` leaves its box unchanged.
void TForm1::StartIn(const std::string& folder, const std::string& name) {
    if (!fShownOnce) {
        fShownOnce = true;
        FormShow();
    }
    if (!folder.empty()) {
        // Shown as the locale reads it; the entry keeps the folder's own bytes, which the search
        // uses (a name that is not UTF-8 can't be read back from its shown text).
        const QByteArray bytes = QByteArray::fromStdString(folder);
        ComboBox3->insertItem(0, QFile::decodeName(bytes), bytes);
        ComboBox3->setCurrentIndex(0);
        fOptions.SetLookIn(folder);
    }
    if (!name.empty()) {
        // A typed text crosses into the boxes as UTF-8, as the history files do; the box's
        // change reaches the search options as typing does.
        ComboBox1->setEditText(QString::fromStdString(name));
    }
}

}  // namespace tarnwick::ui
