// IIdTextEncoding converts between bytes and UTF-16 characters for one character set and
// reports its byte-order mark. Encodings are immutable after construction, so one instance
// may be used from any number of threads at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "http/core/TIdBytes.h"

namespace tarnwick::http {

class IIdTextEncoding {
  public:
    IIdTextEncoding() = default;
    // Encodings are shared by pointer and compared by identity; copies would defeat that.
    IIdTextEncoding(const IIdTextEncoding&) = delete;
    IIdTextEncoding& operator=(const IIdTextEncoding&) = delete;
    virtual ~IIdTextEncoding() = default;

    virtual std::u16string GetChars(const std::uint8_t* bytes, std::size_t count) const = 0;
    virtual TIdBytes GetBytes(const char16_t* chars, std::size_t count) const = 0;
    virtual std::size_t GetCharCount(const std::uint8_t* bytes, std::size_t count) const = 0;
    virtual std::size_t GetByteCount(const char16_t* chars, std::size_t count) const = 0;
    // Upper bounds for buffers: bytes needed for charCount characters and the reverse.
    virtual std::size_t GetMaxByteCount(std::size_t charCount) const = 0;
    virtual std::size_t GetMaxCharCount(std::size_t byteCount) const = 0;
    // The byte-order mark of the encoding; empty when it has none.
    virtual TIdBytes GetPreamble() const = 0;
    // True when every character is one byte and every byte one character.
    virtual bool IsSingleByte() const = 0;

    std::u16string GetChars(const TIdBytes& bytes) const {
        return GetChars(bytes.data(), bytes.size());
    }
    TIdBytes GetBytes(std::u16string_view chars) const {
        return GetBytes(chars.data(), chars.size());
    }
};

using IIdTextEncodingPtr = std::shared_ptr<const IIdTextEncoding>;

// Counting through a full conversion; encodings with a cheaper rule override these.
class TIdTextEncodingBase : public IIdTextEncoding {
  public:
    std::size_t GetCharCount(const std::uint8_t* bytes, std::size_t count) const override {
        return GetChars(bytes, count).size();
    }
    std::size_t GetByteCount(const char16_t* chars, std::size_t count) const override {
        return GetBytes(chars, count).size();
    }
    bool IsSingleByte() const override { return false; }
};

}  // namespace tarnwick::http
