// The Qt shell hands the launcher and the file manager URIs made from a path's bytes.
#include <gtest/gtest.h>

#include "platform/qt/QtShell.h"

namespace tarnwick::platform {
namespace {

TEST(QtShellTest, LocalPathsReachTheLauncherByTheirBytesAndAddressesAsGiven) {
    const struct {
        std::string target;
        QByteArray encoded;
    } cases[] = {
        {"/tmp/caf\xE9 x.txt", "file:///tmp/caf%E9%20x.txt"},
        {"/tmp/caf\xC3\xA9.txt", "file:///tmp/caf%C3%A9.txt"},
        {"/tmp/a#b?c", "file:///tmp/a%23b%3Fc"},
        {"http://www.tarnwick.example/contact/", "http://www.tarnwick.example/contact/"},
    };
    for (const auto& c : cases) {
        const QUrl url = QtShell::UrlOf(c.target);
        EXPECT_TRUE(url.isValid()) << c.target;
        EXPECT_EQ(url.toEncoded(), c.encoded) << c.target;
    }
    EXPECT_EQ(QtShell::UrlOf("/tmp/caf\xC3\xA9.txt").toLocalFile(),
              QStringLiteral("/tmp/caf\u00E9.txt"));
    EXPECT_EQ(QtShell::ShowItemsArgument("/tmp/my file with spaces.txt"),
              "file:///tmp/my%20file%20with%20spaces.txt");
    EXPECT_EQ(QtShell::ShowItemsArgument("/tmp/d\xE9r/caf\xE9.txt"),
              "file:///tmp/d%E9r/caf%E9.txt");
}

}  // namespace
}  // namespace tarnwick::platform
