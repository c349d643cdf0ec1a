#include "http/core/EIdException.h"
#include "http/encoding/TIdCodePages.h"
#include "http/encoding/TIdMBCSEncoding.h"
#include "http/encoding/TIdSimpleEncodings.h"
#include "http/encoding/TIdTextEncodings.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

namespace tarnwick::http::test {

namespace {

TIdBytes B(std::string_view s) {
    return TIdBytes(s.begin(), s.end());
}

std::string S(const TIdBytes& b) {
    return std::string(b.begin(), b.end());
}

IIdTextEncodingPtr Kind(TIdTextEncodingKind kind) {
    return SharedTextEncoding(kind);
}

TEST(SimpleEncodingTest, ASCIIReplacesEverythingAbove127) {
    TIdASCIIEncoding ascii;
    EXPECT_EQ(ascii.GetChars(B("A\x7F\x80\xFF")), u"A\x7F\uFFFD\uFFFD");
    EXPECT_EQ(S(ascii.GetBytes(u"A\x7F\x80\u00E9\u20AC")), "A\x7F???");
    // A surrogate pair is one character and becomes one "?"; a lone surrogate also one.
    EXPECT_EQ(S(ascii.GetBytes(u"x\U0001F600y\xD800")), "x?y?");
    EXPECT_TRUE(ascii.GetPreamble().empty());
}

TEST(SimpleEncodingTest, EightBitMapsBytesToTheFirst256Characters) {
    TId8BitEncoding eight;
    EXPECT_EQ(eight.GetChars(B("A\x80\xFF")), u"A\x80\xFF");
    EXPECT_EQ(S(eight.GetBytes(u"A\xFF\u0100\u20AC")), "A\xFF??");
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(S(eight.GetBytes(eight.GetChars(B(all)))), all);
}

TEST(SimpleEncodingTest, UTF16ByteOrders) {
    TIdUTF16LittleEndianEncoding le;
    TIdUTF16BigEndianEncoding be;
    const std::u16string text = u"A\u20AC\U0001F600";
    EXPECT_EQ(le.GetBytes(text), (TIdBytes{0x41, 0x00, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE}));
    EXPECT_EQ(be.GetBytes(text), (TIdBytes{0x00, 0x41, 0x20, 0xAC, 0xD8, 0x3D, 0xDE, 0x00}));
    EXPECT_EQ(le.GetChars(le.GetBytes(text)), text);
    EXPECT_EQ(be.GetChars(be.GetBytes(text)), text);
    EXPECT_EQ(le.GetPreamble(), (TIdBytes{0xFF, 0xFE}));
    EXPECT_EQ(be.GetPreamble(), (TIdBytes{0xFE, 0xFF}));
    // An odd trailing byte is not dropped silently.
    EXPECT_EQ(le.GetChars(TIdBytes{0x41, 0x00, 0x42}), u"A\uFFFD");
}

TEST(MBCSEncodingTest, SingleByteCodePagesUseTheirTables) {
    struct Row {
        int codePage;
        std::uint8_t byte;
        char16_t ch;
    } rows[] = {
        {1252, 0x80, u'\u20AC'},  {1252, 0xE9, u'\u00E9'},  {1251, 0xC0, u'\u0410'},
        {28591, 0x80, u'\u0080'}, {28592, 0xA1, u'\u0104'}, {20866, 0xC1, u'\u0430'},
        {437, 0x82, u'\u00E9'},   {37, 0xC1, u'A'},         {1258, 0xC3, u'\u0102'},
        {1255, 0xE0, u'\u05D0'},  {874, 0xA1, u'\u0E01'},   {10000, 0x80, u'\u00C4'},
    };
    for (const auto& row : rows) {
        TIdMBCSEncoding enc(row.codePage);
        const std::uint8_t byte = row.byte;
        EXPECT_EQ(enc.GetChars(&byte, 1), std::u16string(1, row.ch)) << row.codePage;
        const char16_t ch = row.ch;
        EXPECT_EQ(enc.GetBytes(&ch, 1), TIdBytes{byte}) << row.codePage;
        EXPECT_TRUE(enc.IsSingleByte()) << row.codePage;
    }
}

TEST(MBCSEncodingTest, UndecodableAndUnencodableInput) {
    TIdMBCSEncoding cp1252(1252);
    // 0x81 has no character in Windows-1252.
    EXPECT_EQ(cp1252.GetChars(B("a\x81z")), u"a\uFFFDz");
    EXPECT_EQ(S(cp1252.GetBytes(u"a\u0416\U0001F600z")), "a??z");

    TIdUTF8Encoding utf8;
    EXPECT_EQ(utf8.GetChars(B("a\xC3\xA9\xFF"
                              "b\xE2\x82")),
              u"a\u00E9\uFFFDb\uFFFD");
    EXPECT_EQ(S(utf8.GetBytes(u"\u00E9\U0001F600")), "\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(S(utf8.GetBytes(u"a\xD800"
                              "b")),
              "a?b");
}

