// The encodings computed without a converter: 7-bit ASCII, 8-bit (byte b is U+00b) and the
// two UTF-16 byte orders. Each maps every input to output; nothing is rejected.
#pragma once

#include "http/encoding/IIdTextEncoding.h"

namespace tarnwick::http {

// One byte per character, no preamble: what the ASCII and 8-bit encodings share.
class TIdSingleByteEncodingBase : public TIdTextEncodingBase {
  public:
    std::size_t GetCharCount(const std::uint8_t*, std::size_t count) const override {
        return count;
    }
    std::size_t GetMaxByteCount(std::size_t charCount) const override { return charCount; }
    std::size_t GetMaxCharCount(std::size_t byteCount) const override { return byteCount; }
    TIdBytes GetPreamble() const override { return {}; }
    bool IsSingleByte() const override { return true; }
};

// Bytes above 127 decode to U+FFFD; characters above 127 encode to "?".
class TIdASCIIEncoding : public TIdSingleByteEncodingBase {
  public:
    // The whole-buffer forms stay visible next to the overrides.
    using IIdTextEncoding::GetBytes;
    using IIdTextEncoding::GetChars;
    std::u16string GetChars(const std::uint8_t* bytes, std::size_t count) const override;
    TIdBytes GetBytes(const char16_t* chars, std::size_t count) const override;
};

// Byte b decodes to U+00b; characters above 255 encode to "?".
class TId8BitEncoding : public TIdSingleByteEncodingBase {
  public:
    // The whole-buffer forms stay visible next to the overrides.
    using IIdTextEncoding::GetBytes;
    using IIdTextEncoding::GetChars;
    std::u16string GetChars(const std::uint8_t* bytes, std::size_t count) const override;
    TIdBytes GetBytes(const char16_t* chars, std::size_t count) const override;
};

// Two bytes per UTF-16 unit; an odd last byte decodes to U+FFFD.
class TIdUTF16Encoding : public TIdTextEncodingBase {
  public:
    // The whole-buffer forms stay visible next to the overrides.
    using IIdTextEncoding::GetBytes;
    using IIdTextEncoding::GetChars;
    explicit TIdUTF16Encoding(bool bigEndian) : fBigEndian(bigEndian) {}
    std::u16string GetChars(const std::uint8_t* bytes, std::size_t count) const override;
    TIdBytes GetBytes(const char16_t* chars, std::size_t count) const override;
    std::size_t GetCharCount(const std::uint8_t*, std::size_t count) const override {
        return (count + 1) / 2;
    }
    std::size_t GetByteCount(const char16_t*, std::size_t count) const override {
        return count * 2;
    }
    std::size_t GetMaxByteCount(std::size_t charCount) const override { return charCount * 2; }
    std::size_t GetMaxCharCount(std::size_t byteCount) const override {
        return (byteCount + 1) / 2;
    }
    TIdBytes GetPreamble() const override;

  private:
    bool fBigEndian;
};

class TIdUTF16LittleEndianEncoding : public TIdUTF16Encoding {
  public:
    TIdUTF16LittleEndianEncoding() : TIdUTF16Encoding(false) {}
};

class TIdUTF16BigEndianEncoding : public TIdUTF16Encoding {
  public:
    TIdUTF16BigEndianEncoding() : TIdUTF16Encoding(true) {}
};

}  // namespace tarnwick::http
