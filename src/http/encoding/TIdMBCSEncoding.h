// TIdMBCSEncoding converts through a Windows code page with glibc's iconv. Creation checks
// that the code page has a converter; a single-byte code page is turned into lookup tables
// once per process, shared read-only by every encoding of that code page.
#pragma once

#include <memory>

#include "http/encoding/IIdTextEncoding.h"

namespace tarnwick::http {

struct TIdCodePageTables;

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
    bool IsSingleByte() const override { return fMaxCharSize == 1; }

    // The code page actually converted with (after the 20127 fallback).
    int CodePage() const { return fCodePage; }

  private:
    std::u16string DecodeWithIconv(const std::uint8_t* bytes, std::size_t count) const;
    TIdBytes EncodeWithIconv(const char16_t* chars, std::size_t count) const;

    int fCodePage;
    int fMaxCharSize;
    std::shared_ptr<const TIdCodePageTables> fTables;
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

}  // namespace tarnwick::http
