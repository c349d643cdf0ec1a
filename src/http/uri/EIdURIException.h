// Raised when a URI lacks a field needed to rebuild its absolute form. The message is one of
// the fixed texts below.
#pragma once

#include <string>

#include "http/core/EIdException.h"

namespace tarnwick::http {

class EIdURIException : public EIdException {
  public:
    using EIdException::EIdException;
};

inline constexpr const char* kURIProtocolEmpty = "Protocol field is empty";
inline constexpr const char* kURIHostEmpty = "Host field is empty";

}  // namespace tarnwick::http
