// The one path separator of the platform; every rule about "a trailing separator" uses it.
#pragma once

namespace tarnwick::platform {

inline constexpr char kPathDelimiter = '/';

}  // namespace tarnwick::platform
