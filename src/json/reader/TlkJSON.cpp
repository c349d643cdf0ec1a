#include "json/reader/TlkJSON.h"

#include <exception>

#include "json/reader/JsonReader.h"

namespace tarnwick::json {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::unique_ptr<TlkJSONbase> TlkJSON::ParseDocument(std::string_view text) {
    JsonParseFailure failure;
    return ParseDocument(text, failure);
}

std::unique_ptr<TlkJSONbase> TlkJSON::ParseDocument(std::string_view text,
                                                    JsonParseFailure& failure) {
    failure = JsonParseFailure();
    std::size_t skipped = 0;
    if (text.starts_with(kUtf8ByteOrderMark)) {
        skipped = kUtf8ByteOrderMark.size();
        text.remove_prefix(skipped);
    }
    if (text.empty()) {
        failure.Reason = JsonFailureReason::EmptyText;
        failure.Offset = skipped;
        failure.Expected = "a value";
        failure.Found = DescribeTextAt(text, 0);
        return nullptr;
    }
    JsonReader reader(text, kMaxNestingDepth);
    try {
        std::unique_ptr<TlkJSONbase> root = reader.ReadValue();
        if (root == nullptr) {
            failure = reader.Failure();
            failure.Offset += skipped;
        }
        return root;
    } catch (const std::exception&) {
        // Running out of memory on a huge document is one more way for it to fail.
        failure = JsonParseFailure();
        failure.Reason = JsonFailureReason::OutOfMemory;
        failure.Offset = skipped + reader.Position();
        return nullptr;
    }
}

}  // namespace tarnwick::json
