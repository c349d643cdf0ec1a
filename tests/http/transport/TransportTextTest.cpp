#include <gtest/gtest.h>

#include <string>

#include "http/encoding/TIdTextEncodings.h"
#include "http/encoding/TIdWireText.h"
#include "http/support/TransportClient.h"
#include "http/support/TransportScriptedServer.h"

namespace tarnwick::http::test {

namespace {

IIdTextEncodingPtr Shared(TIdTextEncodingKind kind) {
    return SharedTextEncoding(kind);
}

std::string AllBytes() {
    std::string text(256, '\0');
    for (int i = 0; i < 256; ++i) {
        text[i] = static_cast<char>(i);
    }
    return text;
}

}  // namespace

// The handler's built-in conversions are a shortcut for ASCII on the wire and the system
// code page for the program's strings; both must agree on every byte in both directions.
TEST(TransportTextTest, BuiltInConversionsEqualAsciiOverTheSystemCodePage) {
    const std::string all = AllBytes();
    const auto* data = reinterpret_cast<const std::uint8_t*>(all.data());
    const TIdBytesToText joinedRead = MakeBytesToText(Shared(TIdTextEncodingKind::ASCII),
                                                      Shared(TIdTextEncodingKind::SystemDefault));
    const TIdTextToBytes joinedWrite = MakeTextToBytes(Shared(TIdTextEncodingKind::ASCII),
                                                       Shared(TIdTextEncodingKind::SystemDefault));
    EXPECT_EQ(AsciiBytesToText(data, all.size()), joinedRead(data, all.size()));
    EXPECT_EQ(AsciiTextToBytes(all), joinedWrite(all));
    EXPECT_EQ(AsciiBytesToText(data, all.size()), std::string(all, 0, 128) + std::string(128, '?'));
}

// With UTF-8 on the wire and in the program, lines and writes pass unchanged.
TEST(TransportTextTest, HandlerEncodingsApplyToLinesAndWrites) {
    std::string received;
    ScriptedServer server([&](ServerConnection& c) {
        c.Send("caf\xC3\xA9\r\n");
        received = c.ReadToEnd();
    });
    {
        TIdTCPClientCustom client;
        TIdIOHandler& handler = ConnectLoopback(client, server.Port());
        SetHandlerEncodings(handler, Shared(TIdTextEncodingKind::UTF8),
                            Shared(TIdTextEncodingKind::UTF8));
        EXPECT_EQ(handler.ReadLine(), "caf\xC3\xA9");
        handler.WriteLine("na\xC3\xAFve");
    }
    server.Join();
    EXPECT_EQ(received, "na\xC3\xAFve\r\n");
}

}  // namespace tarnwick::http::test
