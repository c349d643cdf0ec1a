#include "http/TIdTextEncodings.h"

#include <algorithm>
#include <atomic>

#include "http/TIdCodePages.h"
#include "http/TIdMBCSEncoding.h"
#include "http/TIdSimpleEncodings.h"

namespace {

constexpr std::size_t kKindCount = 8;
// Single-byte to single-byte conversions run in slices of this many bytes, so a large body
// never needs a UTF-16 copy of itself.
constexpr std::size_t kSliceBytes = 64 * 1024;

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
        std::string result;
        result.reserve(count);
        for (std::size_t at = 0; at < count; at += kSliceBytes) {
            const std::size_t n = std::min(kSliceBytes, count - at);
            const TIdBytes out = destEncoding->GetBytes(byteEncoding->GetChars(bytes + at, n));
            result.append(out.begin(), out.end());
        }
        return result;
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
