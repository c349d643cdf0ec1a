// TIdMBCSEncoding converts through a Windows code page with glibc's iconv. Creation checks
// that the code page has a converter; single-byte code pages are turned into lookup tables
// then, so their conversions need no converter and no lock afterwards.
#pragma once

#include <array>
#include <unordered_map>

#include "http/IIdTextEncoding.h"

class TIdMBCSEncoding : public TIdTextEncodingBase {
  public:
    // The whole-buffer forms stay visible next to the overrides.
    using IIdTextEncoding::GetBytes;
    using IIdTextEncoding::GetChars;
    // Throws EIdException "Invalid codepage (N)" when the code page has no converter;
    // 20127 falls back to 1252 and then 437 first.
    explicit TIdMBCSEncoding(int codePage);

    std::u16string GetChars(const std::uint8_t* bytes, std::size_t count) const override;
    TIdBytes GetBytes(const char16_t* chars, std::size_t count) const override;
    std::size_t GetMaxByteCount(std::size_t charCount) const override;
    std::size_t GetMaxCharCount(std::size_t byteCount) const override;
    TIdBytes GetPreamble() const override;
    bool IsSingleByte() const override { return maxCharSize_ == 1; }

    // The code page actually converted with (after the 20127 fallback).
    int CodePage() const { return codePage_; }

  private:
    void BuildSingleByteTables();
    std::u16string DecodeWithIconv(const std::uint8_t* bytes, std::size_t count) const;
    TIdBytes EncodeWithIconv(const char16_t* chars, std::size_t count) const;

    int codePage_;
    const char* iconvName_;
    int maxCharSize_;
    // Single-byte code pages only: byte -> character, and the reverse.
    std::array<char16_t, 256> toChar_{};
    std::unordered_map<char16_t, std::uint8_t> toByte_;
    // The converter's bytes for "?", written for every character it cannot encode.
    TIdBytes unknownBytes_;
};

class TIdUTF7Encoding : public TIdMBCSEncoding {
  public:
    TIdUTF7Encoding();
    TIdBytes GetPreamble() const override { return {}; }
};

class TIdUTF8Encoding : public TIdMBCSEncoding {
  public:
    TIdUTF8Encoding();
};
