// Raised when a URI lacks a field needed to rebuild its absolute form. The message is one of
// the fixed texts below.
#pragma once

#include <stdexcept>
#include <string>

class EIdURIException : public std::runtime_error {
  public:
    explicit EIdURIException(const std::string& message) : std::runtime_error(message) {}
};

inline constexpr const char* kURIProtocolEmpty = "Protocol field is empty";
inline constexpr const char* kURIHostEmpty = "Host field is empty";
