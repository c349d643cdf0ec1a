// The root of the JSON value classes and the four scalar values (number, string, boolean, null).
// A value owns everything below it; Kind and KindName depend only on the class.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "json/values/TlkVariant.h"

namespace tarnwick::json {

// The kind numbers of the value classes; the numbers are fixed.
enum class TlkJSONkind : int {
    Base = 0,
    Number = 1,
    String = 2,
    Boolean = 3,
    Null = 4,
    List = 5,
    Object = 6
};

class TlkJSONbase {
  public:
    static constexpr TlkJSONkind kKind = TlkJSONkind::Base;
    static constexpr std::string_view kKindName = "jsBase";

    TlkJSONbase() = default;
    virtual ~TlkJSONbase() = default;
    // A value is the single owner of its subtree; copying would duplicate or share it.
    TlkJSONbase(const TlkJSONbase&) = delete;
    TlkJSONbase& operator=(const TlkJSONbase&) = delete;

    // The value as a variant; null for the base, containers and pairs.
    virtual TlkVariant ReadValue() const { return {}; }
    // Stores the variant converted to the value's own type; does nothing for the base.
    virtual void WriteValue(const TlkVariant& value) { (void)value; }
    // The element at a position, or none (nullptr) outside 0 to ChildCount() - 1.
    virtual TlkJSONbase* ChildAt(int position) const {
        (void)position;
        return nullptr;
    }
    // Inside the range frees the old element and stores the new one; outside stores nothing
    // (the element passed is then freed with its owner pointer).
    virtual void ReplaceChild(int position, std::unique_ptr<TlkJSONbase> element) {
        (void)position;
        (void)element;
    }
    virtual int ChildCount() const { return 0; }
    // The element a key names, or none: see the containers for the keys they accept.
    virtual TlkJSONbase* Lookup(const TlkVariant& key) const {
        (void)key;
        return nullptr;
    }
    virtual TlkJSONkind Kind() const { return kKind; }
    virtual std::string_view KindName() const { return kKindName; }

    // ReadValue turned into 8-bit text: numbers with at most 15 significant digits and the
    // locale's decimal separator, strings in Windows-1252; null raises EVariantTypeCastError.
    std::string ReadText() const { return ReadValue().ToText(); }
};

// Declares the class-level kind of a value class and its virtual accessors.
#define TLK_JSON_KIND(kind, name)                       \
    static constexpr TlkJSONkind kKind = kind;          \
    static constexpr std::string_view kKindName = name; \
    TlkJSONkind Kind() const override {                 \
        return kKind;                                   \
    }                                                   \
    std::string_view KindName() const override {        \
        return kKindName;                               \
    }

// A number held with at least 64 bits of mantissa; read as a double.
class TlkJSONnumber : public TlkJSONbase {
  public:
    TLK_JSON_KIND(TlkJSONkind::Number, "jsNumber")

    TlkJSONnumber() = default;
    explicit TlkJSONnumber(long double value) : fValue(value) {}

    long double Value() const { return fValue; }
    void SetValue(long double value) { fValue = value; }

    TlkVariant ReadValue() const override { return static_cast<double>(fValue); }
    void WriteValue(const TlkVariant& value) override { fValue = value.ToDouble(); }

  private:
    long double fValue = 0;
};

// A string value as UTF-16 text.
class TlkJSONstring : public TlkJSONbase {
  public:
    TLK_JSON_KIND(TlkJSONkind::String, "jsString")

    TlkJSONstring() = default;
    explicit TlkJSONstring(std::u16string value) : fValue(std::move(value)) {}

    const std::u16string& Value() const { return fValue; }
    void SetValue(std::u16string value) { fValue = std::move(value); }

    TlkVariant ReadValue() const override { return fValue; }
    void WriteValue(const TlkVariant& value) override { fValue = value.ToWideText(); }

  private:
    std::u16string fValue;
};

class TlkJSONboolean : public TlkJSONbase {
  public:
    TLK_JSON_KIND(TlkJSONkind::Boolean, "jsBoolean")

    TlkJSONboolean() = default;
    explicit TlkJSONboolean(bool value) : fValue(value) {}

    bool Value() const { return fValue; }
    void SetValue(bool value) { fValue = value; }

    TlkVariant ReadValue() const override { return fValue; }
    void WriteValue(const TlkVariant& value) override { fValue = value.ToBoolean(); }

  private:
    bool fValue = false;
};

// The null value: reads as a null variant, ignores writes.
class TlkJSONnull : public TlkJSONbase {
  public:
    TLK_JSON_KIND(TlkJSONkind::Null, "jsNull")
};

}  // namespace tarnwick::json
