#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "http/core/EIdException.h"
#include "http/transport/TIdBuffer.h"
#include "http/transport/TIdStack.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http::test {

namespace {

TIdBytes Bytes(std::string_view text) {
    return TIdBytes(text.begin(), text.end());
}

std::string Text(const TIdBytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

// Appends and removals in random sizes, checked against a plain queue: the head index,
// growth and compaction must never lose, duplicate or reorder a byte.
TEST(BufferTest, KeepsByteOrderThroughGrowthAndCompaction) {
    std::mt19937 random(20261209);
    TIdBuffer buffer;
    std::deque<std::uint8_t> model;
    std::uint8_t next = 0;
    for (int step = 0; step < 4000; ++step) {
        if (random() % 3 != 0) {
            TIdBytes piece(random() % 5000);
            for (auto& b : piece) {
                b = next++;
            }
            buffer.Append(piece);
            model.insert(model.end(), piece.begin(), piece.end());
        } else {
            const std::size_t n = model.empty() ? 0 : random() % (model.size() + 1);
            const TIdBytes out = buffer.Extract(n);
            ASSERT_EQ(out.size(), n);
            for (std::size_t i = 0; i < n; ++i) {
                ASSERT_EQ(out[i], model.front()) << "step " << step << " byte " << i;
                model.pop_front();
            }
        }
        ASSERT_EQ(buffer.Size(), model.size());
    }
}

TEST(BufferTest, IndexOfIsRelativeToTheHeadAndHonoursTheStartOffset) {
    TIdBuffer buffer;
    buffer.Append(Bytes(std::string(3000, 'x') + "ab\r\nline\r\n"));
    buffer.Remove(2999);  // head now past the compaction threshold
    const TIdBytes crlf = Bytes("\r\n");
    EXPECT_EQ(buffer.IndexOf(crlf), 3);
    EXPECT_EQ(buffer.IndexOf(crlf, 4), 9);
    EXPECT_EQ(buffer.IndexOf(crlf, 10), -1);
    EXPECT_EQ(buffer.IndexOf(std::uint8_t('\n')), 4);
    EXPECT_EQ(buffer.IndexOf(std::uint8_t('\n'), 5), 10);
    EXPECT_EQ(buffer.IndexOf(std::uint8_t('z')), -1);
    EXPECT_EQ(buffer.IndexOf(std::uint8_t('x'), 100), -1);
    EXPECT_EQ(Text(buffer.Extract(buffer.Size())), "xab\r\nline\r\n");
}

TEST(BufferTest, ExtractingMoreThanHeldRaisesWithBothCounts) {
    TIdBuffer buffer;
    buffer.Append(Bytes("abcd"));
    try {
        buffer.Extract(10);
        FAIL() << "no exception";
    } catch (const EIdNotEnoughDataInBuffer& e) {
        EXPECT_STREQ(e.what(), "Not enough data in buffer. (10/4)");
    }
    EXPECT_THROW(buffer.Remove(5), EIdNotEnoughDataInBuffer);
    TIdMemoryStream stream;
    EXPECT_THROW(buffer.ExtractToStream(stream, 5), EIdNotEnoughDataInBuffer);
    EXPECT_EQ(buffer.Size(), 4u) << "a failed extraction must not consume anything";
}

TEST(BufferTest, RefusesToGrowPastTheLargestSize) {
    TIdBuffer buffer;
    buffer.Append(Bytes("ab"));
    try {
        buffer.PrepareAppend(TIdBuffer::kMaxSize - 1);
        FAIL() << "no exception";
    } catch (const EIdTooMuchDataInBuffer& e) {
        EXPECT_STREQ(e.what(), "Too much data in buffer.");
    }
    EXPECT_EQ(buffer.Size(), 2u);
}

TEST(BufferTest, PreparedRoomIsCommittedOnlyAsFarAsFilled) {
    TIdBuffer buffer;
    buffer.Append(Bytes("ab"));
    std::uint8_t* room = buffer.PrepareAppend(100);
    room[0] = 'c';
    room[1] = 'd';
    buffer.CommitAppend(2);
    EXPECT_EQ(Text(buffer.Extract(4)), "abcd");
}

TEST(BufferTest, ExtractToStreamAndAppendToDestination) {
    TIdBuffer buffer;
    buffer.Append(Bytes("hello world"));
    TIdMemoryStream stream(Bytes("> "));
    stream.SetPosition(2);
    buffer.ExtractToStream(stream, 5);
    EXPECT_EQ(Text(stream.Bytes()), "> hello");
    TIdBytes destination = Bytes("[");
    buffer.ExtractAppendTo(destination, 6);
    EXPECT_EQ(Text(destination), "[ world");
    EXPECT_TRUE(buffer.Empty());
}

TEST(BufferTest, EveryBufferHoldsOneUsageOfTheSocketLayer) {
    const int before = TIdStack::UsageCount();
    {
        TIdBuffer first;
        EXPECT_EQ(TIdStack::UsageCount(), before + 1);
        {
            TIdBuffer second;
            EXPECT_EQ(TIdStack::UsageCount(), before + 2);
            EXPECT_NO_THROW(TIdStack::Instance());
        }
        EXPECT_EQ(TIdStack::UsageCount(), before + 1);
    }
    EXPECT_EQ(TIdStack::UsageCount(), before);
}

// Buffers made and dropped on several threads at once: the layer is created and destroyed
// under its lock, so every thread always finds a live layer while it holds a buffer.
TEST(BufferTest, UsageCountIsSafeAcrossThreads) {
    const int before = TIdStack::UsageCount();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 2000; ++i) {
                TIdBuffer buffer;
                EXPECT_TRUE(TIdStack::IsIPv4("1.2.3.4"));
                EXPECT_EQ(TIdStack::Instance().ResolveHost("LOCALHOST", TIdIPVersion::Id_IPv4),
                          "127.0.0.1");
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(TIdStack::UsageCount(), before);
}

TEST(BufferTest, MemoryStreamWritesAtItsPositionAndKeepsItOnResize) {
    TIdMemoryStream stream;
    stream.Write(reinterpret_cast<const std::uint8_t*>("abcdef"), 6);
    stream.SetPosition(2);
    stream.Write(reinterpret_cast<const std::uint8_t*>("XY"), 2);
    EXPECT_EQ(Text(stream.Bytes()), "abXYef");
    stream.SetSize(10);
    EXPECT_EQ(stream.Position(), 4);
    EXPECT_EQ(stream.Size(), 10);
    stream.SetSize(3);
    EXPECT_EQ(Text(stream.Bytes()), "abX");
    std::uint8_t out[8] = {};
    stream.SetPosition(1);
    EXPECT_EQ(stream.Read(out, sizeof out), 2u);
    EXPECT_EQ(stream.Read(out, sizeof out), 0u);
}

}  // namespace tarnwick::http::test
