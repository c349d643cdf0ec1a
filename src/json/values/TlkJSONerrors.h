// Exceptions of the JSON value model: a typed accessor met a value of another kind, or a variant
// could not be converted to the type asked for. Each carries its fixed English message.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tarnwick::json {

// A typed accessor (IntAt, TextAt, ...) found an element of another kind than the one asked for.
class EInvalidCast : public std::runtime_error {
  public:
    static constexpr const char* kMessage = "Invalid class typecast";
    EInvalidCast() : std::runtime_error(kMessage) {}
};

// A variant value cannot be turned into the requested type (null into text, "abc" into a number).
class EVariantTypeCastError : public std::runtime_error {
  public:
    EVariantTypeCastError(std::string_view fromType, std::string_view toType)
        : std::runtime_error(Compose(fromType, toType)) {}

  private:
    static std::string Compose(std::string_view fromType, std::string_view toType) {
        std::string text = "Could not convert variant of type (";
        text.append(fromType).append(") into type (").append(toType).append(")");
        return text;
    }
};

}  // namespace tarnwick::json
