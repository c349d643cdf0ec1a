// POSIX folder handles (open/openat with O_DIRECTORY).
#include "platform/FolderHandle.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace tarnwick::platform {
namespace {
constexpr int kFolderOpenFlags = O_RDONLY | O_DIRECTORY | O_NOCTTY;
}  // namespace

FolderHandle FolderHandle::Open(int dirFd, const char* name, int extraFlags) {
    FolderHandle folder;
    folder.fFolder = files::Descriptor::OpenAt(dirFd, name, kFolderOpenFlags | extraFlags);
    struct stat st {};
    if (folder.Ok() && ::fstat(folder.Fd(), &st) == 0) {
        folder.fIdentity = {static_cast<std::uint64_t>(st.st_dev),
                            static_cast<std::uint64_t>(st.st_ino)};
    } else if (folder.Ok()) {
        folder.fFolder.Fail(errno);
    }
    return folder;
}

FolderHandle FolderHandle::OpenPath(const std::string& path) {
    return Open(AT_FDCWD, path.empty() ? "/" : path.c_str(), 0);
}

FolderHandle FolderHandle::OpenChild(const std::string& name) const {
    if (!Ok()) {
        return {};
    }
    return Open(Fd(), name.c_str(), O_NOFOLLOW);
}

FolderHandle FolderHandle::OpenParent() const {
    if (!Ok()) {
        return {};
    }
    return Open(Fd(), "..", 0);
}

}  // namespace tarnwick::platform
