#include "json/reader/JsonReader.h"

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

bool JsonReader::MatchWord(std::string_view word) {
    // Letter case matters, and the character after the word is not looked at.
    if (fText.substr(fPos, word.size()) != word) {
        return false;
    }
    fPos += word.size();
    return true;
}

// The forms are boolean, null, number, string, list and object. Each begins with its own set of
// characters, so the first character picks the only form that can match.
std::unique_ptr<TlkJSONbase> JsonReader::ReadValue() {
    SkipWhitespace();
    if (fPos >= fText.size()) {
        return nullptr;
    }
    const std::size_t start = fPos;
    std::unique_ptr<TlkJSONbase> value;
    switch (fText[fPos]) {
        case 't':
            if (MatchWord(kTrueWord)) {
                value = std::make_unique<TlkJSONboolean>(true);
            }
            break;
        case 'f':
            if (MatchWord(kFalseWord)) {
                value = std::make_unique<TlkJSONboolean>(false);
            }
            break;
        case 'n':
            if (MatchWord(kNullWord)) {
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
            value = ReadNumber();
            break;
    }
    if (value == nullptr) {
        fPos = start;
    }
    return value;
}

std::unique_ptr<TlkJSONbase> JsonReader::ReadNumber() {
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
    }
    if (!skipDigits()) {
        return nullptr;
    }
    if (i < end && fText[i] == '.') {
        ++i;
        if (!skipDigits()) {
            return nullptr;
        }
    }
    if (i < end && (fText[i] == 'e' || fText[i] == 'E')) {
        ++i;
        if (i < end && (fText[i] == '+' || fText[i] == '-')) {
            ++i;
        }
        if (!skipDigits()) {
            return nullptr;
        }
    }
    long double value = 0;
    if (!ConvertJsonNumber(fText.substr(start, i - start), value)) {
        return nullptr;  // out of the floating-point range
    }
    fPos = i;
    return std::make_unique<TlkJSONnumber>(value);
}

bool JsonReader::ReadQuoted() {
    std::size_t position = fPos + 1;  // past the opening quote
    if (DecodeJsonString(fText, position, fScratch) != JsonStringResult::Ok) {
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

// Elements may be separated by commas or not, and a comma may follow the last one; a comma
// before the first element, or two in a row, fail.
std::unique_ptr<TlkJSONbase> JsonReader::ReadList() {
    DepthGuard guard(fDepth);
    if (fDepth > fMaxNestingDepth) {
        return nullptr;
    }
    ++fPos;  // past '['
    auto list = std::make_unique<TlkJSONlist>();
    while (true) {
        SkipWhitespace();
        if (fPos < fText.size() && fText[fPos] == ']') {
            ++fPos;
            return list;
        }
        std::unique_ptr<TlkJSONbase> element = ReadValue();
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
    if (fDepth > fMaxNestingDepth) {
        return nullptr;
    }
    ++fPos;  // past '{'
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
    if (fPos >= fText.size() || fText[fPos] != '"' || !ReadQuoted()) {
        return false;
    }
    std::u16string name = fScratch;
    SkipWhitespace();
    if (fPos >= fText.size() || fText[fPos] != ':') {
        return false;
    }
    ++fPos;
    std::unique_ptr<TlkJSONbase> value = ReadValue();
    if (value == nullptr) {
        return false;
    }
    object.AppendMember(std::make_unique<TlkJSONobjectmethod>(std::move(name), std::move(value)));
    return true;
}

}  // namespace tarnwick::json
