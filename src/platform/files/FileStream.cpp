#include "platform/files/FileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/FileErrors.h"
#include "platform/files/ReadOpen.h"

namespace tarnwick::files {
namespace {
constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, like any newly created file
}  // namespace

TFileStream::TFileStream(const std::string& path, Mode mode) {
    // Both modes open without waiting: a FIFO without a partner would otherwise block the
    // caller for good. Only regular files are read, and they stay non-blocking (ReadOpen).
    if (mode == Mode::OpenRead) {
        ReadOpen file = OpenForReading(path);
        if (!file.Ok()) {
            throw EFOpenError(path, file.ReasonText());
        }
        fFd = file.Release();
    } else {
        fFd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK,
                     kNewFileMode);
        if (fFd < 0) {
            throw EFCreateError(path, SystemErrorText(errno));
        }
        ::fcntl(fFd, F_SETFL, ::fcntl(fFd, F_GETFL) & ~O_NONBLOCK);
    }
}

TFileStream::TFileStream(int fd) : fFd(fd) {}

TFileStream::~TFileStream() {
    Close();
}

bool TFileStream::Close() {
    if (fFd < 0) {
        return true;
    }
    const int rc = ::close(fFd);
    fFd = -1;
    return rc == 0;
}

namespace {

// Repeats `transfer` (read or write) until `count` bytes moved, the end, or an error; an
// interrupted call is retried. Returns the bytes moved.
template <typename Byte, typename Transfer>
size_t TransferAll(Byte* bytes, size_t count, Transfer transfer) {
    size_t done = 0;
    while (done < count) {
        const ssize_t n = transfer(bytes + done, count - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    return done;
}

}  // namespace

size_t TFileStream::Read(void* buffer, size_t count) {
    return TransferAll(static_cast<char*>(buffer), count,
                       [this](char* at, size_t n) { return ::read(fFd, at, n); });
}

size_t TFileStream::Write(const void* buffer, size_t count) {
    return TransferAll(static_cast<const char*>(buffer), count,
                       [this](const char* at, size_t n) { return ::write(fFd, at, n); });
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    int whence = SEEK_SET;
    if (origin == TSeekOrigin::soCurrent) {
        whence = SEEK_CUR;
    } else if (origin == TSeekOrigin::soEnd) {
        whence = SEEK_END;
    }
    return static_cast<int64_t>(::lseek(fFd, static_cast<off_t>(offset), whence));
}

}  // namespace tarnwick::files
