// Size, time, attribute and found-count texts of result rows.
#include "search/RowTexts.h"

#include <gtest/gtest.h>

#include "platform/DirectoryEnumeration.h"
#include "platform/FileAttributes.h"
#include "support/FixedLocale.h"

namespace tarnwick::search {

using platform::FileTimeFromUnix;
using platform::kAttrArchive;
using platform::kAttrDirectory;
using platform::kAttrHidden;
using platform::kAttrReadOnly;
using platform::kAttrSystem;
using platform::UnixSecondsFromFileTime;

namespace {

TEST(SizeTextTest, WorkedValues) {
    const struct {
        std::uint64_t size;
        const char* text;
    } cases[] = {
        {0, "0.00 bytes"},         {1, "1 bytes"},
        {1024, "1024 bytes"},      {1025, "1 KB"},
        {1030, "1.01 KB"},         {1152, "1.13 KB"},  // 1.125: halves round away from zero
        {1536, "1.5 KB"},          {2500, "2.44 KB"},
        {1048575, "1024 KB"},      {1048576, "1024 KB"},
        {1048577, "1 MB"},         {123456789, "117.74 MB"},
        {1073741824, "1024 MB"},   {1073741825, "1 GB"},
        {3ULL << 30, "3 GB"},      {5000000000ULL, "4.66 GB"},
        {~0ULL, "17179869184 GB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SizeText(c.size, "."), c.text) << c.size;
    }
}

TEST(SizeTextTest, UsesTheLocaleDecimalSeparator) {
    EXPECT_EQ(SizeText(1536, ","), "1,5 KB");
    EXPECT_EQ(SizeText(123456789, ","), "117,74 MB");
    EXPECT_EQ(SizeText(1025, ","), "1 KB");
    EXPECT_EQ(SizeText(0, ","), "0.00 bytes");
}

TEST(AttributeTextTest, FourBitsInFixedOrder) {
    EXPECT_EQ(AttributeText(kAttrArchive | kAttrReadOnly), "A+R");
    EXPECT_EQ(AttributeText(kAttrDirectory), "");
    EXPECT_EQ(AttributeText(kAttrDirectory | kAttrReadOnly), "+R");
    EXPECT_EQ(AttributeText(kAttrArchive | kAttrHidden), "A+H");
    EXPECT_EQ(AttributeText(kAttrSystem | kAttrHidden | kAttrReadOnly | kAttrArchive), "A+R+H+S");
}

TEST(FileTimeTextTest, MidnightShowsTheDateAlone) {
    const testing::FixedLocale utc(".", 0);
    // 2026-03-01 00:00:00 UTC
    const std::int64_t midnight = FileTimeFromUnix(1772323200, 0);
    EXPECT_EQ(FileTimeText(midnight, utc), "01.03.2026");
    EXPECT_EQ(FileTimeText(midnight + 10'000'000, utc), "01.03.2026 00:00:01");
    // Milliseconds are not shown.
    EXPECT_EQ(FileTimeText(midnight + 5'000'000, utc), "01.03.2026");
}

TEST(FileTimeTextTest, ConvertsToTheLocalZone) {
    const testing::FixedLocale plusTwo(".", 2 * 3600);
    // 2026-03-01 22:00:00 UTC is midnight two hours east.
    const std::int64_t t = FileTimeFromUnix(1772402400, 0);
    EXPECT_EQ(FileTimeText(t, plusTwo), "02.03.2026");
    const testing::FixedLocale utc(".", 0);
    EXPECT_EQ(FileTimeText(t, utc), "01.03.2026 22:00:00");
}

TEST(FileTimeTextTest, UnconvertibleTimeRaises) {
    const testing::FixedLocale utc(".", 0);
    EXPECT_THROW(FileTimeText(-1, utc), EFileTimeError);
}

TEST(FileTimeTest, RoundTripsThroughUnixSeconds) {
    EXPECT_EQ(UnixSecondsFromFileTime(FileTimeFromUnix(0, 0)), 0);
    EXPECT_EQ(UnixSecondsFromFileTime(FileTimeFromUnix(1772323200, 999'999'999)), 1772323200);
    EXPECT_EQ(UnixSecondsFromFileTime(FileTimeFromUnix(-1, 500'000'000)), -1);
    EXPECT_EQ(FileTimeFromUnix(0, 0), 116444736000000000LL);
}

TEST(FoundCountTextTest, PlainDecimalCount) {
    EXPECT_EQ(FoundCountText(1), "1 items found");
    EXPECT_EQ(FoundCountText(25), "25 items found");
    EXPECT_EQ(FoundCountText(1234567), "1234567 items found");
}

}  // namespace
}  // namespace tarnwick::search
