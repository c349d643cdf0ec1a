// POSIX read-only file.
#include "platform/ReadOnlyFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/Descriptor.h"

namespace tarnwick::platform {

bool ReadOnlyFile::Open(const std::string& path) {
    return OpenAt(AT_FDCWD, path);
}

bool ReadOnlyFile::OpenAt(int dirFd, const std::string& name) {
    fFile.Close();  // before the new open: a walk short of descriptors needs this one back
    fFile = files::OpenForReadingAt(dirFd, name);
    return fFile.Ok();
}

std::int64_t ReadOnlyFile::Read(char* buffer, std::size_t count) {
    if (!fFile.Ok()) {
        return -1;
    }
    return files::ReadSome(fFile.Fd(), buffer, count);
}

}  // namespace tarnwick::platform
