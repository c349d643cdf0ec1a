// Start-up, the input histories and closing of the main window.
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>

#include "history/InputHistory.h"
#include "ui/window/GuardedDispatcher.h"
#include "ui/window/TForm1.h"
#include "ui/window/TForm2.h"

namespace tarnwick::ui {

void TForm1::FormCreate() {
    // The results list's full-row selection and double buffering are set where it is built.
    fNameHistory = std::make_unique<history::InputHistory>();
    fWordHistory = std::make_unique<history::InputHistory>();
    ComboBox1->installEventFilter(this);
    ComboBox2->installEventFilter(this);
    // On an error the remaining start-up steps are skipped; the window still opens.
    RunHandler(this, [this] {
        LoadHistories();
        if (!fServices.updateEndpoint.empty()) {
            fUpdateCheck.Start(this, *fDispatcher, fServices.updateEndpoint,
                               fServices.updateDeadline, fServices.prompts);
        }
    });
}

std::string TForm1::HistoryPath(const char* fileName) const {
    if (!fServices.historyFolder.empty()) {
        return history::HistoryFilePath(fServices.historyFolder, fileName);
    }
    // The histories live beside the executable. An installed copy's folder is not writable:
    // there they go to the user's data folder instead, or closing could never succeed.
    QString folder = QCoreApplication::applicationDirPath();
    if (!QFileInfo(folder).isWritable()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(folder);
    }
    return history::HistoryFilePath(QFile::encodeName(folder).toStdString(), fileName);
}

void TForm1::LoadHistories() {
    const struct {
        history::InputHistory& history;
        QComboBox* box;
        const char* file;
    } lists[] = {{*fNameHistory, ComboBox1, history::kNameHistoryFileName},
                 {*fWordHistory, ComboBox2, history::kWordHistoryFileName}};
    for (const auto& list : lists) {
        if (list.history.LoadFromFileIfExists(HistoryPath(list.file))) {
            const QString text = list.box->currentText();
            list.box->clear();
            for (const std::string& entry : list.history.Entries()) {
                list.box->addItem(QString::fromStdString(entry));
            }
            list.box->setEditText(text);
        }
    }
}

namespace {

// Mirrors one recording into the box, keeping what the user typed in the edit field.
void Record(history::InputHistory& history, QComboBox* box) {
    const QString text = box->currentText();
    const history::InputHistory::RecordResult result = history.Record(text.toStdString());
    if (!result.recorded) {
        return;
    }
    if (result.droppedLast) {
        box->removeItem(box->count() - 1);
    }
    box->insertItem(static_cast<int>(result.index), text);
    box->setEditText(text);
}

}  // namespace

void TForm1::ComboBox1Exit() {
    Record(*fNameHistory, ComboBox1);
}

void TForm1::ComboBox2Exit() {
    Record(*fWordHistory, ComboBox2);
}

void TForm1::ComboBox1Enter() {
    ComboBox1Exit();
    BitBtn1->click();  // does nothing while a search runs
}

void TForm1::ComboBox2Enter() {
    ComboBox2Exit();
    BitBtn1->click();
}

void TForm1::Edit1Enter() {
    BitBtn1->click();
}

void TForm1::Edit2Enter() {
    BitBtn1->click();
}

bool TForm1::SaveHistories() {
    return RunHandler(this, [this] {
        fNameHistory->SaveToFile(HistoryPath(history::kNameHistoryFileName));
        fWordHistory->SaveToFile(HistoryPath(history::kWordHistoryFileName));
    });
}

void TForm1::closeEvent(QCloseEvent* event) {
    // An error on the way keeps the window open, as Cancel does.
    if (!RunHandler(this, [this, event] { FormClose(*event); })) {
        event->ignore();
    }
}

void TForm1::FormClose(QCloseEvent& event) {
    // Modified text is asked about first; Cancel keeps the window open.
    if (!MayDiscardEdits() || !SaveHistories()) {
        event.ignore();  // the window stays open
        return;
    }
    // A running walk must not outlive the controls it reports to; a running load is dropped.
    fSearch->StopSearch();
    CancelLoad();
    event.accept();
}

void TForm1::AboutCommand() {
    fForm2->PrepareToShow();
    fForm2->exec();
}

}  // namespace tarnwick::ui
