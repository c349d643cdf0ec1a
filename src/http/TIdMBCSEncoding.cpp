#include "http/TIdMBCSEncoding.h"

#include <iconv.h>

#include <cerrno>

#include "http/EIdEncodingErrors.h"
#include "http/TIdCodePages.h"

namespace {

constexpr char16_t kReplacementChar = 0xFFFD;
constexpr const char* kIconvUTF16 = "UTF-16LE";
constexpr int kByteValues = 256;
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// One converter for the length of one conversion: iconv handles are not thread-safe.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (cd_ != kNoConverter) {
            iconv_close(cd_);
        }
    }
    bool ok() const { return cd_ != kNoConverter; }

    // Converts as much as possible; returns false and leaves errno on a stop.
    bool Run(const char*& in, std::size_t& inLeft, std::string& out) {
        char buffer[4096];
        while (inLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof(buffer);
            char* src = const_cast<char*>(in);
            const std::size_t r = iconv(cd_, &src, &inLeft, &dst, &dstLeft);
            const int err = errno;
            in = src;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (r == static_cast<std::size_t>(-1) && err != E2BIG) {
                errno = err;
                return false;
            }
        }
        return true;
    }

    // Writes the shift sequence that returns a stateful encoding to its initial state.
    void Finish(std::string& out) {
        char buffer[64];
        char* dst = buffer;
        std::size_t dstLeft = sizeof(buffer);
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
    }

    void Reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

  private:
    iconv_t cd_;
};

bool HasConverter(const TIdCodePageInfo* info) {
    if (info == nullptr) {
        return false;
    }
    Converter decode(kIconvUTF16, info->IconvName);
    Converter encode(info->IconvName, kIconvUTF16);
    return decode.ok() && encode.ok();
}

std::u16string FromUTF16LE(const std::string& bytes) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return out;
}

std::string ToUTF16LE(const char16_t* chars, std::size_t count) {
    std::string out(count * 2, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        out[2 * i] = static_cast<char>(chars[i] & 0xFF);
        out[2 * i + 1] = static_cast<char>(chars[i] >> 8);
    }
    return out;
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

TIdMBCSEncoding::TIdMBCSEncoding(int codePage) : codePage_(codePage) {
    const TIdCodePageInfo* info = FindCodePage(codePage);
    if (!HasConverter(info) && codePage == kCodePageUSASCII) {
        for (int fallback : {kCodePageWindows1252, kCodePageOEMUS}) {
            info = FindCodePage(fallback);
            if (HasConverter(info)) {
                codePage_ = fallback;
                break;
            }
        }
    }
    if (!HasConverter(info)) {
        throw EIdInvalidCodepage(codePage);
    }
    iconvName_ = info->IconvName;
    maxCharSize_ = info->MaxCharSize;
    const char16_t question = u'?';
    unknownBytes_.clear();
    {
        Converter encode(iconvName_, kIconvUTF16);
        const std::string in = ToUTF16LE(&question, 1);
        const char* src = in.data();
        std::size_t left = in.size();
        std::string out;
        encode.Run(src, left, out);
        encode.Finish(out);
        unknownBytes_.assign(out.begin(), out.end());
    }
    if (maxCharSize_ == 1) {
        BuildSingleByteTables();
    }
}

void TIdMBCSEncoding::BuildSingleByteTables() {
    Converter decode(kIconvUTF16, iconvName_);
    // Most code pages define every byte, so one conversion of all 256 fills the table; only
    // when that fails is each byte tried on its own.
    std::string all(kByteValues, '\0');
    for (int b = 0; b < kByteValues; ++b) {
        all[static_cast<std::size_t>(b)] = static_cast<char>(b);
    }
    const char* allSrc = all.data();
    std::size_t allLeft = all.size();
    std::string allOut;
    // Finish flushes converters that hold a character back to see if a combining mark follows.
    const bool allOk = decode.Run(allSrc, allLeft, allOut);
    decode.Finish(allOut);
    const std::u16string allChars = allOk ? FromUTF16LE(allOut) : std::u16string();
    const bool oneByOne = allChars.size() != static_cast<std::size_t>(kByteValues);
    for (int b = 0; b < kByteValues; ++b) {
        if (!oneByOne) {
            toChar_[static_cast<std::size_t>(b)] = allChars[static_cast<std::size_t>(b)];
            continue;
        }
        decode.Reset();
        const char byte = static_cast<char>(b);
        const char* src = &byte;
        std::size_t left = 1;
        std::string out;
        const bool ok = decode.Run(src, left, out);
        decode.Finish(out);
        const std::u16string chars = FromUTF16LE(out);
        toChar_[static_cast<std::size_t>(b)] =
            ok && chars.size() == 1 ? chars[0] : kReplacementChar;
    }
    // The first byte of a character wins when a code page maps two bytes to it.
    for (int b = kByteValues - 1; b >= 0; --b) {
        const char16_t c = toChar_[static_cast<std::size_t>(b)];
        if (c != kReplacementChar) {
            toByte_[c] = static_cast<std::uint8_t>(b);
        }
    }
}

std::u16string TIdMBCSEncoding::GetChars(const std::uint8_t* bytes, std::size_t count) const {
    if (maxCharSize_ != 1) {
        return DecodeWithIconv(bytes, count);
    }
    std::u16string out(count, u'\0');
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = toChar_[bytes[i]];
    }
    return out;
}

