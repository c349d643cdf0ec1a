#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "json/reader/TlkJSON.h"
#include "json/values/TlkJSONerrors.h"
#include "json/values/TlkJSONobject.h"

namespace tarnwick::json {
namespace {

TEST(TlkJSONvalueTest, KindsAndKindNamesAreFixedPerClass) {
    struct Case {
        std::unique_ptr<TlkJSONbase> value;
        int kind;
        const char* name;
    };
    Case cases[] = {
        {std::make_unique<TlkJSONbase>(), 0, "jsBase"},
        {std::make_unique<TlkJSONnumber>(), 1, "jsNumber"},
        {std::make_unique<TlkJSONstring>(), 2, "jsString"},
        {std::make_unique<TlkJSONboolean>(), 3, "jsBoolean"},
        {std::make_unique<TlkJSONnull>(), 4, "jsNull"},
        {std::make_unique<TlkJSONlist>(), 5, "jsList"},
        {std::make_unique<TlkJSONobject>(), 6, "jsObject"},
        {std::make_unique<TlkJSONobjectmethod>(), 0, "jsBase"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(static_cast<int>(c.value->Kind()), c.kind) << c.name;
        EXPECT_EQ(c.value->KindName(), c.name);
    }
    EXPECT_EQ(TlkJSONobject::kKindName, "jsObject");  // class-level, no object needed
    EXPECT_EQ(static_cast<int>(TlkJSONlist::kKind), 5);
}

TEST(TlkJSONvalueTest, NewValuesHoldTheirDefaults) {
    EXPECT_EQ(TlkJSONnumber().Value(), 0);
    EXPECT_TRUE(TlkJSONstring().Value().empty());
    EXPECT_FALSE(TlkJSONboolean().Value());
    TlkJSONobjectmethod pair;
    EXPECT_EQ(pair.MemberValue(), nullptr);
    EXPECT_TRUE(pair.MemberName().empty());
    EXPECT_EQ(TlkJSONlist().ChildCount(), 0);
}

TEST(TlkJSONvalueTest, ReadValueGivesTheVariantOfEachKind) {
    EXPECT_EQ(TlkJSONnumber(2.5L).ReadValue(), TlkVariant(2.5));
    EXPECT_EQ(TlkJSONstring(u"h\u00E9").ReadValue(), TlkVariant(u"h\u00E9"));
    EXPECT_EQ(TlkJSONboolean(true).ReadValue(), TlkVariant(true));
    EXPECT_TRUE(TlkJSONnull().ReadValue().IsNull());
    EXPECT_TRUE(TlkJSONbase().ReadValue().IsNull());
    EXPECT_TRUE(TlkJSONlist().ReadValue().IsNull());
    EXPECT_TRUE(TlkJSONobject().ReadValue().IsNull());
    EXPECT_TRUE(TlkJSONobjectmethod().ReadValue().IsNull());
}

TEST(TlkJSONvalueTest, WriteValueConvertsTheVariant) {
    TlkJSONnumber number;
    number.WriteValue(TlkVariant(7));
    EXPECT_EQ(number.Value(), 7);
    number.WriteValue(TlkVariant("2.25"));
    EXPECT_EQ(number.Value(), 2.25L);
    EXPECT_THROW(number.WriteValue(TlkVariant("abc")), EVariantTypeCastError);
    EXPECT_EQ(number.Value(), 2.25L);

    TlkJSONstring text;
    text.WriteValue(TlkVariant("caf\xE9"));  // 8-bit text is read as Windows-1252
    EXPECT_EQ(text.Value(), u"caf\u00E9");
    text.WriteValue(TlkVariant(true));
    EXPECT_EQ(text.Value(), u"True");
    EXPECT_THROW(text.WriteValue(TlkVariant()), EVariantTypeCastError);

    TlkJSONboolean flag;
    flag.WriteValue(TlkVariant("TRUE"));
    EXPECT_TRUE(flag.Value());
    flag.WriteValue(TlkVariant(0.0));
    EXPECT_FALSE(flag.Value());

    TlkJSONnull null;
    null.WriteValue(TlkVariant(1));  // nothing to store
    EXPECT_TRUE(null.ReadValue().IsNull());
}

TEST(TlkJSONvalueTest, ReadingAsText) {
    auto version = TlkJSON::ParseDocument(R"({"ver":"2.0.1","n":2.5,"b":true,"z":null,"l":[]})");
    auto* object = static_cast<TlkJSONobject*>(version.get());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->MemberByName(u"ver")->ReadText(), "2.0.1");
    EXPECT_EQ(object->MemberByName(u"n")->ReadValue().ToText(","), "2,5");
    EXPECT_EQ(object->MemberByName(u"b")->ReadText(), "True");
    EXPECT_THROW(object->MemberByName(u"z")->ReadText(), EVariantTypeCastError);
    EXPECT_THROW(object->MemberByName(u"l")->ReadText(), EVariantTypeCastError);
    EXPECT_THROW(object->ReadText(), EVariantTypeCastError);
}

TEST(TlkJSONvalueTest, StringsAreConvertedToTheCodePageWhenReadAsText) {
    TlkJSONstring text(u"\u20AC 5 \u4E2D");
    EXPECT_EQ(text.ReadText(), "\x80 5 ?");
}

}  // namespace
}  // namespace tarnwick::json
