// The command line: FOLDER and NAME, paths that are not folders, the options, and what is said
// on standard error, against real files in a temporary tree.
#include "ui/window/CommandLine.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TempTree.h"

namespace tarnwick::ui {
namespace {

using Action = CommandLine::Action;
constexpr const char* kTryHelp = "Try 'tarnwick --help' for more information.";

TEST(CommandLineTest, ReadsFolderNameAndOptions) {
    testing::TempTree tree;
    tree.Folder("work/src");
    tree.Folder("-dash");
    tree.Folder(std::string("caf\xe9"));  // Latin-1 bytes, not UTF-8
    tree.File("notes.txt", "x");
    const std::string root = tree.root();
    const struct {
        const char* what;
        std::vector<std::string> args;
        Action action;
        std::optional<std::string> folder;
        std::optional<std::string> name;
        std::vector<std::string> errors;
    } cases[] = {
        {"nothing", {}, Action::Run, std::nullopt, std::nullopt, {}},
        {"a folder", {root + "/work"}, Action::Run, root + "/work", std::nullopt, {}},
        {"a folder and a name",
         {root + "/work", "*.cpp"},
         Action::Run,
         root + "/work",
         "*.cpp",
         {}},
        {"a relative folder", {"work/src"}, Action::Run, root + "/work/src", std::nullopt, {}},
        {"dots and separators cleaned",
         {root + "//work/./src/../src/"},
         Action::Run,
         root + "/work/src",
         std::nullopt,
         {}},
        {"the root folder", {"/"}, Action::Run, "/", std::nullopt, {}},
        {"bytes that are not UTF-8",
         {root + "/caf\xe9", "r\xe9sum\xe9"},
         Action::Run,
         root + "/caf\xe9",
         "r\xe9sum\xe9",
         {}},
        {"a file is not a folder",
         {root + "/notes.txt", "notes"},
         Action::Run,
         std::nullopt,
         "notes",
         {"tarnwick: cannot look in '" + root + "/notes.txt': it is not a folder", kTryHelp}},
        {"a missing folder",
         {root + "/missing"},
         Action::Run,
         std::nullopt,
         std::nullopt,
         {"tarnwick: cannot look in '" + root + "/missing': " + std::strerror(ENOENT), kTryHelp}},
        {"an empty folder name",
         {""},
         Action::Run,
         std::nullopt,
         std::nullopt,
         {"tarnwick: cannot look in '': the folder name is empty", kTryHelp}},
        {"--help", {"--help"}, Action::ShowHelp, std::nullopt, std::nullopt, {}},
        {"-h among other arguments",
         {root + "/work", "-h", "--bogus", "a", "b"},
         Action::ShowHelp,
         std::nullopt,
         std::nullopt,
         {}},
        {"--version", {"--version"}, Action::ShowVersion, std::nullopt, std::nullopt, {}},
        {"--help wins over --version",
         {"--version", "--help"},
         Action::ShowHelp,
         std::nullopt,
         std::nullopt,
         {}},
        {"an unknown option still starts in the folder",
         {"--bogus", root + "/work", "-x"},
         Action::Run,
         root + "/work",
         std::nullopt,
         {"tarnwick: unknown option '--bogus'", "tarnwick: unknown option '-x'", kTryHelp}},
        {"too many arguments keep the first two",
         {root + "/work", "name", "three", "four"},
         Action::Run,
         root + "/work",
         "name",
         {"tarnwick: too many arguments, ignoring 'three' 'four' (give at most FOLDER and NAME)",
          kTryHelp}},
        {"after -- a folder may begin with a dash",
         {"--", "-dash", "--help"},
         Action::Run,
         root + "/-dash",
         "--help",
         {}},
        {"a lone dash is a name", {root + "/work", "-"}, Action::Run, root + "/work", "-", {}},
    };
    for (const auto& c : cases) {
        const CommandLine line = CommandLine::Parse(c.args, root);
        EXPECT_EQ(line.RequestedAction(), c.action) << c.what;
        EXPECT_EQ(line.Folder(), c.folder) << c.what;
        EXPECT_EQ(line.Name(), c.name) << c.what;
        EXPECT_EQ(line.Errors(), c.errors) << c.what;
    }
}

TEST(CommandLineTest, HelpShowsUsageAndOptionsAndVersionIsTheProgramsVersion) {
    const std::string help = CommandLine::HelpText();
    EXPECT_EQ(help.rfind("Usage: tarnwick [OPTION]... [FOLDER [NAME]]\n", 0), 0u) << help;
    for (const char* option : {"-h, --help", "--version", "--  "}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(help.back(), '\n');
    EXPECT_EQ(CommandLine::VersionText(), "tarnwick 2.0.1\n");
}

}  // namespace
}  // namespace tarnwick::ui
