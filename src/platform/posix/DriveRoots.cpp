// Drive roots from the kernel's mount table.
#include "platform/DriveRoots.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <string_view>

namespace tarnwick::platform {

std::string UnescapeMountField(const std::string& field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const char a = field[i + 1], b = field[i + 2], c = field[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
                out.push_back(static_cast<char>((a - '0') * 64 + (b - '0') * 8 + (c - '0')));
                i += 3;
                continue;
            }
        }
        out.push_back(field[i]);
    }
    return out;
}

bool IsPseudoFileSystem(const std::string& type) {
    // squashfs images (snaps, live media) sit on loop devices but are read-only packaging.
    static constexpr std::array<std::string_view, 28> kPseudo = {
        "proc",      "sysfs",       "cgroup",          "cgroup2",    "tmpfs",   "devtmpfs",
        "devpts",    "overlay",     "squashfs",        "securityfs", "debugfs", "tracefs",
        "pstore",    "bpf",         "mqueue",          "hugetlbfs",  "autofs",  "configfs",
        "fusectl",   "binfmt_misc", "efivarfs",        "nsfs",       "ramfs",   "rpc_pipefs",
        "selinuxfs", "fuse.portal", "fuse.gvfsd-fuse", "none"};
    return std::find(kPseudo.begin(), kPseudo.end(), type) != kPseudo.end();
}

std::vector<std::string> ReadDriveRoots() {
    std::ifstream in("/proc/self/mounts");
    if (!in) {
        return {"/"};
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return DriveRootsFromMounts(
        text,
        [](const std::string& source) {
            struct stat st {};
            return ::stat(source.c_str(), &st) == 0 && S_ISBLK(st.st_mode);
        },
        [](const std::string& target) {
            struct stat st {};
            return ::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        });
}

}  // namespace tarnwick::platform
