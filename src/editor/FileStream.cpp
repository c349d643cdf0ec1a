#include "editor/FileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "editor/EditorErrors.h"

namespace tarnwick::editor {
namespace {
constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, like any newly created file
// The reason shown after the file name when a FIFO, socket or device is to be loaded.
constexpr const char* kNotARegularFile = "Not a regular file";
}  // namespace

TFileStream::TFileStream(const std::string& path, Mode mode) {
    // Both modes open without waiting: a FIFO without a partner would otherwise block the
    // caller for good. A file opened for reading stays non-blocking: a regular file that
    // waits for data (/proc/kmsg) then ends where its data ends instead of hanging the load.
    if (mode == Mode::OpenRead) {
        fFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fFd < 0) {
            throw EFOpenError(path, SystemErrorText(errno));
        }
        // Only regular files are read: a folder, a FIFO, a socket or a device is no text
        // with an end.
        struct stat st {};
        if (::fstat(fFd, &st) != 0 || !S_ISREG(st.st_mode)) {
            const int error = errno;
            const bool folder = S_ISDIR(st.st_mode);
            Close();
            throw EFOpenError(path, folder            ? SystemErrorText(EISDIR)
                                    : st.st_mode != 0 ? std::string(kNotARegularFile)
                                                      : SystemErrorText(error));
        }
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

}  // namespace tarnwick::editor
