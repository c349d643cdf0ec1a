#include "json/reader/JsonReader.h"

#include <algorithm>

#include "json/reader/JsonNumberConversion.h"
#include "json/reader/JsonStringDecoder.h"
#include "json/values/TlkJSONcustomlist.h"
#include "json/values/TlkJSONobject.h"

namespace tarnwick::json {

namespace {

// Whitespace is every character below '!': the control characters, NUL and the space.
constexpr unsigned char kFirstNonWhitespace = 0x21;

constexpr std::string_view kTrueWord = "true";
constexpr std::string_view kFalseWord = "false";
constexpr std::string_view kNullWord = "null";

// What the reader wanted, as failures tell it.
constexpr std::string_view kAnyValue = "a value";
constexpr std::string_view kElementOrEndExpected = "a value or ']'";
constexpr std::string_view kMemberOrEndExpected = "a quoted member name or '}'";
constexpr std::string_view kColonExpected = "':'";
constexpr std::string_view kDigitExpected = "a digit";
constexpr std::string_view kHexDigitExpected = "a hexadecimal digit";
constexpr std::string_view kClosingQuoteExpected = "'\"' closing the string";
constexpr std::string_view kNumberInRangeExpected = "a number within the floating-point range";
constexpr std::string_view kShallowerExpected = "no deeper nesting of lists and objects";
constexpr std::string_view kTrueExpected = "'true'";
constexpr std::string_view kFalseExpected = "'false'";
constexpr std::string_view kNullExpected = "'null'";
// A number too large to convert is shown by its first characters only.
constexpr std::size_t kLongestNumberShown = 24;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Counts the nesting of containers for the lifetime of one list or object being read.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : fDepth(depth) { ++fDepth; }
    ~DepthGuard() { --fDepth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& fDepth;
};

}  // namespace

void JsonReader::SkipWhitespace() {
    while (fPos < fText.size() && static_cast<unsigned char>(fText[fPos]) < kFirstNonWhitespace) {
        ++fPos;
    }
}

bool JsonReader::MatchWord(std::string_view word, std::string_view expected) {
    // Letter case matters, and the character after the word is not looked at.
    if (fText.substr(fPos, word.size()) != word) {
        Fail(JsonFailureReason::BadWord, fPos, expected, word.size());
        return false;
    }
    fPos += word.size();
    return true;
}

// The forms are boolean, null, number, string, list and object. Each begins with its own set of
// characters, so the first character picks the only form that can match.
std::unique_ptr<TlkJSONbase> JsonReader::ReadValue() {
    return ReadValue(kAnyValue);
}

std::unique_ptr<TlkJSONbase> JsonReader::ReadValue(std::string_view expected) {
    SkipWhitespace();
    if (fPos >= fText.size()) {
        Fail(JsonFailureReason::NoValue, fPos, expected);
        return nullptr;
    }
    const std::size_t start = fPos;
    std::unique_ptr<TlkJSONbase> value;
    switch (fText[fPos]) {
        case 't':
            if (MatchWord(kTrueWord, kTrueExpected)) {
                value = std::make_unique<TlkJSONboolean>(true);
            }
            break;
        case 'f':
            if (MatchWord(kFalseWord, kFalseExpected)) {
                value = std::make_unique<TlkJSONboolean>(false);
            }
            break;
        case 'n':
            if (MatchWord(kNullWord, kNullExpected)) {
                value = std::make_unique<TlkJSONnull>();
            }
            break;
        case '"':
            value = ReadString();
            break;
        case '[':
            value = ReadList();
            break;
        case '{':
            value = ReadObject();
            break;
        default:
            value = ReadNumber(expected);
            break;
    }
    if (value == nullptr) {
        fPos = start;
    }
    return value;
}

void JsonReader::Fail(JsonFailureReason reason, std::size_t offset, std::string_view expected,
                      std::size_t foundLength) {
    if (fFailure.Failed()) {
        return;  // an inner rule said already what went wrong
    }
    fFailure.Reason = reason;
    fFailure.Offset = offset;
    fFailure.Expected = expected;
    fFailure.Found = DescribeTextAt(fText, offset, foundLength);
}

std::unique_ptr<TlkJSONbase> JsonReader::ReadNumber(std::string_view expected) {
    const std::size_t start = fPos;
    std::size_t i = fPos;
    const std::size_t end = fText.size();
    auto skipDigits = [&] {
        const std::size_t first = i;
        while (i < end && IsDigit(fText[i])) {
            ++i;
        }
        return i > first;
    };
    if (i < end && (fText[i] == '+' || fText[i] == '-')) {
        ++i;
    } else if (i < end && !IsDigit(fText[i])) {
        // Not the start of a number, nor of any other form.
        Fail(JsonFailureReason::NoValue, i, expected);
        return nullptr;
    }
    if (!skipDigits()) {
        Fail(JsonFailureReason::MissingDigit, i, kDigitExpected);
        return nullptr;
    }
    if (i < end && fText[i] == '.') {
        ++i;
        if (!skipDigits()) {
            Fail(JsonFailureReason::MissingDigit, i, kDigitExpected);
            return nullptr;
        }
    }
    if (i < end && (fText[i] == 'e' || fText[i] == 'E')) {
        ++i;
        if (i < end && (fText[i] == '+' || fText[i] == '-')) {
            ++i;
        }
        if (!skipDigits()) {
            Fail(JsonFailureReason::MissingDigit, i, kDigitExpected);
            return nullptr;
        }
    }
    long double value = 0;
    if (!ConvertJsonNumber(fText.substr(start, i - start), value)) {
        Fail(JsonFailureReason::NumberOutOfRange, start, kNumberInRangeExpected,
             std::min(i - start, kLongestNumberShown));
        return nullptr;  // out of the floating-point range
    }
    fPos = i;
    return std::make_unique<TlkJSONnumber>(value);
}

bool JsonReader::ReadQuoted() {
    std::size_t position = fPos + 1;  // past the opening quote
    switch (DecodeJsonString(fText, position, fScratch)) {
        case JsonStringResult::Ok:
            break;
        case JsonStringResult::Unterminated:
            Fail(JsonFailureReason::UnterminatedString, position, kClosingQuoteExpected);
            return false;
        case JsonStringResult::BadEscape:
            Fail(JsonFailureReason::BadUnicodeEscape, position, kHexDigitExpected);
            return false;
    }
    fPos = position;
    return true;
}

std::unique_ptr<TlkJSONbase> JsonReader::ReadString() {
    if (!ReadQuoted()) {
        return nullptr;
    }
    return std::make_unique<TlkJSONstring>(fScratch);
}

bool JsonReader::PastOpening() {
    if (fDepth > fMaxNestingDepth) {
        Fail(JsonFailureReason::TooDeep, fPos, kShallowerExpected);
        return false;
    }
    ++fPos;
    return true;
}

// Elements may be separated by commas or not, and a comma may follow the last one; a comma
// before the first element, or two in a row, fail.
std::unique_ptr<TlkJSONbase> JsonReader::ReadList() {
    DepthGuard guard(fDepth);
    if (!PastOpening()) {
        return nullptr;
    }
    auto list = std::make_unique<TlkJSONlist>();
    while (true) {
        SkipWhitespace();
        if (fPos < fText.size() && fText[fPos] == ']') {
            ++fPos;
            return list;
        }
        std::unique_ptr<TlkJSONbase> element = ReadValue(kElementOrEndExpected);
        if (element == nullptr) {
            return nullptr;
        }
        list->Append(std::move(element));
        SkipWhitespace();
        if (fPos < fText.size() && fText[fPos] == ',') {
            ++fPos;
        }
    }
}

// Members follow the same comma rules as list elements.
std::unique_ptr<TlkJSONbase> JsonReader::ReadObject() {
    DepthGuard guard(fDepth);
    if (!PastOpening()) {
        return nullptr;
    }
    auto object = std::make_unique<TlkJSONobject>(true);
    while (true) {
        SkipWhitespace();
        if (fPos < fText.size() && fText[fPos] == '}') {
            ++fPos;
            return object;
        }
        if (!ReadMember(*object)) {
            return nullptr;
        }
        SkipWhitespace();
        if (fPos < fText.size() && fText[fPos] == ',') {
            ++fPos;
        }
    }
}

// A quoted name, a colon and a value, appended to the object and indexed by name (a name seen
// before keeps pointing at its first member).
bool JsonReader::ReadMember(TlkJSONobject& object) {
    if (fPos >= fText.size() || fText[fPos] != '"') {
        Fail(JsonFailureReason::MissingMemberName, fPos, kMemberOrEndExpected);
        return false;
    }
    if (!ReadQuoted()) {
        return false;
    }
    std::u16string name = fScratch;
    SkipWhitespace();
    if (fPos >= fText.size() || fText[fPos] != ':') {
        Fail(JsonFailureReason::MissingColon, fPos, kColonExpected);
        return false;
    }
    ++fPos;
    std::unique_ptr<TlkJSONbase> value = ReadValue(kAnyValue);
    if (value == nullptr) {
        return false;
    }
    object.AppendMember(std::make_unique<TlkJSONobjectmethod>(std::move(name), std::move(value)));
    return true;
}

}  // namespace tarnwick::json
