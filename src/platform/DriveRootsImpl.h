// Template part of DriveRoots.h: parsing of the mount table.
#pragma once

#include <algorithm>
#include <sstream>

namespace tarnwick::platform {

template <typename BlockDeviceTest, typename DirectoryTest>
std::vector<std::string> DriveRootsFromMounts(const std::string& mountsText,
                                              BlockDeviceTest isBlockDevice,
                                              DirectoryTest isDirectory) {
    std::vector<std::string> roots{"/"};
    std::istringstream lines(mountsText);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string source, target, type;
        if (!(fields >> source >> target >> type)) {
            continue;
        }
        source = UnescapeMountField(source);
        target = UnescapeMountField(target);
        if (target.empty() || target[0] != '/' || IsPseudoFileSystem(type)) {
            continue;
        }
        if (!isBlockDevice(source) || !isDirectory(target)) {
            continue;
        }
        roots.push_back(target);
    }
    std::sort(roots.begin(), roots.end());
    roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
    return roots;
}

}  // namespace tarnwick::platform
