#include "json/JsonReader.h"

#include "json/JsonNumberConversion.h"
#include "json/JsonStringDecoder.h"
#include "json/TlkJSONcustomlist.h"
#include "json/TlkJSONobject.h"

namespace tarnwick {

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
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& depth_;
};

}  // namespace

void JsonReader::SkipWhitespace() {
    while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) < kFirstNonWhitespace) {
        ++pos_;
    }
}

bool JsonReader::MatchWord(std::string_view word) {
    // Letter case matters, and the character after the word is not looked at.
    if (text_.substr(pos_, word.size()) != word) {
        return false;
    }
    pos_ += word.size();
    return true;
}

// The forms are boolean, null, number, string, list and object. Each begins with its own set of
// characters, so the first character picks the only form that can match.
std::unique_ptr<TlkJSONbase> JsonReader::ReadValue() {
    SkipWhitespace();
    if (pos_ >= text_.size()) {
        return nullptr;
    }
    const std::size_t start = pos_;
    std::unique_ptr<TlkJSONbase> value;
    switch (text_[pos_]) {
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
        pos_ = start;
    }
    return value;
}

std::unique_ptr<TlkJSONbase> JsonReader::ReadNumber() {
    const std::size_t start = pos_;
    std::size_t i = pos_;
    const std::size_t end = text_.size();
    auto skipDigits = [&] {
        const std::size_t first = i;
        while (i < end && IsDigit(text_[i])) {
            ++i;
        }
        return i > first;
    };
    if (i < end && (text_[i] == '+' || text_[i] == '-')) {
        ++i;
    }
    if (!skipDigits()) {
        return nullptr;
    }
    if (i < end && text_[i] == '.') {
        ++i;
        if (!skipDigits()) {
            return nullptr;
        }
    }
    if (i < end && (text_[i] == 'e' || text_[i] == 'E')) {
        ++i;
        if (i < end && (text_[i] == '+' || text_[i] == '-')) {
            ++i;
        }
        if (!skipDigits()) {
            return nullptr;
        }
    }
    long double value = 0;
    if (!ConvertJsonNumber(text_.substr(start, i - start), value)) {
        return nullptr;  // out of the floating-point range
    }
    pos_ = i;
    return std::make_unique<TlkJSONnumber>(value);
}

bool JsonReader::ReadQuoted() {
    std::size_t position = pos_ + 1;  // past the opening quote
    if (DecodeJsonString(text_, position, scratch_) != JsonStringResult::Ok) {
        return false;
    }
    pos_ = position;
    return true;
}

std::unique_ptr<TlkJSONbase> JsonReader::ReadString() {
    if (!ReadQuoted()) {
        return nullptr;
    }
    return std::make_unique<TlkJSONstring>(scratch_);
}

// Elements may be separated by commas or not, and a comma may follow the last one; a comma
// before the first element, or two in a row, fail.
std::unique_ptr<TlkJSONbase> JsonReader::ReadList() {
    DepthGuard guard(depth_);
    if (depth_ > maxNestingDepth_) {
        return nullptr;
    }
    ++pos_;  // past '['
    auto list = std::make_unique<TlkJSONlist>();
    while (true) {
        SkipWhitespace();
        if (pos_ < text_.size() && text_[pos_] == ']') {
            ++pos_;
            return list;
        }
        std::unique_ptr<TlkJSONbase> element = ReadValue();
        if (element == nullptr) {
            return nullptr;
        }
        list->Append(std::move(element));
        SkipWhitespace();
        if (pos_ < text_.size() && text_[pos_] == ',') {
            ++pos_;
        }
    }
}

// Members follow the same comma rules as list elements.
std::unique_ptr<TlkJSONbase> JsonReader::ReadObject() {
    DepthGuard guard(depth_);
    if (depth_ > maxNestingDepth_) {
        return nullptr;
    }
    ++pos_;  // past '{'
    auto object = std::make_unique<TlkJSONobject>(true);
    while (true) {
        SkipWhitespace();
        if (pos_ < text_.size() && text_[pos_] == '}') {
            ++pos_;
            return object;
        }
        if (!ReadMember(*object)) {
            return nullptr;
        }
        SkipWhitespace();
        if (pos_ < text_.size() && text_[pos_] == ',') {
            ++pos_;
        }
    }
}

// A quoted name, a colon and a value, appended to the object and indexed by name (a name seen
// before keeps pointing at its first member).
bool JsonReader::ReadMember(TlkJSONobject& object) {
    if (pos_ >= text_.size() || text_[pos_] != '"' || !ReadQuoted()) {
        return false;
    }
    std::u16string name = scratch_;
    SkipWhitespace();
    if (pos_ >= text_.size() || text_[pos_] != ':') {
        return false;
    }
    ++pos_;
    std::unique_ptr<TlkJSONbase> value = ReadValue();
    if (value == nullptr) {
        return false;
    }
    object.AppendMember(std::make_unique<TlkJSONobjectmethod>(std::move(name), std::move(value)));
    return true;
}

}  // namespace tarnwick
