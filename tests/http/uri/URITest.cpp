#include "http/uri/EIdURIException.h"
#include "http/uri/TIdURI.h"

#include <gtest/gtest.h>

namespace tarnwick::http::test {

namespace {

struct ParseCase {
    const char* name;
    const char* url;
    const char* scheme;
    const char* user;
    const char* password;
    const char* host;
    const char* port;
    const char* dirPath;
    const char* docName;
    const char* query;
    const char* fragment;
    TIdIPVersion ipVersion;
};

constexpr auto v4 = TIdIPVersion::Id_IPv4;
constexpr auto v6 = TIdIPVersion::Id_IPv6;

const ParseCase kParseCases[] = {
    {"AllParts", "http://example/tools/a/b.php?x=1#top", "http", "", "", "example", "", "/tools/a/",
     "b.php", "x=1", "top", v4},
    {"HostOnly", "http://host", "http", "", "", "host", "", "/", "", "", "", v4},
    {"QueryCutBeforeAuthority", "http://host?a", "http", "", "", "host", "", "/", "", "a", "", v4},
    {"FragmentWithoutQuery", "http://h/d/#frag", "http", "", "", "h", "", "/d/", "", "", "frag",
     v4},
    {"QuestionMarkInsideFragment", "http://h/d/f#frag?x", "http", "", "", "h", "", "/d/", "f", "",
     "frag?x", v4},
    {"RelativeQuestionMarkInsideFragment", "f#a?b", "", "", "", "", "", "", "f", "", "a?b", v4},
    {"PasswordKeepsLaterColons", "http://u:p:q@h:8080/", "http", "u", "p:q", "h", "8080", "/", "",
     "", "", v4},
    {"LastAtSplitsUserInfo", "http://a@b@h/", "http", "a@b", "", "h", "", "/", "", "", "", v4},
    {"EmptyUserDropsPassword", "http://:p@h/", "http", "", "", "h", "", "/", "", "", "", v4},
    {"IPv6WithPort", "http://[::1]:81/x", "http", "", "", "::1", "81", "/", "x", "", "", v6},
    {"IPv6WithoutPort", "http://[::1]/", "http", "", "", "::1", "", "/", "", "", "", v6},
    {"BracketsInWrongOrder", "http://]a[:5/", "http", "", "", "]a[", "5", "/", "", "", "", v4},
    {"PortTextNotValidated", "http://h:8o8 /", "http", "", "", "h", "8o8 ", "/", "", "", "", v4},
    {"BackslashesBeforeQuery", "HTTP://H\\dir\\f.txt?a\\b", "HTTP", "", "", "H", "", "/dir/",
     "f.txt", "a\\b", "", v4},
    // Backslashes directly after the colon are skipped, not turned into "//".
    {"BackslashSeparatorAfterScheme", "http:\\\\h\\x", "", "", "", "", "", "http:\\\\h/", "x", "",
     "", v4},
    {"BytesKeptAsWritten", "http://h/%41 b/\xC3\xA9.txt?q=%20 x", "http", "", "", "h", "",
     "/%41 b/", "\xC3\xA9.txt", "q=%20 x", "", v4},
    {"SchemeCaseKept", "HtTp://H/", "HtTp", "", "", "H", "", "/", "", "", "", v4},
    {"RelativeReference", "sub/f.htm", "", "", "", "", "", "sub/", "f.htm", "", "", v4},
    {"RelativeWithQuery", "../up/x?y#z", "", "", "", "", "", "../up/", "x", "y", "z", v4},
    {"RelativeDocOnly", "f.htm", "", "", "", "", "", "", "f.htm", "", "", v4},
    {"AbsolutePathReference", "/a/b", "", "", "", "", "", "/a/", "b", "", "", v4},
    {"Empty", "", "", "", "", "", "", "", "", "", "", v4},
};

class URIParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(URIParse, SplitsFields) {
    const ParseCase& c = GetParam();
    TIdURI uri(c.url);
    EXPECT_EQ(uri.Scheme, c.scheme);
    EXPECT_EQ(uri.UserName, c.user);
    EXPECT_EQ(uri.Password, c.password);
    EXPECT_EQ(uri.Host, c.host);
    EXPECT_EQ(uri.Port, c.port);
    EXPECT_EQ(uri.DirPath, c.dirPath);
    EXPECT_EQ(uri.DocName, c.docName);
    EXPECT_EQ(uri.Query, c.query);
    EXPECT_EQ(uri.Fragment, c.fragment);
    EXPECT_EQ(uri.IPVersion, c.ipVersion);
}

INSTANTIATE_TEST_SUITE_P(Cases, URIParse, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(URIParseTest, ReparseClearsEveryField) {
    TIdURI uri("http://u:p@[::1]:9/d/f?q#f");
    uri.Parse("rel");
    EXPECT_EQ(uri.Scheme, "");
    EXPECT_EQ(uri.UserName, "");
    EXPECT_EQ(uri.Password, "");
    EXPECT_EQ(uri.Host, "");
    EXPECT_EQ(uri.Port, "");
    EXPECT_EQ(uri.DirPath, "");
    EXPECT_EQ(uri.Query, "");
    EXPECT_EQ(uri.Fragment, "");
    EXPECT_EQ(uri.DocName, "rel");
    EXPECT_EQ(uri.IPVersion, TIdIPVersion::Id_IPv4);
    EXPECT_EQ(uri.Text, "rel");
}

TEST(URIParseTest, TextHoldsNormalisedURL) {
    EXPECT_EQ(TIdURI("HTTP://H\\dir\\f.txt?a\\b").Text, "HTTP://H/dir/f.txt?a\\b");
    EXPECT_EQ(TIdURI("file:\\\\srv\\share#x\\y").Text, "file:\\\\srv/share#x\\y");
    EXPECT_EQ(TIdURI("a\\b?c").Text, "a/b?c");
}

TEST(URIPathAndQueryTest, BuildsRequestTarget) {
    EXPECT_EQ(TIdURI("http://example/tools/a/b.php?x=1#top").PathAndQuery(), "/tools/a/b.php?x=1");
    EXPECT_EQ(TIdURI("http://host").PathAndQuery(), "/");
    EXPECT_EQ(TIdURI("http://h/a b").PathAndQuery(), "/a b");
    EXPECT_EQ(TIdURI("http://h/x?").PathAndQuery(), "/x");
}

TEST(URIFullURITest, RebuildsAbsoluteForm) {
    TIdURI uri("http://u:p@h:8080/d/f?q#frag");
    EXPECT_EQ(uri.FullURI(true, true), "http://u:p@h:8080/d/f?q#frag");
    EXPECT_EQ(uri.FullURI(false, false), "http://h:8080/d/f?q");
    EXPECT_EQ(TIdURI("http://u@h/").FullURI(true, false), "http://u@h/");
    EXPECT_EQ(TIdURI("http://[::1]:81/x").FullURI(false, false), "http://[::1]:81/x");
}

TEST(URIFullURITest, DropsOnlyTheSchemesDefaultPort) {
    struct Row {
        const char* url;
        const char* expected;
    } rows[] = {
        {"http://h:80/", "http://h/"},        {"HTTP://h:80/", "HTTP://h/"},
        {"http://h:080/", "http://h:080/"},   {"https://h:443/", "https://h/"},
        {"https://h:80/", "https://h:80/"},   {"ftp://h:21/", "ftp://h/"},
        {"gopher://h:70/", "gopher://h:70/"}, {"http://h:443/", "http://h:443/"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TIdURI(row.url).FullURI(false, false), row.expected) << row.url;
    }
}

TEST(URIFullURITest, MissingSchemeOrHostRaises) {
    try {
        TIdURI("a/b").FullURI(false, false);
        FAIL() << "no exception";
    } catch (const EIdURIException& e) {
        EXPECT_STREQ(e.what(), "Protocol field is empty");
    }
    try {
        TIdURI("http:///x").FullURI(false, false);
        FAIL() << "no exception";
    } catch (const EIdURIException& e) {
        EXPECT_STREQ(e.what(), "Host field is empty");
    }
}

TEST(URIFullURITest, URIGetterStoresFullFormInText) {
    TIdURI uri("http://u:p@h/d?q#f");
    EXPECT_EQ(uri.URI(), "http://h/d?q");
    EXPECT_EQ(uri.Text, "http://u:p@h/d?q#f");
    uri.Host = "other";
    uri.URI();
    EXPECT_EQ(uri.Text, "http://u:p@other/d?q#f");
}

TEST(URIMergePathTest, ResolvesAgainstBase) {
    struct Row {
        const char* base;
        const char* path;
        const char* expected;
    } rows[] = {
        {"/a/b/", "../c/", "/a/c/"},
        {"/a/b/", "c", "/a/b/c"},
        {"", "c/", "c/"},
        {"/a/", "/x/", "/x/"},
        {"/a/b/", "./c/", "/a/b/./c/"},
        {"/a/b/", "..x/", "/a/x/"},
        {"/a/b/", "", "/a/b/"},
        {"/a/b", "c", "/a/b/c"},
        {"/a//b/", "c//d/", "/a/b/c/d/"},
        {"/", "../../x", "/x"},
        {"/a/", "../..", ""},
        {"", "", ""},
        {"/", "", "/"},
        {"/a/b/", "../", "/a/"},
        {"a", "b", "a/b"},
        {"/a/b/", "../../../c", "/c"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TIdURI::MergePath(row.base, row.path), row.expected)
            << "base '" << row.base << "' path '" << row.path << "'";
    }
}

}  // namespace

}  // namespace tarnwick::http::test
