#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "json/JsonTestSupport.h"
#include "json/reader/TlkJSON.h"
#include "json/values/TlkJSONerrors.h"
#include "json/values/TlkJSONobject.h"

namespace tarnwick::json {
namespace {

using testing::Describe;

std::unique_ptr<TlkJSONlist> ParseList(std::string_view text) {
    auto value = TlkJSON::ParseDocument(text);
    EXPECT_NE(value, nullptr) << text;
    EXPECT_EQ(value->Kind(), TlkJSONkind::List);
    return std::unique_ptr<TlkJSONlist>(static_cast<TlkJSONlist*>(value.release()));
}

std::unique_ptr<TlkJSONobject> ParseObject(std::string_view text) {
    auto value = TlkJSON::ParseDocument(text);
    EXPECT_NE(value, nullptr) << text;
    EXPECT_EQ(value->Kind(), TlkJSONkind::Object);
    return std::unique_ptr<TlkJSONobject>(static_cast<TlkJSONobject*>(value.release()));
}

// Counts destructions so ownership can be checked without a leak detector.
struct Counted : TlkJSONnull {
    explicit Counted(int& deaths) : fDeaths(deaths) {}
    ~Counted() override { ++fDeaths; }
    int& fDeaths;
};

TEST(TlkJSONcontainerTest, ChildAtOutsideTheRangeGivesNone) {
    auto list = ParseList("[10,20]");
    EXPECT_EQ(Describe(list->ChildAt(1)), "20");
    EXPECT_EQ(list->ChildAt(2), nullptr);
    EXPECT_EQ(list->ChildAt(-1), nullptr);
    EXPECT_EQ(TlkJSONnumber(1).ChildAt(0), nullptr);
    EXPECT_EQ(TlkJSONnumber(1).ChildCount(), 0);
}

TEST(TlkJSONcontainerTest, LookupOnAList) {
    auto list = ParseList("[10,20,30]");
    EXPECT_EQ(Describe(list->Lookup(TlkVariant(1))), "20");
    EXPECT_EQ(Describe(list->Lookup(TlkVariant(2.0))), "30");
    EXPECT_EQ(Describe(list->Lookup(TlkVariant(0.6))), "20");  // rounded to the nearest
    EXPECT_EQ(list->Lookup(TlkVariant(3)), nullptr);
    EXPECT_EQ(list->Lookup(TlkVariant(std::int64_t{1} << 40)), nullptr);
    EXPECT_EQ(list->Lookup(TlkVariant(1e300)), nullptr);
    EXPECT_EQ(list->Lookup(TlkVariant("1")), nullptr);  // a text key names nothing in a list
    EXPECT_EQ(list->Lookup(TlkVariant(true)), nullptr);
    EXPECT_EQ(list->Lookup(TlkVariant()), nullptr);
    EXPECT_EQ(TlkJSONstring(u"x").Lookup(TlkVariant(0)), nullptr);
}

TEST(TlkJSONcontainerTest, LookupOnAnObject) {
    auto object = ParseObject(R"({"first":1,"second":"two","\u00e9":3})");
    TlkJSONbase* pair = object->Lookup(TlkVariant(0));
    ASSERT_NE(pair, nullptr);  // a numeric key gives the pair, not its value
    EXPECT_EQ(pair->KindName(), "jsBase");
    EXPECT_EQ(Describe(static_cast<TlkJSONobjectmethod*>(pair)->MemberValue()), "1");
    EXPECT_EQ(Describe(object->Lookup(TlkVariant("second"))), "\"two\"");
    EXPECT_EQ(Describe(object->Lookup(TlkVariant(u"second"))), "\"two\"");
    EXPECT_EQ(Describe(object->Lookup(TlkVariant("\xE9"))), "3");  // 8-bit key as Windows-1252
    EXPECT_EQ(object->Lookup(TlkVariant("Second")), nullptr);      // letter case matters
    EXPECT_EQ(object->Lookup(TlkVariant(false)), nullptr);
}

TEST(TlkJSONcontainerTest, NamedChild) {
    auto list = ParseList("[true]");
    std::string name;
    EXPECT_EQ(Describe(list->NamedChild(0, name)), "true");
    EXPECT_EQ(name, "0");
    EXPECT_EQ(list->NamedChild(4, name), nullptr);
    EXPECT_EQ(name, "4");

    auto object = ParseObject(R"({"a":1,"\u20acx":2})");
    EXPECT_EQ(Describe(object->NamedChild(1, name)), "2");
    EXPECT_EQ(name, "\x80x");
    EXPECT_EQ(object->NamedChild(2, name), nullptr);
    EXPECT_EQ(name, "");
}

TEST(TlkJSONcontainerTest, AppendRemoveAndPositionOf) {
    TlkJSONlist list;
    EXPECT_EQ(list.Append(nullptr), -1);
    EXPECT_EQ(list.ChildCount(), 0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list.Append(std::make_unique<TlkJSONnumber>(i)), i);
    }
    TlkJSONbase* last = list.ChildAt(3);
    list.RemoveAt(1);  // the last element moves into the hole
    EXPECT_EQ(Describe(&list), "[0,3,2]");
    EXPECT_EQ(list.PositionOf(last), 1);
    list.RemoveAt(2);  // removing the last keeps the rest in place
    EXPECT_EQ(Describe(&list), "[0,3]");
    list.RemoveAt(2);
    list.RemoveAt(-1);
    EXPECT_EQ(Describe(&list), "[0,3]");
    TlkJSONnumber stranger;
    EXPECT_EQ(list.PositionOf(&stranger), -1);
    EXPECT_EQ(list.PositionOf(nullptr), -1);
}

TEST(TlkJSONcontainerTest, ReplaceChildFreesTheOldElement) {
    int deaths = 0;
    TlkJSONlist list;
    list.Append(std::make_unique<Counted>(deaths));
    list.ReplaceChild(0, std::make_unique<TlkJSONnumber>(5));
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(Describe(&list), "[5]");
    list.ReplaceChild(1, std::make_unique<Counted>(deaths));  // outside: not stored
    EXPECT_EQ(list.ChildCount(), 1);
    EXPECT_EQ(deaths, 2);
}

TEST(TlkJSONcontainerTest, FreeingTheRootFreesTheTree) {
    int deaths = 0;
    {
        TlkJSONlist root;
        auto inner = std::make_unique<TlkJSONobject>();
        inner->AppendMember(
            std::make_unique<TlkJSONobjectmethod>(u"a", std::make_unique<Counted>(deaths)));
        auto nested = std::make_unique<TlkJSONlist>();
        nested->Append(std::make_unique<Counted>(deaths));
        nested->Append(std::make_unique<Counted>(deaths));
        root.Append(std::move(inner));
        root.Append(std::move(nested));
        root.Append(std::make_unique<Counted>(deaths));
        EXPECT_EQ(deaths, 0);
    }
    EXPECT_EQ(deaths, 4);
}

TEST(TlkJSONcontainerTest, IntAtCutsTheFractionTowardsZero) {
    auto list = ParseList("[2.5,3.9,-2.7,-0.5,7,1e12,-1e12,2147483647.9,\"s\"]");
    const std::int32_t expected[] = {2, 3, -2, 0, 7, 2147483647, -2147483647 - 1, 2147483647};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(list->IntAt(i), expected[i]) << "element " << i;
    }
    EXPECT_EQ(list->IntAt(9), 0);  // no element
    EXPECT_THROW(list->IntAt(8), EInvalidCast);
}

