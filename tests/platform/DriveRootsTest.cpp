// Drive roots from a mount table.
#include "platform/DriveRoots.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarnwick::platform {
namespace {

using ::testing::ElementsAre;

TEST(DriveRootsTest, RealFileSystemsOnBlockDevicesSortedAndDeduplicated) {
    const std::string mounts =
        "/dev/vda1 / ext4 rw,relatime 0 0\n"
        "proc /proc proc rw 0 0\n"
        "sysfs /sys sysfs rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "overlay /var/lib/x overlay rw 0 0\n"
        "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
        "/dev/vda2 /home ext4 rw 0 0\n"
        "/dev/vda2 /home ext4 rw 0 0\n"
        "/dev/loop3 /snap/core squashfs ro 0 0\n"
        "/dev/vda1 /etc/hosts ext4 rw 0 0\n"
        "server:/export /mnt/nfs nfs4 rw 0 0\n"
        "garbage\n";
    const auto isBlock = [](const std::string& source) { return source.rfind("/dev/", 0) == 0; };
    const auto isDir = [](const std::string& target) { return target != "/etc/hosts"; };
    EXPECT_THAT(DriveRootsFromMounts(mounts, isBlock, isDir),
                ElementsAre("/", "/home", "/media/usb stick"));
}

TEST(DriveRootsTest, RootIsAlwaysThereEvenOnAnOverlayRoot) {
    const auto never = [](const std::string&) { return false; };
    EXPECT_THAT(DriveRootsFromMounts("overlay / overlay rw 0 0\n", never, never), ElementsAre("/"));
}

TEST(DriveRootsTest, UnescapesOctalFields) {
    EXPECT_EQ(UnescapeMountField("a\\040b\\011c"), "a b\tc");
    EXPECT_EQ(UnescapeMountField("trailing\\04"), "trailing\\04");
    EXPECT_EQ(UnescapeMountField("\\134"), "\\");
}

TEST(DriveRootsTest, ThisMachineHasTheRoot) {
    const auto roots = ReadDriveRoots();
    ASSERT_FALSE(roots.empty());
    EXPECT_EQ(roots.front(), "/");
    EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
}

}  // namespace
}  // namespace tarnwick::platform
