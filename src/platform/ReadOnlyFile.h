// A regular file opened for reading only. Opening refuses anything that is not a regular file
// (FIFOs, sockets and devices are never read, so a walk can't block on them).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/files/ReadOpen.h"

namespace tarnwick::platform {

class ReadOnlyFile {
  public:
    ReadOnlyFile() = default;
    ReadOnlyFile(const ReadOnlyFile&) = delete;  // owns a descriptor
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Opens `path` (following symlinks); false when it can't be opened or is not a regular
    // file.
    bool Open(const std::string& path);
    // Opens `name` relative to the folder descriptor `dirFd`, with the same rules.
    bool OpenAt(int dirFd, const std::string& name);
    // The last open failed because the process or the system had no descriptor left (EMFILE,
    // ENFILE): the file may well be readable once some are free.
    bool OutOfDescriptors() const { return fFile.OutOfDescriptors(); }
    // The size the file had when it was opened.
    std::uint64_t Size() const { return fFile.Size(); }
    // Reads up to `count` bytes; returns the number read (0 at the end), or -1 on an error.
    std::int64_t Read(char* buffer, std::size_t count);

  private:
    files::ReadOpen fFile;
};

}  // namespace tarnwick::platform
