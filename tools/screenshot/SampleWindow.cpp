// The main window on a sample folder, for the screenshot tools.
#include "SampleWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <cstdio>

#include "ui/editor/AdvMemoWidget.h"
#include "ui/window/UiDialogs.h"

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

std::unique_ptr<ui::TForm1> OpenMainWindow(const std::filesystem::path& root) {
    ui::TForm1Services services;
    services.dialogs = &ui::UiDialogs::Unattended();
    services.readDriveRoots = false;
    services.historyFolder = root.string();
    services.entryPause = std::chrono::microseconds(0);
    auto window = std::make_unique<ui::TForm1>(services);
    window->Search().State().DriveRoots = {root.string()};
    window->show();
    window->FormShow();
    return window;
}

bool SearchAndOpen(ui::TForm1& window, const char* comboName, const QString& text,
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

bool SaveWithPopup(QWidget& window, QWidget* popup, bool frame, const QString& output) {
    if (popup == nullptr) {
        std::fprintf(stderr, "nothing to show for %s\n", qPrintable(output));
        return false;
    }
    QCoreApplication::processEvents();
    QPixmap image = window.grab();
    QPainter painter(&image);
    const QRect at(window.mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->size());
    painter.drawPixmap(at.topLeft(), popup->grab());
    if (frame) {
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(at.adjusted(-1, -1, 0, 0));
    }
    painter.end();
    if (!image.save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(output));
    return true;
}

}  // namespace tarnwick::screenshot
