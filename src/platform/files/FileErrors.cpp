#include "platform/files/FileErrors.h"

#include <cstring>

namespace tarnwick::files {

EFOpenError::EFOpenError(const std::string& path, const std::string& reason)
    : EFileStreamError("Cannot open file \"" + path + "\". " + reason) {}

EFCreateError::EFCreateError(const std::string& path, const std::string& reason)
    : EFileStreamError("Cannot create file \"" + path + "\". " + reason) {}

EReadError::EReadError() : EStreamError("Stream read error") {}

EWriteError::EWriteError() : EStreamError("Stream write error") {}

std::string SystemErrorText(int errorNumber) {
    char buffer[256];
    // GNU strerror_r returns the text, which may or may not live in the buffer.
    const char* text = strerror_r(errorNumber, buffer, sizeof buffer);
    return text;
}

}  // namespace tarnwick::files
