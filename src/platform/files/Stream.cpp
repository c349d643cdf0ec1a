#include "platform/files/Stream.h"

#include <algorithm>
#include <cstring>

#include "platform/files/FileErrors.h"

namespace tarnwick::files {

int64_t TStream::Size() {
    const int64_t position = Seek(0, TSeekOrigin::soCurrent);
    const int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (count != 0 && Read(buffer, count) != count) {
        throw EReadError();
    }
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    if (count != 0 && Write(buffer, count) != count) {
        throw EWriteError();
    }
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    if (fPosition >= fBytes.size()) {
        return 0;
    }
    const size_t n = std::min(count, fBytes.size() - fPosition);
    std::memcpy(buffer, fBytes.data() + fPosition, n);
    fPosition += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (fPosition + count > fBytes.size()) {
        fBytes.resize(fPosition + count);
    }
    std::memcpy(fBytes.data() + fPosition, buffer, count);
    fPosition += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent) {
        base = static_cast<int64_t>(fPosition);
    } else if (origin == TSeekOrigin::soEnd) {
        base = static_cast<int64_t>(fBytes.size());
    }
    fPosition = static_cast<size_t>(std::max<int64_t>(0, base + offset));
    return static_cast<int64_t>(fPosition);
}

}  // namespace tarnwick::files
