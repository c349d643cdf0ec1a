// The program's command line: `tarnwick [OPTION]... [FOLDER [NAME]]`. Parsing needs no window
// and no display, so --help and --version are answered before the application object exists.
// FOLDER and NAME are kept as the bytes given (a folder name need not be UTF-8); FOLDER is set
// only when it names an existing folder, made absolute. Whatever was wrong with the arguments
// is collected as lines for standard error; the program still starts.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarnwick::ui {

class CommandLine {
  public:
    enum class Action { Run, ShowHelp, ShowVersion };

    // Reads the arguments after the program's name. A relative FOLDER is taken from
    // `workingFolder` (empty: the process's working directory).
    static CommandLine Parse(const std::vector<std::string>& args,
                             const std::string& workingFolder = {});

    // What --help and --version print on standard output, each ending in a line break.
    static std::string HelpText();
    static std::string VersionText();

    Action RequestedAction() const { return fAction; }
    // An existing folder as an absolute, cleaned path without a trailing separator (but "/").
    const std::optional<std::string>& Folder() const { return fFolder; }
    // The text for the name box, when one was given (also when FOLDER was rejected).
    const std::optional<std::string>& Name() const { return fName; }
    // Lines for standard error, without their line breaks; empty when all was well.
    const std::vector<std::string>& Errors() const { return fErrors; }

  private:
    void TakeFolder(const std::string& path, const std::string& workingFolder);

    Action fAction = Action::Run;
    std::optional<std::string> fFolder;
    std::optional<std::string> fName;
    std::vector<std::string> fErrors;
};

}  // namespace tarnwick::ui
