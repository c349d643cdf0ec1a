// Exception classes raised by streams and files.
// Every class carries the exact user-visible message; callers show what() as is.
#pragma once

#include <stdexcept>
#include <string>

namespace tarnwick::files {

// Base of every stream failure.
class EStreamError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file could not be opened or created; the message names the file and the system's reason.
class EFileStreamError : public EStreamError {
  public:
    using EStreamError::EStreamError;
};

// "Cannot open file "%s". %s"
class EFOpenError : public EFileStreamError {
  public:
    EFOpenError(const std::string& path, const std::string& reason);
};

// "Cannot create file "%s". %s"
class EFCreateError : public EFileStreamError {
  public:
    EFCreateError(const std::string& path, const std::string& reason);
};

// A read delivered fewer bytes than asked: "Stream read error".
class EReadError : public EStreamError {
  public:
    EReadError();
};

// A write accepted fewer bytes than asked: "Stream write error".
class EWriteError : public EStreamError {
  public:
    EWriteError();
};

// The system's text for an errno value, as shown after the file name.
std::string SystemErrorText(int errorNumber);

}  // namespace tarnwick::files
