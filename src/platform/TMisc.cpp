// Shell-open helper.
#include "platform/TMisc.h"

#include <charconv>

#include "platform/Shell.h"

namespace tarnwick::platform {
namespace {

// A decimal integer with an optional sign and no other characters, as the show command must be.
bool IsDecimalInteger(const std::string& text) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && (*first == '+' || *first == '-')) {
        ++first;
    }
    if (first == last) {
        return false;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
}

}  // namespace

void TMisc::OpenSite(const std::string& target, const std::string& parameters,
                     const std::string& showCommand) {
    (void)parameters;  // no caller passes any; desktop openers take none
    if (!IsDecimalInteger(showCommand)) {
        throw EConvertError("'" + showCommand + "' is not a valid integer value");
    }
    if (Shell* shell = Shell::Installed()) {
        shell->Open(target);
    }
}

}  // namespace tarnwick::platform
