// Tarnwick's entry: creates the application and its main window and runs the event loop.
#include <QApplication>

#include "platform/Clipboard.h"
#include "platform/Shell.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtShell.h"
#include "ui/TForm1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tarnwick::QtShell shell;
    tarnwick::Shell::Install(&shell);
    tarnwick::QtClipboard clipboard;
    tarnwick::Clipboard::Install(&clipboard);
    int status = 0;
    {
        tarnwick::TForm1 window;
        window.show();
        status = QApplication::exec();
    }
    tarnwick::Clipboard::Install(nullptr);
    tarnwick::Shell::Install(nullptr);
    return status;
}
