// Tarnwick's entry: reads the command line, creates the application and its main window and
// runs the event loop.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/AppInfo.h"
#include "platform/Clipboard.h"
#include "platform/Shell.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtShell.h"
#include "ui/window/CommandLine.h"
#include "ui/window/HistoryFolder.h"
#include "ui/window/TForm1.h"

namespace {

std::vector<std::string> Arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace

int main(int argc, char* argv[]) {
    // --help and --version are answered before the application object exists, so they need
    // no display.
    const tarnwick::ui::CommandLine early = tarnwick::ui::CommandLine::Parse(Arguments(argc, argv));
    if (early.RequestedAction() != tarnwick::ui::CommandLine::Action::Run) {
        const std::string text =
            early.RequestedAction() == tarnwick::ui::CommandLine::Action::ShowHelp
                ? tarnwick::ui::CommandLine::HelpText()
                : tarnwick::ui::CommandLine::VersionText();
        std::fputs(text.c_str(), stdout);
        return std::fflush(stdout) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    // The application took its own options (-platform, -style...) out of argv; the rest is ours.
    const tarnwick::ui::CommandLine command =
        tarnwick::ui::CommandLine::Parse(Arguments(argc, argv));
    for (const std::string& line : command.Errors()) {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
    tarnwick::platform::QtShell shell;
    tarnwick::platform::Shell::Install(&shell);
    tarnwick::platform::QtClipboard clipboard;
    tarnwick::platform::Clipboard::Install(&clipboard);
    int status = 0;
    std::shared_ptr<const tarnwick::update::TIdThreadComponent::Control> updateCheck;
    {
        tarnwick::ui::TForm1Services services;
        services.updateEndpoint = tarnwick::platform::kVersionDocumentUrl;
        // An installed copy never writes beside its executable, not even as root.
        const QString dataFolder =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        services.historyFolder = tarnwick::ui::HistoryFolder::For(
            QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(),
            QFile::encodeName(dataFolder).toStdString());
        if (!services.historyFolder.empty()) {
            QDir().mkpath(dataFolder);
        }
        tarnwick::ui::TForm1 window(services);
        window.show();
        window.StartIn(command.Folder().value_or(std::string()),
                       command.Name().value_or(std::string()));
        status = QApplication::exec();
        updateCheck = window.UpdateCheckRun();
    }
    tarnwick::platform::Clipboard::Install(nullptr);
    tarnwick::platform::Shell::Install(nullptr);
    if (updateCheck && !updateCheck->WaitForEnd(std::chrono::milliseconds(0))) {
        // An update check abandoned at close may still be waiting on the network; the process
        // ends here rather than tear down what that thread may still touch.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
