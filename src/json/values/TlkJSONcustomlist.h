// The JSON containers' common base (an owned, ordered list of elements with typed accessors)
// and the array value. A container owns its items and frees them from the last to the first.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "json/values/TlkJSONbase.h"

namespace tarnwick::json {

class TlkJSONcustomlist : public TlkJSONbase {
  public:
    static constexpr int kNoPosition = -1;

    ~TlkJSONcustomlist() override;

    TlkJSONbase* ChildAt(int position) const override;
    void ReplaceChild(int position, std::unique_ptr<TlkJSONbase> element) override;
    int ChildCount() const override { return static_cast<int>(fItems.size()); }

    // The element at a position and its name: for a list the position in decimal, for an
    // object the member name as 8-bit text (empty outside the range).
    virtual TlkJSONbase* NamedChild(int position, std::string& name) const = 0;
    // Appends the element and gives its position; none is not appended and gives -1.
    virtual int Append(std::unique_ptr<TlkJSONbase> element);
    // Frees the element at the position and moves the last element into its place (the order
    // of the others is not kept). Outside the range nothing happens.
    virtual void RemoveAt(int position);
    // The position of the element, or -1.
    virtual int PositionOf(const TlkJSONbase* element) const;

    // Typed accessors of the element at a position (ElementForAccess): a missing element gives
    // 0, empty text or false; an element of another kind raises EInvalidCast.
    // The number with its fraction cut off towards zero, saturated to the 32-bit range.
    virtual std::int32_t IntAt(int position) const;
    // The string as 8-bit Windows-1252 text.
    virtual std::string TextAt(int position) const;
    virtual std::u16string WideTextAt(int position) const;
    virtual long double RealAt(int position) const;
    virtual bool BoolAt(int position) const;

  protected:
    TlkJSONcustomlist() = default;

    // The element the typed accessors read: ChildAt for a list, MemberValueAt for an object.
    virtual TlkJSONbase* ElementForAccess(int position) const { return ChildAt(position); }
    // Converts a numeric lookup key to a position; false for keys that name no position.
    static bool KeyToPosition(const TlkVariant& key, int& position);

    std::vector<std::unique_ptr<TlkJSONbase>> fItems;
};

// A JSON array: its items are the elements in document order.
class TlkJSONlist : public TlkJSONcustomlist {
  public:
    TLK_JSON_KIND(TlkJSONkind::List, "jsList")

    TlkJSONlist() = default;

    // A numeric key gives ChildAt of the key as an integer; any other key gives none.
    TlkJSONbase* Lookup(const TlkVariant& key) const override;
    TlkJSONbase* NamedChild(int position, std::string& name) const override;
};

}  // namespace tarnwick::json