TEST(TlkJSONcontainerTest, TypedAccessorsOnAList) {
    auto list = ParseList(R"([1.25,"caf\u00e9 \u4e2d",true,null])");
    EXPECT_EQ(list->RealAt(0), 1.25L);
    EXPECT_EQ(list->TextAt(1), "caf\xE9 ?");
    EXPECT_EQ(list->WideTextAt(1), u"caf\u00E9 \u4E2D");
    EXPECT_TRUE(list->BoolAt(2));
    // No element: the empty value of the type.
    EXPECT_EQ(list->RealAt(10), 0);
    EXPECT_EQ(list->TextAt(10), "");
    EXPECT_EQ(list->WideTextAt(-1), u"");
    EXPECT_FALSE(list->BoolAt(10));
    // Another kind: the cast fails with its fixed message.
    struct Mismatch {
        const char* what;
        std::function<void()> read;
    };
    const Mismatch mismatches[] = {
        {"RealAt of a string", [&] { list->RealAt(1); }},
        {"TextAt of a number", [&] { list->TextAt(0); }},
        {"WideTextAt of a boolean", [&] { list->WideTextAt(2); }},
        {"BoolAt of null", [&] { list->BoolAt(3); }},
        {"IntAt of a boolean", [&] { list->IntAt(2); }},
    };
    for (const Mismatch& m : mismatches) {
        try {
            m.read();
            ADD_FAILURE() << m.what << " did not raise";
        } catch (const EInvalidCast& error) {
            EXPECT_STREQ(error.what(), "Invalid class typecast") << m.what;
        }
    }
}

