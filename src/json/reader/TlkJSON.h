// The JSON reader's entry point: turns an 8-bit JSON text into a tree of TlkJSONbase values.
// Every failure gives no tree; nothing is raised to the caller and no partial tree survives.
// A caller that wants to know why a text gave no tree passes a JsonParseFailure to fill.
#pragma once

#include <memory>
#include <string_view>

#include "json/reader/JsonParseFailure.h"
#include "json/values/TlkJSONbase.h"

namespace tarnwick::json {

class TlkJSON {
  public:
    // Arrays and objects nested deeper than this make the document fail instead of exhausting
    // the stack on a hostile text.
    static constexpr int kMaxNestingDepth = 512;

    // The root value of the text (owned by the caller), or nullptr when the text is empty, holds
    // only a UTF-8 byte order mark, or does not begin with a well-formed value. Text after the
    // first complete value is ignored.
    static std::unique_ptr<TlkJSONbase> ParseDocument(std::string_view text);
    // The same tree; when there is none, `failure` says why and at which byte offset of `text`
    // (its Reason is None when a tree is returned).
    static std::unique_ptr<TlkJSONbase> ParseDocument(std::string_view text,
                                                      JsonParseFailure& failure);
};

}  // namespace tarnwick::json
