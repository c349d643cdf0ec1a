// A JSON object and its member pairs. The object's items are TlkJSONobjectmethod pairs in
// document order; with UseKeyIndex set, KeyIndex maps each name to the position of its first
// member, so the first of two members with one name is the one found by name.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "json/values/TlkBalTree.h"
#include "json/values/TlkJSONcustomlist.h"

namespace tarnwick::json {

// One member of an object: its name and its value, which the pair owns.
class TlkJSONobjectmethod : public TlkJSONbase {
  public:
    TlkJSONobjectmethod() = default;
    TlkJSONobjectmethod(std::u16string name, std::unique_ptr<TlkJSONbase> value)
        : fMemberName(std::move(name)), fMemberValue(std::move(value)) {}

    const std::u16string& MemberName() const { return fMemberName; }
    void SetMemberName(std::u16string name) { fMemberName = std::move(name); }
    // The value, or none when the pair has none yet.
    TlkJSONbase* MemberValue() const { return fMemberValue.get(); }
    // Frees the old value and takes the new one.
    void SetMemberValue(std::unique_ptr<TlkJSONbase> value) { fMemberValue = std::move(value); }

  private:
    std::u16string fMemberName;
    std::unique_ptr<TlkJSONbase> fMemberValue;
};

class TlkJSONobject : public TlkJSONcustomlist {
  public:
    TLK_JSON_KIND(TlkJSONkind::Object, "jsObject")

    explicit TlkJSONobject(bool useKeyIndex = true) : fUseKeyIndex(useKeyIndex) {}
    // Members first, from the last to the first, then the key index.
    ~TlkJSONobject() override;

    bool UseKeyIndex() const { return fUseKeyIndex; }
    const TlkBalTree& KeyIndex() const { return fKeyIndex; }

    // A text key gives MemberByName, a numeric key ChildAt (the pair); any other key none.
    TlkJSONbase* Lookup(const TlkVariant& key) const override;
    TlkJSONbase* NamedChild(int position, std::string& name) const override;
    // Both keep the key index in step: it is rebuilt from the remaining pairs in order.
    void ReplaceChild(int position, std::unique_ptr<TlkJSONbase> element) override;
    void RemoveAt(int position) override;

    // Appends the pair and, with UseKeyIndex set, indexes its name unless the name is already
    // indexed. Gives the pair's position, or -1 for none.
    int AppendMember(std::unique_ptr<TlkJSONobjectmethod> pair);

    // The position of the member with this name (the first one), or -1. Through the key index
    // when UseKeyIndex is set, else by comparing the names code unit by code unit.
    int KeyPosition(std::u16string_view key) const;
    // The value of the member with this name, or none.
    TlkJSONbase* MemberByName(std::u16string_view key) const;
    // The name of the pair at the position; empty outside the range.
    std::u16string KeyAt(int position) const;
    // MemberByName of KeyAt(position): none for an empty name, and for a later duplicate
    // name the value of the first member of that name.
    TlkJSONbase* MemberValueAt(int position) const;

  protected:
    TlkJSONbase* ElementForAccess(int position) const override { return MemberValueAt(position); }

  private:
    const TlkJSONobjectmethod* PairAt(int position) const;
    void RebuildKeyIndex();

    TlkBalTree fKeyIndex;
    bool fUseKeyIndex;
};

}  // namespace tarnwick::json
