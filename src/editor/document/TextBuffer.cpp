#include "editor/document/TextBuffer.h"

#include "platform/MemoryAdvice.h"

#include <sys/mman.h>

#include <new>
#include <utility>

namespace tarnwick::editor {
TTextBuffer::TTextBuffer(size_t size) : fSize(size) {
    fMapped = size > 0 ? size : 1;
    void* p = ::mmap(nullptr, fMapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) {
        fMapped = 0;
        throw std::bad_alloc();
    }
    fData = static_cast<char*>(p);
    platform::AdviseHugePages(fData, fMapped);
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
