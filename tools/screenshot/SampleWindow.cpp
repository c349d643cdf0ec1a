// The main window on a sample folder, for the screenshot tools.
#include "SampleWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <cstdio>

#include "ui/AdvMemoWidget.h"
#include "ui/UiDialogs.h"

namespace tarnwick::screenshot {

bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 20000) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

std::unique_ptr<TForm1> OpenMainWindow(const std::filesystem::path& root) {
    TForm1Services services;
    services.dialogs = &UiDialogs::Unattended();
    services.readDriveRoots = false;
    services.historyFolder = root.string();
    services.entryPause = std::chrono::microseconds(0);
    auto window = std::make_unique<TForm1>(services);
    window->Search().State().DriveRoots = {root.string()};
    window->show();
    window->FormShow();
    return window;
}

bool SearchAndOpen(TForm1& window, const char* comboName, const QString& text,
                   const std::string& fileName) {
    window.findChild<QComboBox*>(comboName)->setEditText(text);
    auto* search = window.findChild<QPushButton*>("BitBtn1");
    search->click();
    if (!WaitFor([&] { return search->isEnabled(); })) {
        std::fprintf(stderr, "the search did not end\n");
        return false;
    }
    int row = -1;
    for (int i = 0; i < window.Results().rowCount(); ++i) {
        if (window.Results().Row(i).Name == fileName) {
            row = i;
        }
    }
    if (row < 0) {
        std::fprintf(stderr, "%s was not found\n", fileName.c_str());
        return false;
    }
    auto* list = window.findChild<QTableView*>("ListView1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(window.Results().index(row, 0)).center());
    if (!WaitFor([&] { return window.Memo().Memo().Lines().Count() > 0; })) {
        std::fprintf(stderr, "%s was not loaded\n", fileName.c_str());
        return false;
    }
    return true;
}

}  // namespace tarnwick::screenshot
