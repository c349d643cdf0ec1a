#include "json/values/TlkJSONcustomlist.h"

#include <cmath>
#include <limits>

#include "json/values/TlkJSONerrors.h"
#include "platform/Windows1252.h"

namespace tarnwick::json {

namespace {

template <typename T>
const T* Typed(const TlkJSONbase* element) {
    const T* typed = dynamic_cast<const T*>(element);
    if (typed == nullptr) {
        throw EInvalidCast();
    }
    return typed;
}

}  // namespace

TlkJSONcustomlist::~TlkJSONcustomlist() {
    while (!fItems.empty()) {
        fItems.pop_back();
    }
}

TlkJSONbase* TlkJSONcustomlist::ChildAt(int position) const {
    if (position < 0 || position >= ChildCount()) {
        return nullptr;
    }
    return fItems[position].get();
}

void TlkJSONcustomlist::ReplaceChild(int position, std::unique_ptr<TlkJSONbase> element) {
    if (position < 0 || position >= ChildCount()) {
        return;
    }
    fItems[position] = std::move(element);
}

int TlkJSONcustomlist::Append(std::unique_ptr<TlkJSONbase> element) {
    if (element == nullptr) {
        return kNoPosition;
    }
    fItems.push_back(std::move(element));
    return ChildCount() - 1;
}

void TlkJSONcustomlist::RemoveAt(int position) {
    if (position < 0 || position >= ChildCount()) {
        return;
    }
    fItems[position].reset();
    if (position != ChildCount() - 1) {
        fItems[position] = std::move(fItems.back());
    }
    fItems.pop_back();
}

int TlkJSONcustomlist::PositionOf(const TlkJSONbase* element) const {
    for (int i = 0; i < ChildCount(); ++i) {
        if (fItems[i].get() == element) {
            return i;
        }
    }
    return kNoPosition;
}

std::int32_t TlkJSONcustomlist::IntAt(int position) const {
    const TlkJSONbase* element = ElementForAccess(position);
    if (element == nullptr) {
        return 0;
    }
    const long double value = std::trunc(Typed<TlkJSONnumber>(element)->Value());
    // A value beyond the 32-bit range saturates instead of wrapping; NaN gives 0.
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<long double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value <= static_cast<long double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

std::string TlkJSONcustomlist::TextAt(int position) const {
    const TlkJSONbase* element = ElementForAccess(position);
    if (element == nullptr) {
        return {};
    }
    return platform::Windows1252::FromUtf16(Typed<TlkJSONstring>(element)->Value());
}

std::u16string TlkJSONcustomlist::WideTextAt(int position) const {
    const TlkJSONbase* element = ElementForAccess(position);
    if (element == nullptr) {
        return {};
    }
    return Typed<TlkJSONstring>(element)->Value();
}

long double TlkJSONcustomlist::RealAt(int position) const {
    const TlkJSONbase* element = ElementForAccess(position);
    if (element == nullptr) {
        return 0;
    }
    return Typed<TlkJSONnumber>(element)->Value();
}

bool TlkJSONcustomlist::BoolAt(int position) const {
    const TlkJSONbase* element = ElementForAccess(position);
    if (element == nullptr) {
        return false;
    }
    return Typed<TlkJSONboolean>(element)->Value();
}

bool TlkJSONcustomlist::KeyToPosition(const TlkVariant& key, int& position) {
    if (key.GetType() == TlkVariant::Type::Integer) {
        const std::int64_t value = key.AsInteger();
        if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
            return false;
        }
        position = static_cast<int>(value);
        return true;
    }
    if (key.GetType() == TlkVariant::Type::Double) {
        // A fractional key is rounded to the nearest integer, halves to even.
        const double value = std::nearbyint(key.AsDouble());
        if (!(value >= std::numeric_limits<int>::min() &&
              value <= std::numeric_limits<int>::max())) {
            return false;
        }
        position = static_cast<int>(value);
        return true;
    }
    return false;
}

TlkJSONbase* TlkJSONlist::Lookup(const TlkVariant& key) const {
    int position = 0;
    return KeyToPosition(key, position) ? ChildAt(position) : nullptr;
}

TlkJSONbase* TlkJSONlist::NamedChild(int position, std::string& name) const {
    name = std::to_string(position);
    return ChildAt(position);
}

}  // namespace tarnwick::json
