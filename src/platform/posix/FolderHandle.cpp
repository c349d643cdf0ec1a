// POSIX folder handles (open/openat with O_DIRECTORY).
#include "platform/FolderHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace tarnwick {
namespace {

constexpr int kFolderOpenFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY;

// Opens `name` relative to `dirFd`, again when interrupted; `error` gets errno on failure.
int OpenRetrying(int dirFd, const char* name, int flags, int& error) {
    int fd;
    do {
        fd = ::openat(dirFd, name, flags);
    } while (fd < 0 && errno == EINTR);
    error = fd < 0 ? errno : 0;
    return fd;
}

}  // namespace

FolderHandle::FolderHandle(int fd, int error) : fd_(fd), error_(fd >= 0 ? 0 : error) {
    struct stat st {};
    if (fd_ >= 0 && ::fstat(fd_, &st) == 0) {
        identity_ = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    } else if (fd_ >= 0) {
        error_ = errno;
        Close();
    }
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), error_(other.error_), identity_(other.identity_) {}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        error_ = other.error_;
        identity_ = other.identity_;
    }
    return *this;
}

bool FolderHandle::OutOfDescriptors() const {
    return fd_ < 0 && (error_ == EMFILE || error_ == ENFILE);
}

FolderHandle::~FolderHandle() {
    Close();
}

void FolderHandle::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

FolderHandle FolderHandle::OpenPath(const std::string& path) {
    int error = 0;
    const int fd =
        OpenRetrying(AT_FDCWD, path.empty() ? "/" : path.c_str(), kFolderOpenFlags, error);
    return FolderHandle(fd, error);
}

FolderHandle FolderHandle::OpenChild(const std::string& name) const {
    if (fd_ < 0) {
        return {};
    }
    int error = 0;
    const int fd = OpenRetrying(fd_, name.c_str(), kFolderOpenFlags | O_NOFOLLOW, error);
    return FolderHandle(fd, error);
}

FolderHandle FolderHandle::OpenParent() const {
    if (fd_ < 0) {
        return {};
    }
    int error = 0;
    const int fd = OpenRetrying(fd_, "..", kFolderOpenFlags, error);
    return FolderHandle(fd, error);
}

}  // namespace tarnwick
