// POSIX read-only file.
#include "platform/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace tarnwick {

ReadOnlyFile::~ReadOnlyFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool ReadOnlyFile::Open(const std::string& path) {
    return OpenAt(AT_FDCWD, path);
}

bool ReadOnlyFile::OpenAt(int dirFd, const std::string& name) {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    // O_NONBLOCK: should the name have turned into a FIFO since it was examined, opening it
    // must not wait for a writer; the fstat below then refuses it. On a regular file the
    // flag has no effect, so it can stay.
    int fd;
    do {
        fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    outOfDescriptors_ = fd < 0 && (errno == EMFILE || errno == ENFILE);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(st.st_size);
    return true;
}

std::int64_t ReadOnlyFile::Read(char* buffer, std::size_t count) {
    if (fd_ < 0) {
        return -1;
    }
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, count);
        if (n >= 0) {
            return n;
        }
        if (errno != EINTR) {
            return -1;
        }
    }
}

}  // namespace tarnwick
