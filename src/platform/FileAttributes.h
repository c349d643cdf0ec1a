// Attribute bits of a directory entry, with the values the program's rules are written in.
// On POSIX they are derived from the entry (see DirectoryEnumeration.h); archive is never set.
#pragma once

#include <cstdint>

namespace tarnwick::platform {

inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrVolumeLabel = 0x08;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;

}  // namespace tarnwick::platform
