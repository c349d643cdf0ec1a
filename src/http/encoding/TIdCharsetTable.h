// The charset table: IANA character-set names and aliases with the Windows code page each
// stands for (0 when there is none), searched in order, letter case ignored.
#pragma once

#include <span>
#include <string_view>

#include "http/encoding/IIdTextEncoding.h"

namespace tarnwick::http {

struct TIdCharsetEntry {
    const char* Name;
    int CodePage;
};

std::span<const TIdCharsetEntry> CharsetTable();

// The code page of the first entry with this name, or 0 when there is none.
int CharsetToCodePage(std::string_view name);

// The encoding a response body in this charset decodes with: the shared instance for the
// UTF and ASCII code pages, a new code-page encoding for the others, and the 8-bit encoding
// for an empty or unknown name, a code page of 0 or one without a converter.
IIdTextEncodingPtr EncodingForCharset(std::string_view name);

}  // namespace tarnwick::http
