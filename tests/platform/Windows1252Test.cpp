#include "platform/Windows1252.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <string>

namespace tarnwick::platform {
namespace {

// glibc's own CP1252 table, as an independent reference for the defined bytes. Gives 0 for a
// byte iconv does not define.
char16_t IconvCp1252(unsigned char byte) {
    iconv_t cd = iconv_open("UTF-16LE", "CP1252");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv lacks CP1252";
        return 0;
    }
    char in = static_cast<char>(byte);
    unsigned char out[4] = {};
    char* inPtr = &in;
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) {
        return 0;
    }
    return static_cast<char16_t>(out[0] | (out[1] << 8));
}

TEST(Windows1252Test, DefinedBytesMatchTheSystemTable) {
    int checked = 0;
    for (int byte = 0; byte < 256; ++byte) {
        const char16_t reference = IconvCp1252(static_cast<unsigned char>(byte));
        if (reference == 0 && byte != 0) {
            continue;  // one of the undefined bytes, checked below
        }
        EXPECT_EQ(Windows1252::ToUtf16(static_cast<unsigned char>(byte)), reference)
            << "byte " << byte;
        ++checked;
    }
    EXPECT_EQ(checked, 256 - 5);
}

TEST(Windows1252Test, UndefinedBytesKeepTheirNumber) {
    for (unsigned char byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(Windows1252::ToUtf16(byte), static_cast<char16_t>(byte));
        EXPECT_EQ(Windows1252::FromUtf16(static_cast<char16_t>(byte)), static_cast<char>(byte));
    }
}

TEST(Windows1252Test, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    const std::u16string wide = Windows1252::ToUtf16(all);
    ASSERT_EQ(wide.size(), all.size());
    EXPECT_EQ(Windows1252::FromUtf16(wide), all);
}

TEST(Windows1252Test, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    struct Case {
        const char* name;
        std::u16string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"euro sign and quotes", u"\u20AC\u201C\u201D", "\x80\x93\x94"},
        {"latin-1 letters", u"\u00E9\u00FF\u00A0", "\xE9\xFF\xA0"},
        {"C1 control the table replaces", u"\u0080\u009F", "??"},
        {"letter beyond Latin-1", u"a\u0100b", "a?b"},
        {"CJK", u"\u4E2D\u6587", "??"},
        {"surrogate pair is one character", u"x\U0001F600y", "x?y"},
        {"lone high surrogate", std::u16string(u"a") + char16_t(0xD800) + u"b", "a?b"},
        {"lone low surrogate", std::u16string(1, char16_t(0xDC00)), "?"},
        {"two high surrogates", std::u16string(2, char16_t(0xD83D)), "??"},
        {"NUL kept", std::u16string(1, u'\0'), std::string(1, '\0')},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Windows1252::FromUtf16(c.text), c.bytes) << c.name;
    }
}

}  // namespace
}  // namespace tarnwick::platform
