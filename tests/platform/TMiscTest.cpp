// Shell-open helper: the show-command check and the call to the installed shell.
#include "platform/TMisc.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/Shell.h"
#include "support/RecordingShell.h"

namespace tarnwick::platform {
namespace {

using testing::RecordingShell;

class TMiscTest : public ::testing::Test {
  protected:
    void SetUp() override { Shell::Install(&shell); }
    void TearDown() override { Shell::Install(nullptr); }
    RecordingShell shell;
};

TEST_F(TMiscTest, OpensTheTargetWithTheInstalledShell) {
    TMisc::OpenSite("http://www.tarnwick.example/", "", "1");
    TMisc::OpenSite("/tmp/some file.txt", "", "-3");
    EXPECT_EQ(shell.opened,
              (std::vector<std::string>{"http://www.tarnwick.example/", "/tmp/some file.txt"}));
}

TEST_F(TMiscTest, ShowCommandMustBeADecimalInteger) {
    for (const char* bad : {"", "one", "1.0", " 1", "1x", "+", "0x1"}) {
        try {
            TMisc::OpenSite("x", "", bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + bad + "' is not a valid integer value");
        }
    }
    EXPECT_TRUE(shell.opened.empty());
}

TEST(TMiscWithoutShellTest, DoesNothingWhenNoShellIsInstalled) {
    Shell::Install(nullptr);
    EXPECT_NO_THROW(TMisc::OpenSite("x", "", "1"));
}

}  // namespace
}  // namespace tarnwick::platform
