// Opening a regular file for reading without ever blocking: the one way the editor, the
// histories and the walk open a file to read it.
//
// The open does not wait (a FIFO without a writer would otherwise hold the caller for good) and
// anything that is not a regular file is refused after it was opened, so a name that turned
// into a FIFO, socket or device meanwhile is refused too. The descriptor stays non-blocking: a
// regular file that waits for data (/proc/kmsg) then ends where its data ends.
//
// Every refusal has one error number, and so one reason text: the system's reason for a failed
// open or examination, EISDIR for a folder and EINVAL for anything else that is not a regular
// file.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files/Descriptor.h"

namespace tarnwick::files {

// A descriptor opened by OpenForReading, or the error number that says why there is none.
// Move-only; closes its descriptor when destroyed.
class ReadOpen {
  public:
    bool Ok() const { return fFile.Ok(); }
    int Fd() const { return fFile.Fd(); }
    // 0 when open; else why not (errno values).
    int Error() const { return fFile.Error(); }
    // The name does not exist (or a folder on its path does not).
    bool Missing() const;
    // The process or the system had no descriptor left: the file may well be readable later.
    bool OutOfDescriptors() const { return fFile.OutOfDescriptors(); }
    // The text shown after the file name when the file can't be read.
    std::string ReasonText() const;
    // The size the file had when it was opened.
    std::uint64_t Size() const { return fSize; }

    // Gives up ownership of the descriptor and returns it.
    int Release() { return fFile.Release(); }
    // Closes now; false (errno set) when the system reports a failure.
    bool Close() { return fFile.Close(); }

  private:
    friend ReadOpen OpenForReadingAt(int dirFd, const std::string& name);
    Descriptor fFile;
    std::uint64_t fSize = 0;
};

// Opens the regular file `name` relative to the folder descriptor `dirFd` (following symbolic
// links); an interrupted open is retried.
ReadOpen OpenForReadingAt(int dirFd, const std::string& name);
// The same for a path, relative to the current folder when not absolute.
ReadOpen OpenForReading(const std::string& path);

}  // namespace tarnwick::files