TEST(TlkJSONcontainerTest, TypedAccessorsOnAnObjectReadMemberValues) {
    auto object = ParseObject(R"({"n":3.5,"s":"x","b":false,"":7,"n":9})");
    EXPECT_EQ(object->IntAt(0), 3);
    EXPECT_EQ(object->TextAt(1), "x");
    EXPECT_FALSE(object->BoolAt(2));
    // A member without a name cannot be read by position, and a later duplicate reads the
    // first member of its name.
    EXPECT_EQ(object->MemberValueAt(3), nullptr);
    EXPECT_EQ(object->IntAt(3), 0);
    EXPECT_EQ(object->RealAt(4), 3.5L);
    EXPECT_THROW(object->TextAt(0), EInvalidCast);
}

TEST(TlkJSONcontainerTest, ObjectKeyOperations) {
    auto object = ParseObject(R"({"a":1,"b":2,"B":3})");
    EXPECT_EQ(object->KeyPosition(u"b"), 1);
    EXPECT_EQ(object->KeyPosition(u"B"), 2);
    EXPECT_EQ(object->KeyPosition(u"c"), -1);
    EXPECT_EQ(object->KeyAt(2), u"B");
    EXPECT_EQ(object->KeyAt(3), u"");
    EXPECT_EQ(Describe(object->MemberValueAt(1)), "2");
    EXPECT_EQ(object->MemberValueAt(-1), nullptr);
}

TEST(TlkJSONcontainerTest, ObjectWithoutKeyIndexSearchesThePairs) {
    TlkJSONobject object(false);
    object.AppendMember(
        std::make_unique<TlkJSONobjectmethod>(u"x", std::make_unique<TlkJSONnumber>(1)));
    object.AppendMember(
        std::make_unique<TlkJSONobjectmethod>(u"x", std::make_unique<TlkJSONnumber>(2)));
    EXPECT_EQ(object.KeyIndex().RootNode(), object.KeyIndex().Sentinel());
    EXPECT_EQ(object.KeyPosition(u"x"), 0);
    EXPECT_EQ(Describe(object.MemberByName(u"x")), "1");
    EXPECT_EQ(object.AppendMember(nullptr), -1);
}

TEST(TlkJSONcontainerTest, PlainAppendToAnObjectDoesNotIndex) {
    TlkJSONobject object;
    object.Append(std::make_unique<TlkJSONobjectmethod>(u"k", std::make_unique<TlkJSONnull>()));
    EXPECT_EQ(object.ChildCount(), 1);
    EXPECT_EQ(object.KeyPosition(u"k"), -1);
}

TEST(TlkJSONcontainerTest, RemovingMembersKeepsTheKeyIndexInStep) {
    auto object = ParseObject(R"({"a":1,"b":2,"c":3,"a":4})");
    object->RemoveAt(0);  // the second "a" moves into position 0
    EXPECT_EQ(object->ChildCount(), 3);
    EXPECT_EQ(Describe(object->MemberByName(u"a")), "4");
    EXPECT_EQ(Describe(object->MemberByName(u"b")), "2");
    EXPECT_EQ(Describe(object->MemberByName(u"c")), "3");
    object->RemoveAt(2);
    EXPECT_EQ(object->MemberByName(u"c"), nullptr);
    object->ReplaceChild(
        1, std::make_unique<TlkJSONobjectmethod>(u"z", std::make_unique<TlkJSONboolean>(true)));
    EXPECT_EQ(object->MemberByName(u"b"), nullptr);
    EXPECT_EQ(Describe(object->MemberByName(u"z")), "true");
    // A non-pair element has no name and is skipped by name lookups.
    object->ReplaceChild(0, std::make_unique<TlkJSONnumber>(8));
    EXPECT_EQ(object->KeyAt(0), u"");
    EXPECT_EQ(object->MemberByName(u"a"), nullptr);
    EXPECT_EQ(Describe(object->MemberByName(u"z")), "true");
}

}  // namespace
}  // namespace tarnwick::json
