// Parsing of the program's command line and the texts of --help and --version.
#include "ui/window/CommandLine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/AppInfo.h"

namespace tarnwick::ui {
namespace {

constexpr const char* kProgram = "tarnwick";

std::string WorkingFolder() {
    std::string buffer(4096, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}

// `path` made absolute against `base` and cleaned of ".", ".." and doubled separators, as the
// folder chooser returns its folders. The path's bytes pass through unchanged.
std::string AbsoluteFolder(const std::string& path, const std::string& base) {
    std::filesystem::path full(path);
    if (full.is_relative()) {
        full = std::filesystem::path(base) / full;
    }
    std::string cleaned = full.lexically_normal().native();
    while (cleaned.size() > 1 && cleaned.back() == '/') {
        cleaned.pop_back();
    }
    return cleaned;
}

}  // namespace

CommandLine CommandLine::Parse(const std::vector<std::string>& args,
                               const std::string& workingFolder) {
    CommandLine result;
    std::vector<std::string> operands;
    std::vector<std::string> unknown;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            operands.push_back(arg);  // "-" alone is a name like any other
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            // Help wins over everything else, as a user asking for it expects.
            result.fAction = Action::ShowHelp;
        } else if (arg == "--version") {
            if (result.fAction == Action::Run) {
                result.fAction = Action::ShowVersion;
            }
        } else {
            unknown.push_back(arg);
        }
    }
    if (result.fAction != Action::Run) {
        return result;
    }
    for (const std::string& option : unknown) {
        result.fErrors.push_back(std::string(kProgram) + ": unknown option '" + option + "'");
    }
    if (operands.size() > 2) {
        std::string extra;
        for (std::size_t i = 2; i < operands.size(); ++i) {
            extra += (i > 2 ? " '" : "'") + operands[i] + "'";
        }
        result.fErrors.push_back(std::string(kProgram) + ": too many arguments, ignoring " + extra +
                                 " (give at most FOLDER and NAME)");
    }
    if (!operands.empty()) {
        result.TakeFolder(operands[0], workingFolder.empty() ? WorkingFolder() : workingFolder);
    }
    if (operands.size() > 1) {
        result.fName = operands[1];
    }
    if (!result.fErrors.empty()) {
        result.fErrors.push_back(std::string("Try '") + kProgram +
                                 " --help' for more information.");
    }
    return result;
}

void CommandLine::TakeFolder(const std::string& path, const std::string& workingFolder) {
    const std::string prefix = std::string(kProgram) + ": cannot look in '" + path + "': ";
    if (path.empty()) {
        fErrors.push_back(prefix + "the folder name is empty");
        return;
    }
    // The folder that is checked is the one that will be shown.
    const std::string full = AbsoluteFolder(path, workingFolder);
    struct stat info {};
    if (::stat(full.c_str(), &info) != 0) {
        fErrors.push_back(prefix + std::strerror(errno));
    } else if (!S_ISDIR(info.st_mode)) {
        fErrors.push_back(prefix + "it is not a folder");
    } else {
        fFolder = full;
    }
}

std::string CommandLine::HelpText() {
    return std::string("Usage: ") + kProgram +
           " [OPTION]... [FOLDER [NAME]]\n"
           "Find files and folders by name and content, preview and edit them.\n"
           "\n"
           "With FOLDER the window opens with FOLDER chosen in the Look in list; with NAME\n"
           "too, NAME is put into the name box (\"Search for files and folders\"). The search\n"
           "starts when you press Search.\n"
           "\n"
           "Options:\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n"
           "  --             end of options: what follows is FOLDER and NAME even when it\n"
           "                 begins with '-'\n"
           "\n"
           "Qt's own options, such as -platform NAME or -style NAME, are accepted as well.\n";
}

std::string CommandLine::VersionText() {
    return std::string(kProgram) + " " + platform::AppVersion + "\n";
}

}  // namespace tarnwick::ui
