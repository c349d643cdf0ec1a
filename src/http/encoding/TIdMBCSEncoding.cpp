#include "http/encoding/TIdMBCSEncoding.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <cerrno>
#include <map>
#include <mutex>
#include <unordered_map>

#include "http/encoding/EIdEncodingErrors.h"
#include "http/encoding/TIdCodePages.h"

namespace tarnwick::http {

// What is known about one code page, worked out once per process and then only read.
struct TIdCodePageTables {
    bool valid = false;
    const char* iconvName = nullptr;
    int maxCharSize = 0;
    // The converter's bytes for "?", written for every character it cannot encode.
    TIdBytes unknownBytes;
    // Single-byte code pages only: byte -> character, and the reverse.
    std::array<char16_t, 256> toChar{};
    std::unordered_map<char16_t, std::uint8_t> toByte;
};

namespace {

constexpr char16_t kReplacementChar = 0xFFFD;
// UTF-16 in the machine's byte order, so converted text lands directly in char16_t memory.
constexpr const char* kIconvUTF16 =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
constexpr int kByteValues = 256;
// Output room below which a conversion grows its buffer: more than the longest character or
// shift sequence any converter writes at once.
constexpr std::size_t kMinRoomBytes = 16;
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// One converter for the length of one conversion: iconv handles are not thread-safe.
class Converter {
  public:
    Converter(const char* to, const char* from) : fCd(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (fCd != kNoConverter) {
            iconv_close(fCd);
        }
    }
    bool Ok() const { return fCd != kNoConverter; }

    // Converts from `in` into `out` starting at out[used], growing `out` as needed; returns
    // false with errno set when the converter stops at bad or incomplete input.
    template <typename Buffer>
    bool Run(const char*& in, std::size_t& inLeft, Buffer& out, std::size_t& used) {
        using Unit = typename Buffer::value_type;
        while (inLeft > 0) {
            if ((out.size() - used) * sizeof(Unit) < kMinRoomBytes) {
                out.resize(out.size() * 2 + kMinRoomBytes);
            }
            char* dst = reinterpret_cast<char*>(out.data() + used);
            std::size_t dstLeft = (out.size() - used) * sizeof(Unit);
            const std::size_t before = dstLeft;
            char* src = const_cast<char*>(in);
            const std::size_t r = iconv(fCd, &src, &inLeft, &dst, &dstLeft);
            const int err = errno;
            in = src;
            used += (before - dstLeft) / sizeof(Unit);
            if (r == static_cast<std::size_t>(-1) && err != E2BIG) {
                errno = err;
                return false;
            }
        }
        return true;
    }

    // Flushes a held-back character and returns a stateful encoding to its initial state.
    template <typename Buffer>
    void Finish(Buffer& out, std::size_t& used) {
        using Unit = typename Buffer::value_type;
        if ((out.size() - used) * sizeof(Unit) < kMinRoomBytes) {
            out.resize(used + kMinRoomBytes);
        }
        char* dst = reinterpret_cast<char*>(out.data() + used);
        std::size_t dstLeft = (out.size() - used) * sizeof(Unit);
        const std::size_t before = dstLeft;
        iconv(fCd, nullptr, nullptr, &dst, &dstLeft);
        used += (before - dstLeft) / sizeof(Unit);
    }

    void Reset() { iconv(fCd, nullptr, nullptr, nullptr, nullptr); }

  private:
    iconv_t fCd;
};

bool HasConverter(const TIdCodePageInfo* info) {
    if (info == nullptr) {
        return false;
    }
    Converter decode(kIconvUTF16, info->IconvName);
    Converter encode(info->IconvName, kIconvUTF16);
    return decode.Ok() && encode.Ok();
}

std::u16string DecodeAll(Converter& decode, const char* bytes, std::size_t count, bool& ok) {
    std::u16string out;
    std::size_t used = 0;
    ok = decode.Run(bytes, count, out, used);
    decode.Finish(out, used);
    out.resize(used);
    return out;
}

void BuildSingleByteTables(TIdCodePageTables& t) {
    Converter decode(kIconvUTF16, t.iconvName);
    // Most code pages define every byte, so one conversion of all 256 fills the table; only
    // when that fails is each byte tried on its own.
    std::array<char, kByteValues> all{};
    for (int b = 0; b < kByteValues; ++b) {
        all[static_cast<std::size_t>(b)] = static_cast<char>(b);
    }
    bool ok = false;
    const std::u16string allChars = DecodeAll(decode, all.data(), all.size(), ok);
    const bool oneByOne = !ok || allChars.size() != all.size();
    for (int b = 0; b < kByteValues; ++b) {
        const auto i = static_cast<std::size_t>(b);
        if (!oneByOne) {
            t.toChar[i] = allChars[i];
            continue;
        }
        decode.Reset();
        const std::u16string chars = DecodeAll(decode, &all[i], 1, ok);
        t.toChar[i] = ok && chars.size() == 1 ? chars[0] : kReplacementChar;
    }
    // The first byte of a character wins when a code page maps two bytes to it.
    for (int b = kByteValues - 1; b >= 0; --b) {
        const char16_t c = t.toChar[static_cast<std::size_t>(b)];
        if (c != kReplacementChar) {
            t.toByte[c] = static_cast<std::uint8_t>(b);
        }
    }
}

std::shared_ptr<const TIdCodePageTables> BuildTables(int codePage) {
    auto t = std::make_shared<TIdCodePageTables>();
    const TIdCodePageInfo* info = FindCodePage(codePage);
    if (!HasConverter(info)) {
        return t;
    }
    t->valid = true;
    t->iconvName = info->IconvName;
    t->maxCharSize = info->MaxCharSize;
    Converter encode(t->iconvName, kIconvUTF16);
    const char16_t question = u'?';
    const char* src = reinterpret_cast<const char*>(&question);
    std::size_t left = sizeof(question);
    std::size_t used = 0;
    encode.Run(src, left, t->unknownBytes, used);
    encode.Finish(t->unknownBytes, used);
    t->unknownBytes.resize(used);
    if (t->maxCharSize == 1) {
        BuildSingleByteTables(*t);
    }
    return t;
}

// Creating an encoding is frequent (one per response body), so what a code page needs is
// worked out on first use and kept for the life of the process.
std::shared_ptr<const TIdCodePageTables> TablesFor(int codePage) {
    static std::mutex lock;
    static std::map<int, std::shared_ptr<const TIdCodePageTables>> cache;
    std::lock_guard<std::mutex> guard(lock);
    auto& slot = cache[codePage];
    if (!slot) {
        slot = BuildTables(codePage);
    }
    return slot;
}

}  // namespace

TIdMBCSEncoding::TIdMBCSEncoding(int codePage) : fCodePage(codePage) {
    fTables = TablesFor(codePage);
    if (!fTables->valid && codePage == kCodePageUSASCII) {
        for (int fallback : {kCodePageWindows1252, kCodePageOEMUS}) {
            fTables = TablesFor(fallback);
            if (fTables->valid) {
                fCodePage = fallback;
                break;
            }
        }
    }
    if (!fTables->valid) {
        throw EIdInvalidCodepage(codePage);
    }
    fMaxCharSize = fTables->maxCharSize;
}

std::u16string TIdMBCSEncoding::GetChars(const std::uint8_t* bytes, std::size_t count) const {
    if (fMaxCharSize != 1) {
        return DecodeWithIconv(bytes, count);
    }
    std::u16string out(count, u'\0');
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = fTables->toChar[bytes[i]];
    }
    return out;
}

