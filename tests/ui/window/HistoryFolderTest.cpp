// Which copies of the program keep their histories in the user's data folder.
#include "ui/window/HistoryFolder.h"

#include <gtest/gtest.h>

namespace tarnwick::ui {
namespace {

TEST(HistoryFolderTest, InstalledCopiesUseTheUserDataFolderAndBuildCopiesTheirOwn) {
    const std::string data = "/home/user/.local/share/tarnwick";
    const struct {
        const char* executableFolder;
        bool installed;
    } cases[] = {
        {"/usr/bin", true},       {"/usr/local/bin", true},
        {"/usr", true},           {"/opt/tarnwick/bin", true},
        {"/opt", true},           {"/usrlocal/bin", false},
        {"/optional/bin", false}, {"/home/user/src/tarnwick/build/default/src", false},
        {"/tmp/usr/bin", false},  {"/", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HistoryFolder::IsSystemFolder(c.executableFolder), c.installed)
            << c.executableFolder;
        EXPECT_EQ(HistoryFolder::For(c.executableFolder, data), c.installed ? data : "")
            << c.executableFolder;
    }
}

}  // namespace
}  // namespace tarnwick::ui
