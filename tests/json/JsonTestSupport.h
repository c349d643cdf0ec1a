// Helpers for the JSON reader's tests: a compact rendering of a value tree, so that a whole
// parse result is compared against one expected line.
#pragma once

#include <cstdio>
#include <string>

#include "json/reader/TlkJSON.h"
#include "json/values/TlkJSONobject.h"

namespace tarnwick::json::testing {

// Renders numbers in general form with 17 digits, strings with non-ASCII code units as \uXXXX,
// lists as [a,b] and objects as {"name":value}; none is "none".
inline std::string Describe(const TlkJSONbase* value) {
    if (value == nullptr) {
        return "none";
    }
    auto quote = [](const std::u16string& text) {
        std::string out = "\"";
        for (char16_t unit : text) {
            if (unit >= 0x20 && unit < 0x7F && unit != '\\' && unit != '"') {
                out.push_back(static_cast<char>(unit));
            } else {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(unit));
                out += buffer;
            }
        }
        return out + "\"";
    };
    switch (value->Kind()) {
        case TlkJSONkind::Number: {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.17Lg",
                          static_cast<const TlkJSONnumber*>(value)->Value());
            return buffer;
        }
        case TlkJSONkind::String:
            return quote(static_cast<const TlkJSONstring*>(value)->Value());
        case TlkJSONkind::Boolean:
            return static_cast<const TlkJSONboolean*>(value)->Value() ? "true" : "false";
        case TlkJSONkind::Null:
            return "null";
        case TlkJSONkind::List: {
            std::string out = "[";
            for (int i = 0; i < value->ChildCount(); ++i) {
                out += (i ? "," : "") + Describe(value->ChildAt(i));
            }
            return out + "]";
        }
        case TlkJSONkind::Object: {
            std::string out = "{";
            for (int i = 0; i < value->ChildCount(); ++i) {
                const auto* pair = static_cast<const TlkJSONobjectmethod*>(value->ChildAt(i));
                out += (i ? "," : "") + quote(pair->MemberName()) + ":" +
                       Describe(pair->MemberValue());
            }
            return out + "}";
        }
        case TlkJSONkind::Base:
            break;
    }
    return "base";
}

inline std::string Parse(std::string_view text) {
    return Describe(TlkJSON::ParseDocument(text).get());
}

}  // namespace tarnwick::json::testing