TIdBytes TIdMBCSEncoding::GetBytes(const char16_t* chars, std::size_t count) const {
    if (maxCharSize_ != 1) {
        return EncodeWithIconv(chars, count);
    }
    TIdBytes out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto it = toByte_.find(chars[i]);
        if (it != toByte_.end()) {
            out.push_back(it->second);
            continue;
        }
        if (IsHighSurrogate(chars[i]) && i + 1 < count && IsLowSurrogate(chars[i + 1])) {
            ++i;  // a pair is one character and gets one "?"
        }
        out.insert(out.end(), unknownBytes_.begin(), unknownBytes_.end());
    }
    return out;
}

std::u16string TIdMBCSEncoding::DecodeWithIconv(const std::uint8_t* bytes,
                                                std::size_t count) const {
    Converter decode(kIconvUTF16, iconvName_);
    std::string utf16;
    utf16.reserve(count * 2);
    const char* src = reinterpret_cast<const char*>(bytes);
    std::size_t left = count;
    while (!decode.Run(src, left, utf16)) {
        // An invalid byte becomes U+FFFD and is stepped over; a sequence cut short at the end
        // becomes one U+FFFD.
        utf16.push_back(static_cast<char>(kReplacementChar & 0xFF));
        utf16.push_back(static_cast<char>(kReplacementChar >> 8));
        if (errno == EINVAL) {
            break;
        }
        if (left == 0) {
            break;
        }
        ++src;
        --left;
        decode.Reset();
    }
    return FromUTF16LE(utf16);
}

TIdBytes TIdMBCSEncoding::EncodeWithIconv(const char16_t* chars, std::size_t count) const {
    Converter encode(iconvName_, kIconvUTF16);
    const std::string in = ToUTF16LE(chars, count);
    std::string out;
    out.reserve(count * static_cast<std::size_t>(maxCharSize_));
    const char* src = in.data();
    std::size_t left = in.size();
    while (!encode.Run(src, left, out)) {
        out.append(unknownBytes_.begin(), unknownBytes_.end());
        if (errno == EINVAL || left < 2) {
            break;
        }
        // Step over the unit, or the whole surrogate pair when one starts here.
        std::size_t step = 2;
        const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(src[0]) |
                                                    (static_cast<unsigned char>(src[1]) << 8));
        if (IsHighSurrogate(unit) && left >= 4) {
            const char16_t next = static_cast<char16_t>(static_cast<unsigned char>(src[2]) |
                                                        (static_cast<unsigned char>(src[3]) << 8));
            if (IsLowSurrogate(next)) {
                step = 4;
            }
        }
        if (left < step) {
            break;
        }
        src += step;
        left -= step;
    }
    encode.Finish(out);
    return TIdBytes(out.begin(), out.end());
}

std::size_t TIdMBCSEncoding::GetMaxByteCount(std::size_t charCount) const {
    return (charCount + 1) * static_cast<std::size_t>(maxCharSize_);
}

std::size_t TIdMBCSEncoding::GetMaxCharCount(std::size_t byteCount) const {
    return byteCount + 1;
}

TIdBytes TIdMBCSEncoding::GetPreamble() const {
    switch (codePage_) {
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
