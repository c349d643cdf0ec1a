#include "json/reader/TlkJSON.h"

#include <exception>

#include "json/reader/JsonReader.h"

namespace tarnwick::json {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::unique_ptr<TlkJSONbase> TlkJSON::ParseDocument(std::string_view text) {
    if (text.empty()) {
        return nullptr;
    }
    if (text.starts_with(kUtf8ByteOrderMark)) {
        text.remove_prefix(kUtf8ByteOrderMark.size());
        if (text.empty()) {
            return nullptr;
        }
    }
    try {
        JsonReader reader(text, kMaxNestingDepth);
        return reader.ReadValue();
    } catch (const std::exception&) {
        // Running out of memory on a huge document is one more way for it to fail.
        return nullptr;
    }
}

}  // namespace tarnwick::json
