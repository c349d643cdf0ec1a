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

FolderHandle::FolderHandle(int fd, int error) : fFd(fd), fError(fd >= 0 ? 0 : error) {
    struct stat st {};
    if (fFd >= 0 && ::fstat(fFd, &st) == 0) {
        fIdentity = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    } else if (fFd >= 0) {
        fError = errno;
        Close();
    }
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept
    : fFd(std::exchange(other.fFd, -1)), fError(other.fError), fIdentity(other.fIdentity) {}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
    if (this != &other) {
        Close();
        fFd = std::exchange(other.fFd, -1);
        fError = other.fError;
        fIdentity = other.fIdentity;
    }
    return *this;
}

bool FolderHandle::OutOfDescriptors() const {
    return fFd < 0 && (fError == EMFILE || fError == ENFILE);
}

FolderHandle::~FolderHandle() {
    Close();
}

void FolderHandle::Close() {
    if (fFd >= 0) {
        ::close(fFd);
        fFd = -1;
    }
}

FolderHandle FolderHandle::OpenPath(const std::string& path) {
    int error = 0;
    const int fd =
        OpenRetrying(AT_FDCWD, path.empty() ? "/" : path.c_str(), kFolderOpenFlags, error);
    return FolderHandle(fd, error);
}

FolderHandle FolderHandle::OpenChild(const std::string& name) const {
    if (fFd < 0) {
        return {};
    }
    int error = 0;
    const int fd = OpenRetrying(fFd, name.c_str(), kFolderOpenFlags | O_NOFOLLOW, error);
    return FolderHandle(fd, error);
}

FolderHandle FolderHandle::OpenParent() const {
    if (fFd < 0) {
        return {};
    }
    int error = 0;
    const int fd = OpenRetrying(fFd, "..", kFolderOpenFlags, error);
    return FolderHandle(fd, error);
}

}  // namespace tarnwick
