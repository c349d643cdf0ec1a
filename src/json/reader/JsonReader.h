// The recursive-descent reader behind TlkJSON::ParseDocument. It reads one value at its position
// and builds the values as it goes; any malformed part fails the whole read, which then gives
// nullptr with everything built so far freed, and Failure() tells why and where. No form is
// tried after another has failed, so the first failure recorded is the one that ended the read.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "json/reader/JsonParseFailure.h"
#include "json/values/TlkJSONbase.h"

namespace tarnwick::json {

class TlkJSONlist;
class TlkJSONobject;

class JsonReader {
  public:
    JsonReader(std::string_view text, int maxNestingDepth)
        : fText(text), fMaxNestingDepth(maxNestingDepth) {}
    JsonReader(const JsonReader&) = delete;
    JsonReader& operator=(const JsonReader&) = delete;

    // The value at the position, after whitespace; nullptr when no value form matches there.
    // On success the position is just past the value.
    std::unique_ptr<TlkJSONbase> ReadValue();

    std::size_t Position() const { return fPos; }
    // After ReadValue gave nullptr: why, with the offset counted within the reader's text.
    const JsonParseFailure& Failure() const { return fFailure; }

  private:
    // ReadValue with the description of what the caller accepts at the position, used when no
    // value form begins there.
    std::unique_ptr<TlkJSONbase> ReadValue(std::string_view expected);
    // Records the failure unless one is recorded already; Found describes `foundLength` bytes.
    void Fail(JsonFailureReason reason, std::size_t offset, std::string_view expected,
              std::size_t foundLength = 1);
    void SkipWhitespace();
    // Takes word at the position; else fails, expecting `expected`.
    bool MatchWord(std::string_view word, std::string_view expected);
    std::unique_ptr<TlkJSONbase> ReadNumber(std::string_view expected);
    std::unique_ptr<TlkJSONbase> ReadString();
    // At a list's or object's opening bracket, one level deeper: steps past the bracket, or
    // fails (false) when the nesting is too deep.
    bool PastOpening();
    std::unique_ptr<TlkJSONbase> ReadList();
    std::unique_ptr<TlkJSONbase> ReadObject();
    // Reads the quoted text at the position (an opening quote) into fScratch.
    bool ReadQuoted();
    bool ReadMember(TlkJSONobject& object);

    std::string_view fText;
    std::size_t fPos = 0;
    int fDepth = 0;
    int fMaxNestingDepth;
    std::u16string fScratch;  // reused decoding buffer for strings and member names
    JsonParseFailure fFailure;
};

}  // namespace tarnwick::json
