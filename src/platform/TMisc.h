// Small shell helpers shared by the window's commands and the update check.
#pragma once

#include <stdexcept>
#include <string>

namespace tarnwick::platform {

// Raised when a text that must be a decimal integer is not one.
class EConvertError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TMisc {
  public:
    TMisc() = delete;

    // Opens `target` (a file or an address) with the installed shell. `parameters` are passed
    // to the program where the shell supports them (every caller passes none); `showCommand`
    // must be a decimal integer ("1": show normally), else EConvertError
    // "'<text>' is not a valid integer value". The outcome of the shell call is not examined.
    static void OpenSite(const std::string& target, const std::string& parameters,
                         const std::string& showCommand);
};

}  // namespace tarnwick::platform