TIdBytes TIdMBCSEncoding::GetBytes(const char16_t* chars, std::size_t count) const {
    if (fMaxCharSize != 1) {
        return EncodeWithIconv(chars, count);
    }
    TIdBytes out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto it = fTables->toByte.find(chars[i]);
        if (it != fTables->toByte.end()) {
            out.push_back(it->second);
            continue;
        }
        if (IsHighSurrogate(chars[i]) && i + 1 < count && IsLowSurrogate(chars[i + 1])) {
            ++i;  // a pair is one character and gets one "?"
        }
        out.insert(out.end(), fTables->unknownBytes.begin(), fTables->unknownBytes.end());
    }
    return out;
}

std::u16string TIdMBCSEncoding::DecodeWithIconv(const std::uint8_t* bytes,
                                                std::size_t count) const {
    Converter decode(kIconvUTF16, fTables->iconvName);
    std::u16string out(count + 1, u'\0');
    std::size_t used = 0;
    const char* src = reinterpret_cast<const char*>(bytes);
    std::size_t left = count;
    while (!decode.Run(src, left, out, used)) {
        // An invalid byte becomes U+FFFD and is stepped over; a sequence cut short at the end
        // becomes one U+FFFD.
        if (used == out.size()) {
            out.resize(out.size() * 2);
        }
        out[used++] = kReplacementChar;
        if (errno == EINVAL || left == 0) {
            break;
        }
        ++src;
        --left;
        decode.Reset();
    }
    decode.Finish(out, used);
    out.resize(used);
    return out;
}

TIdBytes TIdMBCSEncoding::EncodeWithIconv(const char16_t* chars, std::size_t count) const {
    Converter encode(fTables->iconvName, kIconvUTF16);
    TIdBytes out(count * static_cast<std::size_t>(fMaxCharSize) + 1);
    std::size_t used = 0;
    const char* src = reinterpret_cast<const char*>(chars);
    std::size_t left = count * sizeof(char16_t);
    while (!encode.Run(src, left, out, used)) {
        const TIdBytes& unknown = fTables->unknownBytes;
        if (out.size() - used < unknown.size()) {
            out.resize(out.size() * 2 + unknown.size());
        }
        std::copy(unknown.begin(), unknown.end(), out.begin() + static_cast<std::ptrdiff_t>(used));
        used += unknown.size();
        if (errno == EINVAL || left < sizeof(char16_t)) {
            break;
        }
        // Step over the unit, or the whole surrogate pair when one starts here: the pair is
        // one character the code page lacks.
        const auto* unit = reinterpret_cast<const char16_t*>(src);
        std::size_t step = sizeof(char16_t);
        if (IsHighSurrogate(unit[0]) && left >= 2 * sizeof(char16_t) && IsLowSurrogate(unit[1])) {
            step = 2 * sizeof(char16_t);
        }
        src += step;
        left -= step;
    }
    encode.Finish(out, used);
    out.resize(used);
    return out;
}

std::size_t TIdMBCSEncoding::GetMaxByteCount(std::size_t charCount) const {
    return (charCount + 1) * static_cast<std::size_t>(fMaxCharSize);
}

std::size_t TIdMBCSEncoding::GetMaxCharCount(std::size_t byteCount) const {
    return byteCount + 1;
}

TIdBytes TIdMBCSEncoding::GetPreamble() const {
    switch (fCodePage) {
        case kCodePageUTF16LE:
            return {0xFF, 0xFE};
        case kCodePageUTF16BE:
            return {0xFE, 0xFF};
        case kCodePageUTF8:
            return {0xEF, 0xBB, 0xBF};
        default:
            return {};
    }
}

TIdUTF7Encoding::TIdUTF7Encoding() : TIdMBCSEncoding(kCodePageUTF7) {}

TIdUTF8Encoding::TIdUTF8Encoding() : TIdMBCSEncoding(kCodePageUTF8) {}

}  // namespace tarnwick::http
