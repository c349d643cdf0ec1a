// TTextBuffer: a large block of bytes for a loaded file, mapped from the system directly and
// advised to use huge pages, so that filling it costs few page faults. Move-only.
#pragma once

#include <cstddef>

namespace tarnwick::editor {

class TTextBuffer {
  public:
    TTextBuffer() = default;
    // Uninitialised memory for size bytes; raises std::bad_alloc when the system has none.
    explicit TTextBuffer(size_t size);
    ~TTextBuffer();
    TTextBuffer(TTextBuffer&& other) noexcept;
    TTextBuffer& operator=(TTextBuffer&& other) noexcept;
    TTextBuffer(const TTextBuffer&) = delete;
    TTextBuffer& operator=(const TTextBuffer&) = delete;

    char* Data() const { return fData; }
    size_t Size() const { return fSize; }
    // Keeps only the first size bytes (size <= Size()); the memory stays mapped.
    void Truncate(size_t size) { fSize = size < fSize ? size : fSize; }

  private:
    void Release();
    char* fData = nullptr;
    size_t fSize = 0;
    size_t fMapped = 0;  // bytes mapped (0: none)
};

}  // namespace tarnwick::editor
