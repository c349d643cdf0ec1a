// Tarnwick's entry: creates the application and its main window and runs the event loop.
#include <QApplication>

#include "platform/Shell.h"
#include "platform/qt/QtShell.h"
#include "ui/TForm1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tarnwick::QtShell shell;
    tarnwick::Shell::Install(&shell);
    int status = 0;
    {
        tarnwick::TForm1 window;
        window.show();
        status = QApplication::exec();
    }
    tarnwick::Shell::Install(nullptr);
    return status;
}