TEST(MBCSEncodingTest, MultiByteCodePagesConvertThroughIconv) {
    TIdMBCSEncoding sjis(932);
    EXPECT_FALSE(sjis.IsSingleByte());
    EXPECT_EQ(sjis.GetChars(B("\x82\xA0"
                              "A")),
              u"\u3042A");
    EXPECT_EQ(S(sjis.GetBytes(u"\u3042A")),
              "\x82\xA0"
              "A");
    TIdMBCSEncoding gbk(936);
    EXPECT_EQ(gbk.GetChars(B("\xC4\xE3")), u"\u4F60");
    TIdUTF7Encoding utf7;
    EXPECT_EQ(S(utf7.GetBytes(u"A\u00E9")), "A+AOk-");
    EXPECT_EQ(utf7.GetChars(B("A+AOk-")), u"A\u00E9");
    TIdMBCSEncoding jis(50220);
    const std::u16string text = u"\u3042x";
    EXPECT_EQ(jis.GetChars(jis.GetBytes(text)), text);
}

TEST(MBCSEncodingTest, Preambles) {
    EXPECT_EQ(TIdMBCSEncoding(1200).GetPreamble(), (TIdBytes{0xFF, 0xFE}));
    EXPECT_EQ(TIdMBCSEncoding(1201).GetPreamble(), (TIdBytes{0xFE, 0xFF}));
    EXPECT_EQ(TIdUTF8Encoding().GetPreamble(), (TIdBytes{0xEF, 0xBB, 0xBF}));
    EXPECT_TRUE(TIdUTF7Encoding().GetPreamble().empty());
    EXPECT_TRUE(TIdMBCSEncoding(1252).GetPreamble().empty());
}

TEST(MBCSEncodingTest, UnknownCodePageRaises) {
    for (int codePage : {0, 1, 12345, -7}) {
        try {
            TIdMBCSEncoding enc(codePage);
            FAIL() << codePage;
        } catch (const EIdException& e) {
            EXPECT_EQ(std::string(e.what()), "Invalid codepage (" + std::to_string(codePage) + ")");
        }
    }
    EXPECT_EQ(TIdMBCSEncoding(20127).CodePage(), 20127);
}

TEST(MBCSEncodingTest, EveryListedCodePageHasAConverter) {
    // Each code page of the converter table must open, or EncodingForCharset would silently
    // fall back to 8-bit for it.
    int checked = 0;
    for (int codePage = 0; codePage < 70000; ++codePage) {
        if (FindCodePage(codePage) == nullptr) {
            continue;
        }
        EXPECT_NO_THROW(TIdMBCSEncoding enc(codePage)) << codePage;
        ++checked;
    }
    EXPECT_GT(checked, 90);
}

