#include <gtest/gtest.h>

#include <string>

#include "http/client/TIdHTTP.h"
#include "http/core/EIdException.h"
#include "http/support/TransportClient.h"
#include "http/support/TransportDebianServer.h"

namespace tarnwick::http::test {

TEST(HTTPDebianServerTest, GetWorksAgainstPythonsHttpServer) {
    DebianHttpServer server;
    ASSERT_TRUE(server.Running()) << "python3 -m http.server did not start";
    const std::string version = "{\"version\":\"2.0.1\",\"url\":\"http://x/\"}";
    const std::string large = Pattern(2000000);
    server.AddFile("ver_2.php", version);
    server.AddFile("large.txt", large);
    const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());

    {
        TIdHTTP http;
        http.ReadTimeout = 10000;
        EXPECT_EQ(http.Get(base + "/ver_2.php"), version);
        EXPECT_EQ(http.Response().StatusCode(), 200);
        EXPECT_EQ(http.Response().ContentLength, static_cast<std::int64_t>(version.size()));
        EXPECT_FALSE(http.IsConnected()) << "an HTTP/1.0 answer is not kept alive";
        EXPECT_TRUE(http.Get(base + "/large.txt") == large) << "a second Get connects anew";
        EXPECT_EQ(http.Response().CharSet, "ISO-8859-1") << "text/plain without a charset";
    }
    {
        TIdHTTP http;
        http.ReadTimeout = 10000;
        try {
            http.Get(base + "/missing.json");
            ADD_FAILURE() << "no exception";
        } catch (const EIdHTTPProtocolException& e) {
            EXPECT_EQ(e.Code(), 404);
            EXPECT_EQ(std::string(e.what()).rfind("HTTP/1.0 404", 0), 0u) << e.what();
            EXPECT_NE(e.BodyText().find("404"), std::string::npos) << e.BodyText();
        }
    }
}

}  // namespace tarnwick::http::test
