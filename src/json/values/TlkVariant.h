// A variant value read from and written to JSON values: null, a boolean, an integer, a double,
// 8-bit text (Windows-1252) or UTF-16 text. It holds exactly one of them; a conversion that the
// held value cannot undergo raises EVariantTypeCastError and leaves the variant unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace tarnwick::json {

class TlkVariant {
  public:
    enum class Type { Null, Boolean, Integer, Double, Text, WideText };

    // The words a boolean becomes as text, and the words (letter case ignored) read back.
    static constexpr std::string_view kTrueText = "True";
    static constexpr std::string_view kFalseText = "False";
    // Significant digits of a number shown as text.
    static constexpr int kTextDigits = 15;

    TlkVariant() = default;  // null
    TlkVariant(bool value) : fValue(value) {}
    TlkVariant(int value) : fValue(std::int64_t{value}) {}
    TlkVariant(std::int64_t value) : fValue(value) {}
    TlkVariant(double value) : fValue(value) {}
    TlkVariant(const char* text) : fValue(std::string(text)) {}
    TlkVariant(std::string text) : fValue(std::move(text)) {}
    TlkVariant(const char16_t* text) : fValue(std::u16string(text)) {}
    TlkVariant(std::u16string text) : fValue(std::move(text)) {}

    Type GetType() const { return static_cast<Type>(fValue.index()); }
    bool IsNull() const { return GetType() == Type::Null; }
    bool IsNumeric() const { return GetType() == Type::Integer || GetType() == Type::Double; }
    bool IsText() const { return GetType() == Type::Text || GetType() == Type::WideText; }

    // The held value of the given type; the type must match (checked by std::get).
    bool AsBoolean() const { return std::get<bool>(fValue); }
    std::int64_t AsInteger() const { return std::get<std::int64_t>(fValue); }
    double AsDouble() const { return std::get<double>(fValue); }
    const std::string& AsText() const { return std::get<std::string>(fValue); }
    const std::u16string& AsWideText() const { return std::get<std::u16string>(fValue); }

    // Numbers as they are; a boolean as 1 or 0; text holding a number in the locale's form (or
    // with a full stop), surrounding spaces allowed. Null and other text raise.
    double ToDouble() const;
    // A number is true when not 0; text is "true"/"false" in any letter case, or a number.
    bool ToBoolean() const;
    // 8-bit text with the locale's decimal separator. Null raises.
    std::string ToText() const;
    // The same with the given decimal separator (so tests can fix the locale).
    std::string ToText(std::string_view decimalSeparator) const;
    // UTF-16 text; 8-bit text is read as Windows-1252. Null raises.
    std::u16string ToWideText() const;

    // The name of the held type as conversion errors show it.
    std::string_view TypeName() const;

    friend bool operator==(const TlkVariant&, const TlkVariant&) = default;

  private:
    std::variant<std::monostate, bool, std::int64_t, double, std::string, std::u16string> fValue;
};

// The decimal separator of the current LC_NUMERIC locale ("." when it has none).
std::string CurrentDecimalSeparator();

// A number in general form: at most `digits` significant digits, trailing zeros dropped,
// scientific notation ("1.5E-7", "1E20") only for very large or small magnitudes.
std::string FormatGeneralNumber(double value, std::string_view decimalSeparator,
                                int digits = TlkVariant::kTextDigits);

}  // namespace tarnwick::json