TEST(SharedEncodingTest, OneInstancePerKind) {
    EXPECT_EQ(Kind(TIdTextEncodingKind::ASCII), Kind(TIdTextEncodingKind::ASCII));
    EXPECT_EQ(Kind(TIdTextEncodingKind::Default), Kind(TIdTextEncodingKind::ASCII));
    EXPECT_NE(Kind(TIdTextEncodingKind::EightBit), Kind(TIdTextEncodingKind::ASCII));
    EXPECT_NE(dynamic_cast<const TIdMBCSEncoding*>(Kind(TIdTextEncodingKind::SystemDefault).get()),
              nullptr);
    EXPECT_NE(dynamic_cast<const TIdUTF8Encoding*>(Kind(TIdTextEncodingKind::UTF8).get()), nullptr);
    EXPECT_NE(
        dynamic_cast<const TIdUTF16BigEndianEncoding*>(Kind(TIdTextEncodingKind::UTF16BE).get()),
        nullptr);
}

TEST(SharedEncodingTest, ThreadsRacingForFirstUseGetOneInstance) {
    constexpr int kThreads = 8;
    std::vector<const IIdTextEncoding*> seen(kThreads * 2);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&seen, t] {
            seen[static_cast<std::size_t>(2 * t)] = Kind(TIdTextEncodingKind::UTF7).get();
            seen[static_cast<std::size_t>(2 * t + 1)] = Kind(TIdTextEncodingKind::UTF16LE).get();
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    std::set<const IIdTextEncoding*> utf7;
    std::set<const IIdTextEncoding*> utf16;
    for (int t = 0; t < kThreads; ++t) {
        utf7.insert(seen[static_cast<std::size_t>(2 * t)]);
        utf16.insert(seen[static_cast<std::size_t>(2 * t + 1)]);
    }
    EXPECT_EQ(utf7.size(), 1u);
    EXPECT_EQ(utf16.size(), 1u);
}

TEST(SharedEncodingTest, CodePageEncodingsCreatedOnManyThreadsAgree) {
    // The first use of a code page fills its tables; threads racing for it must all end up
    // with the same conversions.
    const int codePages[] = {1250, 1253, 1254, 28594, 20880, 866, 949, 10029};
    constexpr int kThreads = 6;
    std::vector<std::vector<std::u16string>> decoded(kThreads);
    const TIdBytes bytes = B("A\x80\xC1\xE4\xFE");
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int codePage : codePages) {
                decoded[static_cast<std::size_t>(t)].push_back(
                    TIdMBCSEncoding(codePage).GetChars(bytes));
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    for (int t = 1; t < kThreads; ++t) {
        EXPECT_EQ(decoded[static_cast<std::size_t>(t)], decoded[0]);
    }
    EXPECT_EQ(decoded[0][0], u"A\u20AC\u00C1\u00E4\u0163");  // Windows-1250
}

TEST(SharedEncodingTest, DefaultKindIsAProcessSetting) {
    EXPECT_EQ(DefaultTextEncodingKind(), TIdTextEncodingKind::ASCII);
    SetDefaultTextEncodingKind(TIdTextEncodingKind::UTF8);
    EXPECT_EQ(Kind(TIdTextEncodingKind::Default), Kind(TIdTextEncodingKind::UTF8));
    SetDefaultTextEncodingKind(TIdTextEncodingKind::Default);
    EXPECT_EQ(DefaultTextEncodingKind(), TIdTextEncodingKind::ASCII);
}

