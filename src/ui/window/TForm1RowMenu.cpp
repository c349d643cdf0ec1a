// What the main window does with a row beyond a click: its menu, and a drag of its file.
#include <QItemSelectionModel>
#include <QPoint>
#include <QTableView>

#include "ui/results/ResultsMenu.h"
#include "ui/window/TForm1.h"

namespace tarnwick::ui {

void TForm1::ListView1RowMenu(int row, const QPoint& globalPos) {
    if (row < 0 || row >= fResults->rowCount()) {
        return;
    }
    if (row == fShownRow) {
        // Shown already (the editor may hold its edited text): only selected again, with the
        // commands a click on it enables.
        ReselectShownRow();
        SetFileCommandsEnabled(true);
    } else {
        ListView1->selectionModel()->setCurrentIndex(
            fResults->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        ListView1Click();
    }
    if (SelectedIndex() != row) {
        return;  // the edited text was kept, and its row selected again
    }
    fRowMenu->Popup(fResults->Row(row), globalPos);
}

void TForm1::ListView1DragEnded(int row) {
    if (row != fShownRow && row == SelectedIndex()) {
        ListView1Click();
    }
}

}  // namespace tarnwick::ui
