#include <gtest/gtest.h>

#include <string>

#include "http/headers/TIdCookieManager.h"
#include "http/response/TIdHTTPDate.h"

namespace tarnwick::http::test {

namespace {

TIdURI Uri(const char* url) {
    return TIdURI(url);
}

}  // namespace

TEST(CookieManagerTest, AcceptsOrRejectsByDomainAndScheme) {
    struct Case {
        const char* setCookie;
        const char* url;
        bool kept;
        const char* domain;
        bool hostOnly;
    };
    const Case cases[] = {
        {"a=1", "http://www.example.com/", true, "www.example.com", true},
        {"a=1; Domain=example.com", "http://www.example.com/", true, "example.com", false},
        {"a=1; domain=.EXAMPLE.com", "http://www.example.com/", true, "example.com", false},
        {"a=1; Domain=other.com", "http://www.example.com/", false, "", false},
        {"a=1; Domain=ample.com", "http://www.example.com/", false, "", false},
        {"a=1; Domain=www.example.com.evil", "http://www.example.com/", false, "", false},
        {"a=1; Domain=0.1", "http://127.0.0.1/", false, "", false},
        {"a=1; HttpOnly", "http://h/", true, "h", true},
        {"a=1; HttpOnly", "ftp://h:21/", false, "", false},
        {"noequals", "http://h/", false, "", false},
        {"=v", "http://h/", false, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.setCookie) + " from " + c.url);
        TIdCookieManager store;
        EXPECT_EQ(store.AddServerCookie(c.setCookie, Uri(c.url)), c.kept);
        ASSERT_EQ(store.Cookies().size(), c.kept ? 1u : 0u);
        if (c.kept) {
            EXPECT_EQ(store.Cookies()[0].Domain, c.domain);
            EXPECT_EQ(store.Cookies()[0].HostOnly, c.hostOnly);
        }
    }
}

TEST(CookieManagerTest, PathDefaultsToTheRequestDirectory) {
    struct Case {
        const char* setCookie;
        const char* url;
        const char* path;
    };
    const Case cases[] = {
        {"a=1", "http://h/", "/"},
        {"a=1", "http://h/doc.html", "/"},
        {"a=1", "http://h/a/b/doc.html", "/a/b"},
        {"a=1; Path=/x", "http://h/a/b/doc.html", "/x"},
        {"a=1; Path=relative", "http://h/a/b/doc.html", "/a/b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.setCookie) + " from " + c.url);
        TIdCookieManager store;
        ASSERT_TRUE(store.AddServerCookie(c.setCookie, Uri(c.url)));
        EXPECT_EQ(store.Cookies()[0].Path, c.path);
    }
}

TEST(CookieManagerTest, ExpiryComesFromMaxAgeBeforeExpires) {
    TIdCookieManager store;
    ASSERT_TRUE(store.AddServerCookie("s=1", Uri("http://h/")));
    EXPECT_FALSE(store.Cookies()[0].Persistent);
    EXPECT_DOUBLE_EQ(store.Cookies()[0].Expires, TIdCookieManager::kSessionExpiry);

    const TIdDateTime before = NowLocal();
    ASSERT_TRUE(store.AddServerCookie("p=1; Expires=Wed, 09 Jun 2021 10:18:14 GMT; Max-Age=86400",
                                      Uri("http://h/")));
    const TIdCookie& p = store.Cookies()[1];
    EXPECT_TRUE(p.Persistent);
    EXPECT_NEAR(p.Expires, before + 1.0, 0.01) << "Max-Age wins over a date in the past";

    ASSERT_TRUE(
        store.AddServerCookie("e=1; expires=Fri, 31 Dec 2100 23:59:59 GMT", Uri("http://h/")));
    EXPECT_GT(store.Cookies()[2].Expires, before + 365.0 * 70);
}

TEST(CookieManagerTest, ANewerCookieReplacesAndAPastExpiryRemoves) {
    TIdCookieManager store;
    store.AddServerCookie("a=1; Path=/", Uri("http://h/"));
    store.AddServerCookie("a=2; Path=/", Uri("http://h/"));
    store.AddServerCookie("a=3; Path=/sub", Uri("http://h/"));
    ASSERT_EQ(store.Cookies().size(), 2u);
    EXPECT_EQ(store.Cookies()[0].Value, "2");
    EXPECT_FALSE(store.AddServerCookie("a=gone; Path=/; Max-Age=0", Uri("http://h/")));
    ASSERT_EQ(store.Cookies().size(), 1u);
    EXPECT_EQ(store.Cookies()[0].Path, "/sub");
}

TEST(CookieManagerTest, TheCookieHeaderCarriesMatchingCookiesLongestPathFirst) {
    TIdCookieManager store;
    store.AddServerCookie("root=r; Path=/", Uri("http://www.example.com/"));
    store.AddServerCookie("deep=d; Path=/a/b", Uri("http://www.example.com/"));
    store.AddServerCookie("wide=w; Domain=example.com; Path=/", Uri("http://www.example.com/"));
    store.AddServerCookie("safe=s; Secure; Path=/", Uri("http://www.example.com/"));
    store.AddServerCookie("near=n; Path=/ab", Uri("http://www.example.com/"));
    EXPECT_EQ(store.CookieHeader(Uri("http://www.example.com/a/b/c")), "deep=d; root=r; wide=w");
    EXPECT_EQ(store.CookieHeader(Uri("http://img.example.com/")), "wide=w")
        << "host-only cookies stay with their host";
    EXPECT_EQ(store.CookieHeader(Uri("http://example.org/")), "");
}

TEST(CookieManagerTest, MatchingRules) {
    EXPECT_TRUE(TIdCookieManager::DomainMatches("www.example.com", "example.com"));
    EXPECT_TRUE(TIdCookieManager::DomainMatches("EXAMPLE.com", "example.com"));
    EXPECT_FALSE(TIdCookieManager::DomainMatches("badexample.com", "example.com"));
    EXPECT_FALSE(TIdCookieManager::DomainMatches("example.com", ""));
    EXPECT_TRUE(TIdCookieManager::PathMatches("/a/b", "/a"));
    EXPECT_TRUE(TIdCookieManager::PathMatches("/a/b", "/a/"));
    EXPECT_TRUE(TIdCookieManager::PathMatches("/a", "/a"));
    EXPECT_FALSE(TIdCookieManager::PathMatches("/ab", "/a"));
    EXPECT_FALSE(TIdCookieManager::PathMatches("/", "/a"));
}

}  // namespace tarnwick::http::test
