#include <gtest/gtest.h>

#include <string>

#include "http/core/EIdException.h"
#include "http/support/TransportClient.h"
#include "http/support/TransportDebianServer.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http::test {

namespace {

// Sends a GET and reads the status line and the header block; returns the Content-Length.
std::int64_t RequestHead(TIdIOHandler& handler, const std::string& path, std::string& status) {
    handler.StartWriteBuffering();
    handler.WriteLine("GET " + path + " HTTP/1.0");
    handler.WriteLine("Host: 127.0.0.1");
    handler.WriteLine("");
    handler.FlushWriteBuffer();
    status = handler.ReadLine();
    std::int64_t length = -1;
    for (std::string line = handler.ReadLine(); !line.empty(); line = handler.ReadLine()) {
        const std::string name = "Content-Length:";
        if (line.compare(0, name.size(), name) == 0) {
            length = std::stoll(line.substr(name.size()));
        }
    }
    return length;
}

}  // namespace

TEST(TransportDebianServerTest, ReadsAnAnswerOfAServerWeDidNotWrite) {
    DebianHttpServer server;
    ASSERT_TRUE(server.Running()) << "python3 -m http.server did not start";
    const std::string small = "{\"version\":\"2.0.1\"}\n";
    const std::string large = Pattern(1500000);
    server.AddFile("ver.json", small);
    server.AddFile("large.bin", large);

    {
        TIdTCPClientCustom client;
        TIdIOHandler& handler = ConnectLoopback(client, server.Port());
        std::string status;
        const std::int64_t length = RequestHead(handler, "/ver.json", status);
        EXPECT_EQ(status, "HTTP/1.0 200 OK");
        ASSERT_EQ(length, static_cast<std::int64_t>(small.size()));
        TIdMemoryStream body;
        handler.CopyToStream(body, length, false);
        EXPECT_EQ(std::string(body.Bytes().begin(), body.Bytes().end()), small);
        EXPECT_THROW(handler.ReadLine(), EIdConnClosedGracefully) << "HTTP/1.0 closes";
    }
    {
        TIdTCPClientCustom client;
        TIdIOHandler& handler = ConnectLoopback(client, server.Port());
        std::string status;
        EXPECT_EQ(RequestHead(handler, "/large.bin", status),
                  static_cast<std::int64_t>(large.size()));
        TIdMemoryStream body;
        handler.CopyToStream(body, -1, true);
        EXPECT_TRUE(std::string(body.Bytes().begin(), body.Bytes().end()) == large);
    }
    {
        TIdTCPClientCustom client;
        TIdIOHandler& handler = ConnectLoopback(client, server.Port());
        std::string status;
        RequestHead(handler, "/missing", status);
        EXPECT_EQ(status.substr(0, 13), "HTTP/1.0 404 ");
        handler.SkipToClose();
        EXPECT_FALSE(client.IsConnected());
    }
}

}  // namespace tarnwick::http::test
