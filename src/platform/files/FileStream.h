// TFileStream: a stream over an open file descriptor, opened for reading or created for
// writing. The descriptor is closed with the stream; a failed open raises EFOpenError or
// EFCreateError naming the path.
#pragma once

#include <string>

#include "platform/files/Stream.h"

namespace tarnwick::files {

class TFileStream : public TStream {
  public:
    enum class Mode { OpenRead, Create };

    TFileStream(const std::string& path, Mode mode);
    // Takes over an already open descriptor (used by the safe save).
    explicit TFileStream(int fd);
    ~TFileStream() override;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

    int Handle() const { return fFd; }
    // Closes now and reports the result; a close error means data may not have reached disk.
    bool Close();

  private:
    int fFd = -1;
};

}  // namespace tarnwick::files
