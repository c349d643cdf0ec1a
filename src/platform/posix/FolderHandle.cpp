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

int OpenRetrying(int dirFd, const char* name, int flags) {
    int fd;
    do {
        fd = ::openat(dirFd, name, flags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

FolderHandle::FolderHandle(int fd) : fd_(fd) {
    struct stat st {};
    if (fd_ >= 0 && ::fstat(fd_, &st) == 0) {
        identity_ = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    } else {
        Close();
    }
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), identity_(other.identity_) {}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        identity_ = other.identity_;
    }
    return *this;
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
    return FolderHandle(
        OpenRetrying(AT_FDCWD, path.empty() ? "/" : path.c_str(), kFolderOpenFlags));
}

FolderHandle FolderHandle::OpenChild(const std::string& name) const {
    if (fd_ < 0) {
        return {};
    }
    return FolderHandle(OpenRetrying(fd_, name.c_str(), kFolderOpenFlags | O_NOFOLLOW));
}

FolderHandle FolderHandle::OpenParent() const {
    if (fd_ < 0) {
        return {};
    }
    return FolderHandle(OpenRetrying(fd_, "..", kFolderOpenFlags));
}

}  // namespace tarnwick