TEST(DecodeToStringTest, ConvertsThroughUTF16) {
    const auto ascii = Kind(TIdTextEncodingKind::ASCII);
    const auto eight = Kind(TIdTextEncodingKind::EightBit);
    const auto utf8 = Kind(TIdTextEncodingKind::UTF8);
    const auto ansi = Kind(TIdTextEncodingKind::SystemDefault);
    EXPECT_EQ(DecodeToString(B(""), utf8, nullptr), "");
    EXPECT_EQ(DecodeToString(B("\xC3\xA9"), utf8, nullptr), "?");
    EXPECT_EQ(DecodeToString(B("\xC3\xA9"), eight, nullptr), "??");
    EXPECT_EQ(DecodeToString(B("\xC3\xA9"), utf8, ansi), "\xE9");
    EXPECT_EQ(DecodeToString(B("\x80"), ansi, utf8), "\xE2\x82\xAC");
    // Identical instances copy the bytes, so nothing becomes "?".
    EXPECT_EQ(DecodeToString(B("A\xE9"), ascii, ascii), "A\xE9");
    EXPECT_EQ(DecodeToString(B("A\xE9"), nullptr, nullptr), "A\xE9");
    EXPECT_EQ(DecodeToString(B("A\xE9"), ascii, nullptr), "A\xE9");
    // A protocol line read with ASCII into the program's Windows-1252 strings.
    EXPECT_EQ(DecodeToString(B("Server: caf\xC3\xA9"), ascii, ansi), "Server: caf??");
}

TEST(DecodeToStringTest, LargeSingleByteInputIsConvertedWhole) {
    std::string body;
    for (int i = 0; i < 200000; ++i) {
        body += static_cast<char>(i % 256);
    }
    const std::string out = DecodeToString(B(body), Kind(TIdTextEncodingKind::EightBit),
                                           Kind(TIdTextEncodingKind::ASCII));
    ASSERT_EQ(out.size(), body.size());
    for (std::size_t i = 0; i < body.size(); ++i) {
        const auto b = static_cast<unsigned char>(body[i]);
        ASSERT_EQ(out[i], b < 128 ? body[i] : '?') << i;
    }
}

TEST(DecodeToStringTest, LargeInputsMatchCharacterByCharacterConversion) {
    // Characters of one to four bytes and stray bytes, repeated so that sequences straddle
    // every internal slice boundary.
    const std::string pattern = "ab\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xFFz\x80\xC3";
    std::string body;
    while (body.size() < 300000) {
        body += pattern;
    }
    const auto ascii = Kind(TIdTextEncodingKind::ASCII);
    const auto ansi = Kind(TIdTextEncodingKind::SystemDefault);
    const auto utf8 = Kind(TIdTextEncodingKind::UTF8);
    const auto eight = Kind(TIdTextEncodingKind::EightBit);
    EXPECT_EQ(DecodeToString(B(body), utf8, ascii), S(ascii->GetBytes(utf8->GetChars(B(body)))));
    EXPECT_EQ(DecodeToString(B(body), utf8, ansi), S(ansi->GetBytes(utf8->GetChars(B(body)))));
    EXPECT_EQ(DecodeToString(B(body), eight, ansi), S(ansi->GetBytes(eight->GetChars(B(body)))));
    EXPECT_EQ(DecodeToString(B(body), ansi, eight), S(eight->GetBytes(ansi->GetChars(B(body)))));
    // One "?" per multi-byte character and per stray byte; the last lead byte is cut short by
    // the "!" that follows it.
    const std::string once = DecodeToString(B(pattern + "!"), utf8, ascii);
    EXPECT_EQ(once,
              "ab?"
              "???z?"
              "?!");
}

TEST(EncodeFromStringTest, MirrorsDecode) {
    const auto ascii = Kind(TIdTextEncodingKind::ASCII);
    const auto ansi = Kind(TIdTextEncodingKind::SystemDefault);
    const auto utf8 = Kind(TIdTextEncodingKind::UTF8);
    EXPECT_TRUE(EncodeFromString("", ascii, ansi).empty());
    EXPECT_EQ(S(EncodeFromString("GET /caf\xE9", ascii, ansi)), "GET /caf?");
    EXPECT_EQ(S(EncodeFromString("caf\xE9 \x80", utf8, ansi)), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(S(EncodeFromString("x\xE9", ansi, ansi)), "x\xE9");
    EXPECT_EQ(S(EncodeFromString("x\xE9", nullptr, nullptr)), "x\xE9");
}

}  // namespace

}  // namespace tarnwick::http::test
