// The program's version and the maker's web addresses, fixed in the program.
#pragma once

namespace tarnwick::platform {

inline constexpr const char* kHomePageUrl = "http://www.tarnwick.example/";
inline constexpr const char* kContactPageUrl = "http://www.tarnwick.example/contact/";
inline constexpr const char* kVersionDocumentUrl =
    "http://www.tarnwick.example/tools/vornel/ver_2.php";
// The program's own version, shown in the About box and compared by the update check.
inline constexpr const char* AppVersion = "2.0.1";

}  // namespace tarnwick::platform
