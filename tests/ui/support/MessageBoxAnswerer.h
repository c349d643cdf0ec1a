// Answers the next message box that opens, from inside the box's own event loop (a modal box
// blocks the code that opened it, so a test can't click it afterwards), and keeps what it showed.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace tarnwick::testing {

class MessageBoxAnswerer {
  public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton button) : fButton(button) {
        QObject::connect(&fTimer, &QTimer::timeout, [this] { Look(); });
        fTimer.start(5);
    }

    bool answered = false;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget* parent = nullptr;

  private:
    void Look() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || answered) {
            return;
        }
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = box->standardButtons();
        parent = box->parentWidget();
        answered = true;
        fTimer.stop();
        box->button(fButton)->click();
    }

    QMessageBox::StandardButton fButton;
    QTimer fTimer;
};

}  // namespace tarnwick::testing
