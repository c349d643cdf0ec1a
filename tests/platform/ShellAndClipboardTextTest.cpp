// The texts the core hands the desktop: file URIs made from a path's bytes, and clipboard text
// with LF line breaks.
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/Clipboard.h"
#include "platform/Shell.h"

namespace tarnwick::platform {
namespace {

TEST(FileUriTest, PercentEncodesEveryByteButUnreservedOnesAndSlashes) {
    const struct {
        const char* name;
        std::string path;
        std::string uri;
    } cases[] = {
        {"plain", "/home/u/notes.txt", "file:///home/u/notes.txt"},
        {"unreserved kept", "/a-b_c.d~e/F9", "file:///a-b_c.d~e/F9"},
        {"spaces", "/tmp/my file with spaces.txt", "file:///tmp/my%20file%20with%20spaces.txt"},
        {"UTF-8 name", "/tmp/caf\xC3\xA9.txt", "file:///tmp/caf%C3%A9.txt"},
        {"not UTF-8", "/tmp/caf\xE9.txt", "file:///tmp/caf%E9.txt"},
        {"URI delimiters", "/x/a#b?c%d&e;f:g@h+i", "file:///x/a%23b%3Fc%25d%26e%3Bf%3Ag%40h%2Bi"},
        {"control bytes", std::string("/x/\x01\x7F\n", 6), "file:///x/%01%7F%0A"},
        {"root", "/", "file:///"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileUri(c.path), c.uri) << c.name;
    }
}

TEST(FileUriTest, RelativePathIsTakenFromTheWorkingDirectory) {
    char folder[4096];
    ASSERT_NE(::getcwd(folder, sizeof folder), nullptr);
    const std::string uri = FileUri("rel name");
    const std::string expectedEnd = "/rel%20name";
    ASSERT_GT(uri.size(), expectedEnd.size());
    EXPECT_EQ(uri.substr(uri.size() - expectedEnd.size()), expectedEnd);
    EXPECT_EQ(uri.rfind("file:///", 0), 0u) << uri;
}

TEST(FileUriTest, AddressesHaveASchemeAndPathsDoNot) {
    for (const char* address :
         {"http://www.tarnwick.example/", "mailto:a@b.example", "a+b.c-d:x"}) {
        EXPECT_TRUE(HasUriScheme(address)) << address;
    }
    for (const char* path : {"/tmp/a:b", "notes.txt", "C:/x", ":x", "1ab:x", "a b:c", ""}) {
        EXPECT_FALSE(HasUriScheme(path)) << path;
    }
}

TEST(ClipboardTextTest, EveryLineBreakBecomesOneLf) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"no break", "no break"},
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\nb", "a\nb"},
        {"a\rb", "a\nb"},
        {"a\r\r\nb", "a\n\nb"},
        {"a\n\rb", "a\n\nb"},
        {std::string("a\0\r\nb", 5), std::string("a\0\nb", 4)},
        {"\xE2\x82\xAC\r\n\xE9", "\xE2\x82\xAC\n\xE9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithLfLineBreaks(c.in), c.out);
    }
}

TEST(ClipboardTextTest, PastedTextBreaksLinesAtCrLfLfAndCr) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"a\nb", "a\r\nb"},
        {"a\rb", "a\r\nb"},
        {"a\r\nb", "a\r\nb"},
        {"a\n\rb", "a\r\nb"},
        {"a\n\nb", "a\r\n\r\nb"},
        {"a\r\rb\n", "a\r\n\r\nb\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithCrLfLineBreaks(c.in), c.out);
        // What goes out and comes back in is the same lines.
        EXPECT_EQ(WithCrLfLineBreaks(WithLfLineBreaks(c.out)), c.out);
    }
}

}  // namespace
}  // namespace tarnwick::platform
