// The roots a user can search "on every drive": "/" and the mount points of mounted file
// systems backed by a block device (no proc, sysfs, cgroup, tmpfs, overlay or other pseudo
// file systems), de-duplicated and sorted by path.
#pragma once

#include <string>
#include <vector>

namespace tarnwick::platform {

// Reads /proc/self/mounts; "/" alone when it can't be read.
std::vector<std::string> ReadDriveRoots();

// The roots listed in `mountsText` (the format of /proc/self/mounts). `isBlockDevice` tells
// whether a mount source is a block device; `isDirectory` whether a mount point is a folder.
template <typename BlockDeviceTest, typename DirectoryTest>
std::vector<std::string> DriveRootsFromMounts(const std::string& mountsText,
                                              BlockDeviceTest isBlockDevice,
                                              DirectoryTest isDirectory);

// Undoes the octal escapes (\040 and the like) of a /proc/self/mounts field.
std::string UnescapeMountField(const std::string& field);

// True for file system types that never hold user files even when a device backs them.
bool IsPseudoFileSystem(const std::string& type);

}  // namespace tarnwick::platform

#include "platform/DriveRootsImpl.h"
