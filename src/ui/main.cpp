// Tarnwick's entry: creates the application and its main window and runs the event loop.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/AppInfo.h"
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
    std::shared_ptr<const tarnwick::TIdThreadComponent::Control> updateCheck;
    {
        tarnwick::TForm1Services services;
        services.updateEndpoint = tarnwick::kVersionDocumentUrl;
        tarnwick::TForm1 window(services);
        window.show();
        status = QApplication::exec();
        updateCheck = window.UpdateCheckRun();
    }
    tarnwick::Clipboard::Install(nullptr);
    tarnwick::Shell::Install(nullptr);
    if (updateCheck && !updateCheck->WaitForEnd(std::chrono::milliseconds(0))) {
        // An update check abandoned at close may still be waiting on the network; the process
        // ends here rather than tear down what that thread may still touch.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
