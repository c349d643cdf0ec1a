#include "editor/TextBuffer.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>
#include <utility>

namespace tarnwick::editor {
namespace {
constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
}

void AdviseHugePages(void* data, size_t size) {
    const auto begin = reinterpret_cast<uintptr_t>(data);
    const uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t last = (begin + size) & ~(kHugePage - 1);
    if (last > first) {
        // Only advice: without transparent huge pages the memory works the same.
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
}

TTextBuffer::TTextBuffer(size_t size) : fSize(size) {
    fMapped = size > 0 ? size : 1;
    void* p = ::mmap(nullptr, fMapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) {
        fMapped = 0;
        throw std::bad_alloc();
    }
    fData = static_cast<char*>(p);
    AdviseHugePages(fData, fMapped);
}

TTextBuffer::~TTextBuffer() {
    Release();
}

TTextBuffer::TTextBuffer(TTextBuffer&& other) noexcept
    : fData(std::exchange(other.fData, nullptr)),
      fSize(std::exchange(other.fSize, 0)),
      fMapped(std::exchange(other.fMapped, 0)) {}

TTextBuffer& TTextBuffer::operator=(TTextBuffer&& other) noexcept {
    if (this != &other) {
        Release();
        fData = std::exchange(other.fData, nullptr);
        fSize = std::exchange(other.fSize, 0);
        fMapped = std::exchange(other.fMapped, 0);
    }
    return *this;
}

void TTextBuffer::Release() {
    if (fMapped != 0) {
        ::munmap(fData, fMapped);
    }
    fData = nullptr;
    fSize = 0;
    fMapped = 0;
}

}  // namespace tarnwick::editor
