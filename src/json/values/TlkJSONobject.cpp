#include "json/values/TlkJSONobject.h"

#include "platform/Windows1252.h"

namespace tarnwick::json {

TlkJSONobject::~TlkJSONobject() {
    while (!fItems.empty()) {
        fItems.pop_back();
    }
    fKeyIndex.ClearKeys();
}

TlkJSONbase* TlkJSONobject::Lookup(const TlkVariant& key) const {
    if (key.GetType() == TlkVariant::Type::WideText) {
        return MemberByName(key.AsWideText());
    }
    if (key.GetType() == TlkVariant::Type::Text) {
        return MemberByName(platform::Windows1252::ToUtf16(key.AsText()));
    }
    int position = 0;
    return KeyToPosition(key, position) ? ChildAt(position) : nullptr;
}

TlkJSONbase* TlkJSONobject::NamedChild(int position, std::string& name) const {
    name = platform::Windows1252::FromUtf16(KeyAt(position));
    return MemberValueAt(position);
}

int TlkJSONobject::AppendMember(std::unique_ptr<TlkJSONobjectmethod> pair) {
    if (pair == nullptr) {
        return kNoPosition;
    }
    const TlkJSONobjectmethod* stored = pair.get();
    const int position = Append(std::move(pair));
    if (fUseKeyIndex) {
        fKeyIndex.InsertKey(stored->MemberName(), position);
    }
    return position;
}

void TlkJSONobject::ReplaceChild(int position, std::unique_ptr<TlkJSONbase> element) {
    const bool inside = position >= 0 && position < ChildCount();
    TlkJSONcustomlist::ReplaceChild(position, std::move(element));
    if (inside) {
        RebuildKeyIndex();
    }
}

void TlkJSONobject::RemoveAt(int position) {
    const bool inside = position >= 0 && position < ChildCount();
    TlkJSONcustomlist::RemoveAt(position);
    if (inside) {
        RebuildKeyIndex();
    }
}

void TlkJSONobject::RebuildKeyIndex() {
    if (!fUseKeyIndex) {
        return;
    }
    fKeyIndex.ClearKeys();
    for (int i = 0; i < ChildCount(); ++i) {
        if (const TlkJSONobjectmethod* pair = PairAt(i)) {
            fKeyIndex.InsertKey(pair->MemberName(), i);
        }
    }
}

const TlkJSONobjectmethod* TlkJSONobject::PairAt(int position) const {
    // Items normally hold pairs only; anything else put there by ReplaceChild has no name.
    return dynamic_cast<const TlkJSONobjectmethod*>(ChildAt(position));
}

int TlkJSONobject::KeyPosition(std::u16string_view key) const {
    if (fUseKeyIndex) {
        return fKeyIndex.FindKey(key);
    }
    for (int i = 0; i < ChildCount(); ++i) {
        const TlkJSONobjectmethod* pair = PairAt(i);
        if (pair != nullptr && pair->MemberName() == key) {
            return i;
        }
    }
    return kNoPosition;
}

TlkJSONbase* TlkJSONobject::MemberByName(std::u16string_view key) const {
    const TlkJSONobjectmethod* pair = PairAt(KeyPosition(key));
    return pair != nullptr ? pair->MemberValue() : nullptr;
}

std::u16string TlkJSONobject::KeyAt(int position) const {
    const TlkJSONobjectmethod* pair = PairAt(position);
    return pair != nullptr ? pair->MemberName() : std::u16string();
}

TlkJSONbase* TlkJSONobject::MemberValueAt(int position) const {
    const std::u16string key = KeyAt(position);
    return key.empty() ? nullptr : MemberByName(key);
}

}  // namespace tarnwick::json
