// Feeds arbitrary bytes to the JSON reader and walks whatever tree comes back through every
// read operation, trapping when an object's key index disagrees with its members.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "json/reader/TlkJSON.h"
#include "json/values/TlkJSONerrors.h"
#include "json/values/TlkJSONobject.h"

namespace {

using namespace tarnwick::json;

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

template <typename Read>
void Try(Read read) {
    try {
        read();
    } catch (const EInvalidCast&) {
    } catch (const EVariantTypeCastError&) {
    }
}

void Walk(const TlkJSONbase* value, int depth) {
    Require(value != nullptr);
    Require(depth <= TlkJSON::kMaxNestingDepth + 1);
    Require(!value->KindName().empty());
    Try([&] { (void)value->ReadText(); });
    Try([&] { (void)value->ReadValue().ToWideText(); });

    const auto* list = dynamic_cast<const TlkJSONcustomlist*>(value);
    const int count = value->ChildCount();
    Require(list != nullptr || count == 0);
    Require(value->ChildAt(count) == nullptr && value->ChildAt(-1) == nullptr);
    if (list == nullptr) {
        return;
    }
    const auto* object = dynamic_cast<const TlkJSONobject*>(value);
    for (int i = 0; i < count; ++i) {
        const TlkJSONbase* child = list->ChildAt(i);
        Require(list->PositionOf(child) == i);
        std::string name;
        const TlkJSONbase* named = list->NamedChild(i, name);
        Try([&] { (void)list->IntAt(i); });
        Try([&] { (void)list->TextAt(i); });
        Try([&] { (void)list->RealAt(i); });
        Try([&] { (void)list->BoolAt(i); });
        if (object == nullptr) {
            Require(named == child);
            Walk(child, depth + 1);
            continue;
        }
        const auto* pair = dynamic_cast<const TlkJSONobjectmethod*>(child);
        Require(pair != nullptr && pair->MemberValue() != nullptr);
        // The index finds the first member of each name.
        const int first = object->KeyPosition(pair->MemberName());
        Require(first >= 0 && first <= i && object->KeyAt(first) == pair->MemberName());
        Require(object->Lookup(TlkVariant(pair->MemberName())) ==
                object->MemberByName(pair->MemberName()));
        Walk(pair->MemberValue(), depth + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<TlkJSONbase> root = TlkJSON::ParseDocument(text);
    if (root != nullptr) {
        Walk(root.get(), 1);
        // Reading the same text again gives the same shape.
        std::unique_ptr<TlkJSONbase> again = TlkJSON::ParseDocument(text);
        Require(again != nullptr && again->Kind() == root->Kind() &&
                again->ChildCount() == root->ChildCount());
    }
    return 0;
}
