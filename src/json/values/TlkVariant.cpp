#include "json/values/TlkVariant.h"

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>

#include "json/values/TlkJSONerrors.h"
#include "platform/Windows1252.h"

namespace tarnwick::json {

namespace {

constexpr std::string_view kDoubleTypeName = "Double";
constexpr std::string_view kBooleanTypeName = "Boolean";
constexpr std::string_view kStringTypeName = "String";
constexpr std::string_view kWideStringTypeName = "UnicodeString";
constexpr std::string_view kNaNText = "NAN";
constexpr std::string_view kInfinityText = "INF";
// Room for the general form of any double at up to 17 digits: sign, digits, point, exponent.
constexpr std::size_t kNumberBufferSize = 64;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// Reads a whole text as a number, with a full stop or the locale's separator as the point.
bool TextToDouble(std::string_view text, double& value) {
    std::string normalised(TrimSpaces(text));
    const std::string separator = CurrentDecimalSeparator();
    if (separator != ".") {
        const std::size_t at = normalised.find(separator);
        if (at != std::string::npos) {
            normalised.replace(at, separator.size(), ".");
        }
    }
    std::string_view digits = normalised;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return false;
    }
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return result.ec == std::errc() && result.ptr == digits.data() + digits.size();
}

}  // namespace

std::string CurrentDecimalSeparator() {
    const std::lconv* conventions = std::localeconv();
    if (conventions == nullptr || conventions->decimal_point == nullptr ||
        conventions->decimal_point[0] == '\0') {
        return ".";
    }
    return conventions->decimal_point;
}

std::string FormatGeneralNumber(double value, std::string_view decimalSeparator, int digits) {
    if (std::isnan(value)) {
        return std::string(kNaNText);
    }
    if (std::isinf(value)) {
        return value < 0 ? "-" + std::string(kInfinityText) : std::string(kInfinityText);
    }
    if (value == 0) {
        return "0";  // no sign on a negative zero
    }
    std::array<char, kNumberBufferSize> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, digits);
    const std::string_view raw(buffer.data(), result.ptr - buffer.data());

    std::string text;
    std::size_t i = 0;
    for (; i < raw.size() && raw[i] != 'e'; ++i) {
        if (raw[i] == '.') {
            text.append(decimalSeparator);
        } else {
            text.push_back(raw[i]);
        }
    }
    if (i < raw.size()) {
        // "e+07" becomes "E7", "e-05" becomes "E-5".
        text.push_back('E');
        ++i;
        if (raw[i] == '-') {
            text.push_back('-');
        }
        if (raw[i] == '-' || raw[i] == '+') {
            ++i;
        }
        while (i + 1 < raw.size() && raw[i] == '0') {
            ++i;
        }
        text.append(raw.substr(i));
    }
    return text;
}

std::string_view TlkVariant::TypeName() const {
    switch (GetType()) {
        case Type::Null:
            return "Null";
        case Type::Boolean:
            return kBooleanTypeName;
        case Type::Integer:
            return "Int64";
        case Type::Double:
            return kDoubleTypeName;
        case Type::Text:
            return kStringTypeName;
        case Type::WideText:
            return kWideStringTypeName;
    }
    return "Unknown";
}

double TlkVariant::ToDouble() const {
    switch (GetType()) {
        case Type::Boolean:
            return AsBoolean() ? 1.0 : 0.0;
        case Type::Integer:
            return static_cast<double>(AsInteger());
        case Type::Double:
            return AsDouble();
        case Type::Text:
        case Type::WideText: {
            double value = 0;
            const std::string text =
                GetType() == Type::Text ? AsText() : platform::Windows1252::FromUtf16(AsWideText());
            if (TextToDouble(text, value)) {
                return value;
            }
            break;
        }
        case Type::Null:
            break;
    }
    throw EVariantTypeCastError(TypeName(), kDoubleTypeName);
}

bool TlkVariant::ToBoolean() const {
    switch (GetType()) {
        case Type::Boolean:
            return AsBoolean();
        case Type::Integer:
            return AsInteger() != 0;
        case Type::Double:
            return AsDouble() != 0;
        case Type::Text:
        case Type::WideText: {
            const std::string text =
                GetType() == Type::Text ? AsText() : platform::Windows1252::FromUtf16(AsWideText());
            const std::string_view word = TrimSpaces(text);
            if (EqualsIgnoringCase(word, kTrueText)) {
                return true;
            }
            if (EqualsIgnoringCase(word, kFalseText)) {
                return false;
            }
            double value = 0;
            if (TextToDouble(text, value)) {
                return value != 0;
            }
            break;
        }
        case Type::Null:
            break;
    }
    throw EVariantTypeCastError(TypeName(), kBooleanTypeName);
}

std::string TlkVariant::ToText() const {
    return ToText(CurrentDecimalSeparator());
}

std::string TlkVariant::ToText(std::string_view decimalSeparator) const {
    switch (GetType()) {
        case Type::Boolean:
            return std::string(AsBoolean() ? kTrueText : kFalseText);
        case Type::Integer:
            return std::to_string(AsInteger());
        case Type::Double:
            return FormatGeneralNumber(AsDouble(), decimalSeparator);
        case Type::Text:
            return AsText();
        case Type::WideText:
            return platform::Windows1252::FromUtf16(AsWideText());
        case Type::Null:
            break;
    }
    throw EVariantTypeCastError(TypeName(), kStringTypeName);
}

std::u16string TlkVariant::ToWideText() const {
    switch (GetType()) {
        case Type::WideText:
            return AsWideText();
        case Type::Null:
            throw EVariantTypeCastError(TypeName(), kWideStringTypeName);
        default:
            return platform::Windows1252::ToUtf16(ToText());
    }
}

}  // namespace tarnwick::json
