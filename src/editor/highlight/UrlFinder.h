// Finds web and mail addresses in a line for editors that show them as links (UrlAware).
// An address begins with a known scheme or "www." at the start of a word and runs to the
// next blank, quote or angle bracket, without trailing punctuation.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarnwick::editor {

struct TUrlSpan {
    size_t Start = std::string_view::npos;  // npos: none found
    size_t Length = 0;
};

// The first address in text at or after from.
TUrlSpan FindUrl(std::string_view text, size_t from = 0);

}  // namespace tarnwick::editor
