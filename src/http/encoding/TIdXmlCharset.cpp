#include "http/encoding/TIdXmlCharset.h"

#include <array>
#include <cstring>
#include <vector>

#include "http/core/TIdTextUtil.h"

namespace tarnwick::http {

namespace {

constexpr std::size_t kSniffBytes = 4;
constexpr std::size_t kMinSniffBytes = 3;
constexpr std::size_t kReadChunk = 4096;
constexpr std::string_view kDefaultXmlCharset = "UTF-8";
constexpr std::string_view kEncodingWord = "encoding";

struct Mark {
    std::array<std::uint8_t, 4> bytes;
    std::size_t length;
    const char* charset;
};

// Tested in this order: the four-byte marks first, so FF FE 00 00 is not taken for UTF-16LE.
constexpr Mark kMarks[] = {
    {{0x00, 0x00, 0xFE, 0xFF}, 4, "UCS-4BE"}, {{0x00, 0x00, 0xFF, 0xFE}, 4, ""},
    {{0xFF, 0xFE, 0x00, 0x00}, 4, "UCS-4LE"}, {{0xFE, 0xFF, 0x00, 0x00}, 4, ""},
    {{0xFE, 0xFF, 0, 0}, 2, "UTF-16BE"},      {{0xFF, 0xFE, 0, 0}, 2, "UTF-16LE"},
    {{0xEF, 0xBB, 0xBF, 0}, 3, "UTF-8"},
};

// How the characters of the declaration are laid out in the bytes.
enum class Layout { None, Four, UTF16BE, UTF16LE, OneByte, EBCDIC };

struct LayoutMatch {
    std::array<std::uint8_t, 4> start;
    Layout layout;
    std::size_t charByte;  // for four-byte units: which byte holds the character
};

constexpr LayoutMatch kLayouts[] = {
    {{0x00, 0x00, 0x00, 0x3C}, Layout::Four, 3},    {{0x00, 0x00, 0x3C, 0x00}, Layout::Four, 2},
    {{0x3C, 0x00, 0x00, 0x00}, Layout::Four, 0},    {{0x00, 0x3C, 0x00, 0x00}, Layout::Four, 1},
    {{0x00, 0x3C, 0x00, 0x3F}, Layout::UTF16BE, 0}, {{0x3C, 0x00, 0x3F, 0x00}, Layout::UTF16LE, 0},
    {{0x3C, 0x3F, 0x78, 0x6D}, Layout::OneByte, 0}, {{0x4C, 0x6F, 0xA7, 0x94}, Layout::EBCDIC, 0},
};

constexpr std::uint8_t kGreaterThan = 0x3E;
constexpr std::uint8_t kEBCDICGreaterThan = 0x6E;

// EBCDIC (code page 37) to ASCII for the characters a declaration can hold; others are 0.
std::array<char, 256> BuildEBCDICTable() {
    std::array<char, 256> t{};
    const auto range = [&t](int from, const char* chars) {
        for (int i = 0; chars[i] != '\0'; ++i) {
            t[static_cast<std::size_t>(from + i)] = chars[i];
        }
    };
    t[0x05] = '\t';
    t[0x0D] = '\r';
    t[0x15] = '\n';
    t[0x25] = '\n';
    t[0x40] = ' ';
    range(0x4B, ".<(+|&");
    range(0x5A, "!$*);^-/");
    range(0x6B, ",%_>?");
    range(0x79, "`:#@'=\"");
    range(0x81, "abcdefghi");
    range(0x91, "jklmnopqr");
    range(0xA1, "~stuvwxyz");
    t[0xBA] = '[';
    t[0xBB] = ']';
    t[0xC0] = '{';
    range(0xC1, "ABCDEFGHI");
    t[0xD0] = '}';
    range(0xD1, "JKLMNOPQR");
    t[0xE0] = '\\';
    range(0xE2, "STUVWXYZ");
    range(0xF0, "0123456789");
    return t;
}

std::size_t UnitSize(Layout layout) {
    switch (layout) {
        case Layout::Four:
            return 4;
        case Layout::UTF16BE:
        case Layout::UTF16LE:
            return 2;
        default:
            return 1;
    }
}

// The character value of the unit at `at` (UTF-16 units whole, others one byte).
unsigned UnitValue(const std::uint8_t* b, std::size_t at, Layout layout, std::size_t charByte) {
    switch (layout) {
        case Layout::Four:
            return b[at + charByte];
        case Layout::UTF16BE:
            return (unsigned(b[at]) << 8) | b[at + 1];
        case Layout::UTF16LE:
            return (unsigned(b[at + 1]) << 8) | b[at];
        default:
            return b[at];
    }
}

bool IsEndUnit(const std::uint8_t* b, std::size_t at, Layout layout, std::size_t charByte) {
    switch (layout) {
        case Layout::Four:
            // ">" in the byte that holds the character, zeros in the other three.
            for (std::size_t k = 0; k < 4; ++k) {
                if (b[at + k] != (k == charByte ? kGreaterThan : 0)) {
                    return false;
                }
            }
            return true;
        case Layout::UTF16BE:
            return b[at] == 0 && b[at + 1] == kGreaterThan;
        case Layout::UTF16LE:
            return b[at] == kGreaterThan && b[at + 1] == 0;
        case Layout::EBCDIC:
            return b[at] == kEBCDICGreaterThan;
        default:
            return b[at] == kGreaterThan;
    }
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The encoding named in a declaration text, or empty.
std::string EncodingOfDeclaration(std::string_view decl) {
    const auto word = decl.find(kEncodingWord);
    if (word == std::string_view::npos) {
        return {};
    }
    std::size_t pos = word + kEncodingWord.size();
    while (pos < decl.size() && IsBlank(decl[pos])) {
        ++pos;
    }
    if (pos < decl.size() && decl[pos] == '=') {
        ++pos;
        while (pos < decl.size() && IsBlank(decl[pos])) {
            ++pos;
        }
    }
    if (pos >= decl.size() || (decl[pos] != '"' && decl[pos] != '\'')) {
        return {};
    }
    const char quote = decl[pos];
    const auto close = decl.find(quote, pos + 1);
    if (close == std::string_view::npos) {
        return {};
    }
    return std::string(TrimBlank(decl.substr(pos + 1, close - pos - 1)));
}

class Sniffer {
  public:
    // Decides from the first bytes; true when the declaration must be read.
    bool Start(const std::uint8_t* head, std::size_t count) {
        if (count < kMinSniffBytes) {
            return false;
        }
        for (const auto& mark : kMarks) {
            if (count >= mark.length && std::memcmp(head, mark.bytes.data(), mark.length) == 0) {
                fResult = mark.charset;
                return false;
            }
        }
        if (count < kSniffBytes) {
            return false;
        }
        for (const auto& match : kLayouts) {
            if (std::memcmp(head, match.start.data(), kSniffBytes) == 0) {
                fLayout = match.layout;
                fCharByte = match.charByte;
                return true;
            }
        }
        return false;
    }

    // Scans whole units from `fScanned`; true once the unit holding ">" has been seen.
    bool Scan(const std::uint8_t* bytes, std::size_t count) {
        const std::size_t unit = UnitSize(fLayout);
        while (fScanned + unit <= count) {
            const bool end = IsEndUnit(bytes, fScanned, fLayout, fCharByte);
            fScanned += unit;
            if (end) {
                return true;
            }
        }
        return false;
    }

    std::string Finish(const std::uint8_t* bytes) {
        static const std::array<char, 256> ebcdic = BuildEBCDICTable();
        std::string decl;
        const std::size_t unit = UnitSize(fLayout);
        for (std::size_t at = 0; at + unit <= fScanned; at += unit) {
            const unsigned v = UnitValue(bytes, at, fLayout, fCharByte);
            if (fLayout == Layout::EBCDIC) {
                decl += ebcdic[v];
            } else {
                decl += v <= 0xFF ? static_cast<char>(v) : '?';
            }
        }
        std::string named = EncodingOfDeclaration(decl);
        if (!named.empty()) {
            fResult = std::move(named);
        }
        return fResult;
    }

    const std::string& Result() const { return fResult; }

  private:
    std::string fResult{kDefaultXmlCharset};
    Layout fLayout = Layout::None;
    std::size_t fCharByte = 0;
    std::size_t fScanned = 0;
};

}  // namespace

bool IsXmlContentType(std::string_view contentType) {
    const std::string_view mediaType = TrimBlank(contentType.substr(0, contentType.find(';')));
    if (EqualsNoCase(mediaType, "application/xml") ||
        EqualsNoCase(mediaType, "application/xml-external-parsed-entity") ||
        EqualsNoCase(mediaType, "application/xml-dtd")) {
        return true;
    }
    const auto slash = mediaType.find('/');
    if (slash == std::string_view::npos) {
        return false;
    }
    return !EqualsNoCase(mediaType.substr(0, slash), "text") &&
           EndsWithNoCase(mediaType.substr(slash + 1), "+xml");
}

std::string SniffXmlCharset(const std::uint8_t* bytes, std::size_t count) {
    Sniffer sniffer;
    if (!sniffer.Start(bytes, std::min(count, kSniffBytes))) {
        return sniffer.Result();
    }
    sniffer.Scan(bytes, count);
    return sniffer.Finish(bytes);
}

std::string SniffXmlCharset(TIdStream& body) {
    const std::int64_t saved = body.Position();
    body.SetPosition(0);
    std::vector<std::uint8_t> bytes(kSniffBytes);
    bytes.resize(body.Read(bytes.data(), kSniffBytes));
    Sniffer sniffer;
    std::string result;
    if (!sniffer.Start(bytes.data(), bytes.size())) {
        result = sniffer.Result();
    } else {
        // Read on only as far as the end of the declaration.
        while (!sniffer.Scan(bytes.data(), bytes.size())) {
            const std::size_t had = bytes.size();
            bytes.resize(had + kReadChunk);
            const std::size_t got = body.Read(bytes.data() + had, kReadChunk);
            bytes.resize(had + got);
            if (got == 0) {
                break;
            }
        }
        result = sniffer.Finish(bytes.data());
    }
    body.SetPosition(saved);
    return result;
}

std::string ResponseCharset(std::string_view contentType, std::string_view charSet,
                            TIdStream* body) {
    if (IsXmlContentType(contentType)) {
        if (body == nullptr) {
            return SniffXmlCharset(nullptr, 0);
        }
        return SniffXmlCharset(*body);
    }
    return std::string(charSet);
}

}  // namespace tarnwick::http
