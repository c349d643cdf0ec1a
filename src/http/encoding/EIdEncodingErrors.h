// The failure of creating a code-page encoding: the client's base exception with the text
// "Invalid codepage (N)".
#pragma once

#include <string>

#include "http/core/EIdException.h"

namespace tarnwick::http {

inline EIdException EIdInvalidCodepage(int codePage) {
    return EIdException("Invalid codepage (" + std::to_string(codePage) + ")");
}

}  // namespace tarnwick::http
