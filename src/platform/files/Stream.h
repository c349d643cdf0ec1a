// TStream: a byte stream with a position, and TMemoryStream, one held in memory.
// ReadBuffer/WriteBuffer transfer exactly the asked count or raise EReadError/EWriteError.
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick::files {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
  public:
    TStream() = default;
    virtual ~TStream() = default;
    // A stream owns a position in a resource; sharing one by copy would split that position.
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // Transfers up to count bytes and returns how many were transferred.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    // Moves the position and returns the new one.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    virtual int64_t Size();

    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
};

class TMemoryStream : public TStream {
  public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : fBytes(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(fBytes.size()); }

    const std::string& Bytes() const { return fBytes; }

  private:
    std::string fBytes;
    size_t fPosition = 0;
};

}  // namespace tarnwick::files
