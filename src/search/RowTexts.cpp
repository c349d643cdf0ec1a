// Result row texts.
#include "search/RowTexts.h"

#include "platform/DirectoryEnumeration.h"
#include "platform/FileAttributes.h"

namespace tarnwick::search {

using platform::kAttrArchive;
using platform::kAttrHidden;
using platform::kAttrReadOnly;
using platform::kAttrSystem;
using platform::LocaleFormats;
using platform::UnixSecondsFromFileTime;

namespace {

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kMiB = kKiB * 1024;
constexpr std::uint64_t kGiB = kMiB * 1024;
// An empty file reads the same in every locale.
constexpr const char* kZeroSizeText = "0.00 bytes";

}  // namespace

std::string FormatHashHash(std::uint64_t value, std::uint64_t divisor,
                           const std::string& decimalSeparator, const std::string& suffix) {
    // Hundredths rounded half away from zero, computed exactly in integers: value / divisor
    // is a finite decimal, so this is the rounding of its decimal digits.
    const unsigned __int128 scaled = static_cast<unsigned __int128>(value) * 100;
    const unsigned __int128 hundredths = (scaled + divisor / 2) / divisor;
    const unsigned __int128 whole = hundredths / 100;
    const unsigned fraction = static_cast<unsigned>(hundredths % 100);

    std::string text;
    if (whole > 0) {
        std::string digits;
        for (unsigned __int128 w = whole; w > 0; w /= 10) {
            digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(w % 10)));
        }
        text = digits;
    }
    if (fraction != 0) {
        text += decimalSeparator;
        text.push_back(static_cast<char>('0' + fraction / 10));
        if (fraction % 10 != 0) {
            text.push_back(static_cast<char>('0' + fraction % 10));
        }
    }
    return text + suffix;
}

std::string SizeText(std::uint64_t size, const std::string& decimalSeparator) {
    if (size == 0) {
        return kZeroSizeText;
    }
    if (size <= kKiB) {
        return FormatHashHash(size, 1, decimalSeparator, " bytes");
    }
    if (size <= kMiB) {
        return FormatHashHash(size, kKiB, decimalSeparator, " KB");
    }
    if (size <= kGiB) {
        return FormatHashHash(size, kMiB, decimalSeparator, " MB");
    }
    return FormatHashHash(size, kGiB, decimalSeparator, " GB");
}

std::string FileTimeText(std::int64_t fileTime, const LocaleFormats& locale) {
    if (fileTime < 0) {
        throw EFileTimeError("file time out of range");
    }
    const auto local = locale.ToLocalTime(UnixSecondsFromFileTime(fileTime));
    if (!local) {
        throw EFileTimeError("file time out of range");
    }
    std::string text = locale.FormatShortDate(*local);
    if (local->tm_hour != 0 || local->tm_min != 0 || local->tm_sec != 0) {
        text += ' ';
        text += locale.FormatLongTime(*local);
    }
    return text;
}

std::string AttributeText(std::uint32_t attributes) {
    std::string text;
    if ((attributes & kAttrArchive) != 0) {
        text += "A";
    }
    if ((attributes & kAttrReadOnly) != 0) {
        text += "+R";
    }
    if ((attributes & kAttrHidden) != 0) {
        text += "+H";
    }
    if ((attributes & kAttrSystem) != 0) {
        text += "+S";
    }
    return text;
}

std::string FoundCountText(std::uint64_t rows) {
    return std::to_string(rows) + " items found";
}

}  // namespace tarnwick::search
