#include <gtest/gtest.h>

#include <string>

#include "http/core/EIdException.h"
#include "http/support/TransportClient.h"
#include "http/transport/TIdIOHandlerMemory.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http::test {

namespace {

TIdBytes Bytes(const std::string& text) {
    return TIdBytes(text.begin(), text.end());
}

std::string Text(const TIdBytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// How the same bytes may be cut into receives: one byte at a time up to all at once, with
// receive sizes smaller than the pieces too.
struct Cut {
    std::size_t piece;
    int recvBufferSize;
};
const Cut kCuts[] = {{1, 32768}, {2, 32768},    {3, 5},           {7, 32768},
                     {64, 10},   {4096, 32768}, {1000000, 32768}, {1000000, 1}};

}  // namespace

// Lines, exact reads, a counted copy and skips must give the same result however the
// bytes were split on their way in.
TEST(TransportPiecesTest, ReadsDoNotDependOnHowTheBytesArrive) {
    const std::string body = Pattern(5000);
    const std::string longest(TIdIOHandler::kDefaultMaxLineLength, 'L');
    const std::string wire = "status\r\nheader: a\r\n\r\n" + body + "\r\nx\r\r\n" + longest +
                             "\nskip-me|tail\r\n" + "abc";
    for (const Cut& cut : kCuts) {
        TIdIOHandlerMemory handler(Bytes(wire), cut.piece);
        handler.RecvBufferSize = cut.recvBufferSize;
        handler.Open();
        const std::string at =
            "piece " + std::to_string(cut.piece) + " recv " + std::to_string(cut.recvBufferSize);
        EXPECT_EQ(handler.ReadLine(), "status") << at;
        EXPECT_EQ(handler.ReadLine(), "header: a") << at;
        EXPECT_EQ(handler.ReadLine(), "") << at;
        EXPECT_EQ(Text(handler.ReadExact(10)), body.substr(0, 10)) << at;
        TIdMemoryStream stream;
        handler.CopyToStream(stream, static_cast<std::int64_t>(body.size() - 10), false);
        EXPECT_TRUE(Text(stream.Bytes()) == body.substr(10)) << at;
        EXPECT_EQ(handler.ReadLine(), "") << at;
        EXPECT_EQ(handler.ReadLine(), "x\r") << at;
        EXPECT_EQ(handler.ReadLine(), longest) << at;
        handler.SkipBytes(8);
        EXPECT_EQ(handler.ReadLine(), "tail") << at;
        EXPECT_THROW(handler.ReadLine(), EIdConnClosedGracefully) << at;
        EXPECT_EQ(Text(handler.ReadExact(3)), "abc") << at;
        EXPECT_FALSE(handler.Connected()) << at;
    }
}

TEST(TransportPiecesTest, CopyUntilCloseGetsEveryByteWhateverTheCut) {
    const std::string body = Pattern(70001);
    for (const Cut& cut : kCuts) {
        TIdIOHandlerMemory handler(Bytes("h\n" + body), cut.piece);
        handler.RecvBufferSize = cut.recvBufferSize;
        handler.Open();
        EXPECT_EQ(handler.ReadLine(), "h");
        TIdMemoryStream stream;
        handler.CopyToStream(stream, -1, true);
        EXPECT_TRUE(Text(stream.Bytes()) == body) << "piece " << cut.piece;
        EXPECT_EQ(handler.Remaining(), 0u);
    }
}

TEST(TransportPiecesTest, NothingIsReadBeforeOpenOrAfterClose) {
    TIdIOHandlerMemory handler(Bytes("line\nmore\n"));
    EXPECT_THROW(handler.ReadLine(), EIdConnClosedGracefully);
    EXPECT_EQ(handler.ReceiveSome(false, TIdIOHandler::kUseReadTimeout, false), 0);
    handler.Open();
    EXPECT_EQ(handler.ReadLine(), "line");
    handler.Close();
    EXPECT_EQ(handler.ReadLine(), "more") << "the close keeps what was buffered";
    EXPECT_THROW(handler.ReadLine(), EIdConnClosedGracefully);
}

}  // namespace tarnwick::http::test
