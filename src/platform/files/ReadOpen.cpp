#include "platform/files/ReadOpen.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/files/FileErrors.h"

namespace tarnwick::files {

ReadOpen::ReadOpen(ReadOpen&& other) noexcept
    : fFd(std::exchange(other.fFd, -1)), fError(other.fError), fSize(other.fSize) {}

ReadOpen& ReadOpen::operator=(ReadOpen&& other) noexcept {
    if (this != &other) {
        Close();
        fFd = std::exchange(other.fFd, -1);
        fError = other.fError;
        fSize = other.fSize;
    }
    return *this;
}

ReadOpen::~ReadOpen() {
    Close();
}

bool ReadOpen::Missing() const {
    return fError == ENOENT;
}

bool ReadOpen::OutOfDescriptors() const {
    return fError == EMFILE || fError == ENFILE;
}

std::string ReadOpen::ReasonText() const {
    return SystemErrorText(fError);
}

int ReadOpen::Release() {
    return std::exchange(fFd, -1);
}

bool ReadOpen::Close() {
    if (fFd < 0) {
        return true;
    }
    return ::close(std::exchange(fFd, -1)) == 0;
}

ReadOpen OpenForReadingAt(int dirFd, const std::string& name) {
    ReadOpen file;
    int fd;
    do {
        fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        file.fError = errno;
        return file;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        file.fError = errno;
        ::close(fd);
        return file;
    }
    if (!S_ISREG(st.st_mode)) {
        // A folder, a FIFO, a socket or a device is no text with an end.
        file.fError = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return file;
    }
    file.fFd = fd;
    file.fSize = static_cast<std::uint64_t>(st.st_size);
    return file;
}

ReadOpen OpenForReading(const std::string& path) {
    return OpenForReadingAt(AT_FDCWD, path);
}

}  // namespace tarnwick::files
