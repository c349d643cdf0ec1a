// The process-wide shared encodings, one per kind, created on first use by whichever thread
// asks first (the loser of a race drops its copy), and the two string conversions built on
// them. Shared instances live until the process ends and are never changed.
#pragma once

#include <string>
#include <string_view>

#include "http/encoding/IIdTextEncoding.h"

namespace tarnwick::http {

enum class TIdTextEncodingKind {
    Default,        // the process setting below, ASCII unless changed
    SystemDefault,  // the system ANSI code page (Windows-1252)
    EightBit,
    ASCII,
    UTF16BE,
    UTF16LE,
    UTF7,
    UTF8,
};

// The kind that Default stands for. Setting Default itself resets it to ASCII.
TIdTextEncodingKind DefaultTextEncodingKind();
void SetDefaultTextEncodingKind(TIdTextEncodingKind kind);

// The shared instance of a kind; the same pointer for every call of the same kind.
IIdTextEncodingPtr SharedTextEncoding(TIdTextEncodingKind kind);

// Bytes in byteEncoding to an 8-bit string in destEncoding. A null encoding means the Default
// kind; the same instance on both sides copies the bytes unchanged.
std::string DecodeToString(const std::uint8_t* bytes, std::size_t count,
                           IIdTextEncodingPtr byteEncoding, IIdTextEncodingPtr destEncoding);
std::string DecodeToString(const TIdBytes& bytes, IIdTextEncodingPtr byteEncoding,
                           IIdTextEncodingPtr destEncoding);

// The mirror: an 8-bit string in sourceEncoding to bytes in byteEncoding.
TIdBytes EncodeFromString(std::string_view text, IIdTextEncodingPtr byteEncoding,
                          IIdTextEncodingPtr sourceEncoding);

}  // namespace tarnwick::http
