// One walk's inputs, fixed when its worker is created.
#pragma once

#include <string>

namespace tarnwick::search {

struct SearchRequest {
    std::string Root;      // the walk adds a trailing separator where there is none
    std::string NameText;  // possibly empty: every entry
    bool Recurse = true;
};

}  // namespace tarnwick::search
