#include "http/encoding/TIdTextEncodings.h"

#include <algorithm>
#include <array>
#include <atomic>

#include "http/encoding/TIdCodePages.h"
#include "http/encoding/TIdMBCSEncoding.h"
#include "http/encoding/TIdSimpleEncodings.h"

namespace tarnwick::http {

namespace {

constexpr std::size_t kKindCount = 8;
// Single-byte to single-byte conversions run in slices of this many bytes, so a large body
// never needs a UTF-16 copy of itself.
constexpr std::size_t kSliceBytes = 64 * 1024;
// From this size on a byte-to-byte table pays for the 256 conversions that build it.
constexpr std::size_t kTableThreshold = 4096;
constexpr int kByteValues = 256;

std::atomic<TIdTextEncodingKind> gDefaultKind{TIdTextEncodingKind::ASCII};

// Each slot holds a heap shared pointer published once with a compare-and-swap. The slots are
// never emptied, so a pointer read from one stays valid for the life of the process.
std::atomic<const IIdTextEncodingPtr*> gShared[kKindCount];

IIdTextEncodingPtr Create(TIdTextEncodingKind kind) {
    switch (kind) {
        case TIdTextEncodingKind::SystemDefault:
            return std::make_shared<TIdMBCSEncoding>(kSystemAnsiCodePage);
        case TIdTextEncodingKind::EightBit:
            return std::make_shared<TId8BitEncoding>();
        case TIdTextEncodingKind::UTF16BE:
            return std::make_shared<TIdUTF16BigEndianEncoding>();
        case TIdTextEncodingKind::UTF16LE:
            return std::make_shared<TIdUTF16LittleEndianEncoding>();
        case TIdTextEncodingKind::UTF7:
            return std::make_shared<TIdUTF7Encoding>();
        case TIdTextEncodingKind::UTF8:
            return std::make_shared<TIdUTF8Encoding>();
        case TIdTextEncodingKind::ASCII:
        case TIdTextEncodingKind::Default:
            break;
    }
    return std::make_shared<TIdASCIIEncoding>();
}

// Maps bytes between two single-byte encodings. Each byte converts on its own, so a large
// input goes through a 256-entry table built from the two encodings, and a small one is
// converted directly in slices.
std::string SingleByteToSingleByte(const std::uint8_t* bytes, std::size_t count,
                                   const IIdTextEncoding& from, const IIdTextEncoding& to) {
    std::string result;
    result.reserve(count);
    if (count >= kTableThreshold) {
        std::array<char, kByteValues> table{};
        bool exact = true;
        for (int b = 0; b < kByteValues && exact; ++b) {
            const auto byte = static_cast<std::uint8_t>(b);
            const std::u16string ch = from.GetChars(&byte, 1);
            const TIdBytes out = to.GetBytes(ch);
            exact = ch.size() == 1 && out.size() == 1;
            table[static_cast<std::size_t>(b)] = exact ? static_cast<char>(out[0]) : '\0';
        }
        if (exact) {
            result.resize(count);
            for (std::size_t i = 0; i < count; ++i) {
                result[i] = table[bytes[i]];
            }
            return result;
        }
    }
    for (std::size_t at = 0; at < count; at += kSliceBytes) {
        const std::size_t n = std::min(kSliceBytes, count - at);
        const TIdBytes out = to.GetBytes(from.GetChars(bytes + at, n));
        result.append(out.begin(), out.end());
    }
    return result;
}

bool IsUTF8(const IIdTextEncoding& encoding) {
    const auto* mbcs = dynamic_cast<const TIdMBCSEncoding*>(&encoding);
    return mbcs != nullptr && mbcs->CodePage() == kCodePageUTF8;
}

// UTF-8 resynchronises at every byte that is not a continuation byte, so a large body can be
// decoded slice by slice, each cut moved back to the start of a character.
std::string UTF8ToSingleByte(const std::uint8_t* bytes, std::size_t count,
                             const IIdTextEncoding& from, const IIdTextEncoding& to) {
    constexpr std::uint8_t kContinuationMask = 0xC0;
    constexpr std::uint8_t kContinuation = 0x80;
    constexpr std::size_t kLongestSequence = 4;
    std::string result;
    result.reserve(count);
    std::size_t at = 0;
    while (at < count) {
        std::size_t end = std::min(at + kSliceBytes, count);
        for (std::size_t back = 1; back < kLongestSequence && end < count &&
                                   (bytes[end] & kContinuationMask) == kContinuation;
             ++back) {
            --end;
        }
        const TIdBytes out = to.GetBytes(from.GetChars(bytes + at, end - at));
        result.append(out.begin(), out.end());
        at = end;
    }
    return result;
}

}  // namespace

TIdTextEncodingKind DefaultTextEncodingKind() {
    return gDefaultKind.load(std::memory_order_acquire);
}

void SetDefaultTextEncodingKind(TIdTextEncodingKind kind) {
    gDefaultKind.store(kind == TIdTextEncodingKind::Default ? TIdTextEncodingKind::ASCII : kind,
                       std::memory_order_release);
}

IIdTextEncodingPtr SharedTextEncoding(TIdTextEncodingKind kind) {
    if (kind == TIdTextEncodingKind::Default) {
        kind = DefaultTextEncodingKind();
    }
    auto& slot = gShared[static_cast<std::size_t>(kind)];
    const IIdTextEncodingPtr* current = slot.load(std::memory_order_acquire);
    if (current == nullptr) {
        auto* fresh = new IIdTextEncodingPtr(Create(kind));
        if (slot.compare_exchange_strong(current, fresh, std::memory_order_acq_rel)) {
            current = fresh;
        } else {
            delete fresh;  // another thread published first; `current` now holds its instance
        }
    }
    return *current;
}

std::string DecodeToString(const std::uint8_t* bytes, std::size_t count,
                           IIdTextEncodingPtr byteEncoding, IIdTextEncodingPtr destEncoding) {
    if (count == 0) {
        return {};
    }
    if (!byteEncoding) {
        byteEncoding = SharedTextEncoding(TIdTextEncodingKind::Default);
    }
    if (!destEncoding) {
        destEncoding = SharedTextEncoding(TIdTextEncodingKind::Default);
    }
    if (byteEncoding == destEncoding) {
        return std::string(reinterpret_cast<const char*>(bytes), count);
    }
    if (byteEncoding->IsSingleByte() && destEncoding->IsSingleByte()) {
        return SingleByteToSingleByte(bytes, count, *byteEncoding, *destEncoding);
    }
    if (destEncoding->IsSingleByte() && IsUTF8(*byteEncoding)) {
        return UTF8ToSingleByte(bytes, count, *byteEncoding, *destEncoding);
    }
    const TIdBytes out = destEncoding->GetBytes(byteEncoding->GetChars(bytes, count));
    return std::string(out.begin(), out.end());
}

std::string DecodeToString(const TIdBytes& bytes, IIdTextEncodingPtr byteEncoding,
                           IIdTextEncodingPtr destEncoding) {
    return DecodeToString(bytes.data(), bytes.size(), std::move(byteEncoding),
                          std::move(destEncoding));
}

TIdBytes EncodeFromString(std::string_view text, IIdTextEncodingPtr byteEncoding,
                          IIdTextEncodingPtr sourceEncoding) {
    if (text.empty()) {
        return {};
    }
    if (!byteEncoding) {
        byteEncoding = SharedTextEncoding(TIdTextEncodingKind::Default);
    }
    if (!sourceEncoding) {
        sourceEncoding = SharedTextEncoding(TIdTextEncodingKind::Default);
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    if (byteEncoding == sourceEncoding) {
        return TIdBytes(data, data + text.size());
    }
    return byteEncoding->GetBytes(sourceEncoding->GetChars(data, text.size()));
}

}  // namespace tarnwick::http
