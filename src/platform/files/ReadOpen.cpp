#include "platform/files/ReadOpen.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/files/FileErrors.h"

namespace tarnwick::files {

bool ReadOpen::Missing() const {
    return Error() == ENOENT;
}

std::string ReadOpen::ReasonText() const {
    return SystemErrorText(Error());
}

ReadOpen OpenForReadingAt(int dirFd, const std::string& name) {
    ReadOpen file;
    file.fFile = Descriptor::OpenAt(dirFd, name.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    if (!file.Ok()) {
        return file;
    }
    struct stat st {};
    if (::fstat(file.Fd(), &st) != 0) {
        file.fFile.Fail(errno);
    } else if (!S_ISREG(st.st_mode)) {
        // A folder, a FIFO, a socket or a device is no text with an end.
        file.fFile.Fail(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    } else {
        file.fSize = static_cast<std::uint64_t>(st.st_size);
    }
    return file;
}

ReadOpen OpenForReading(const std::string& path) {
    return OpenForReadingAt(AT_FDCWD, path);
}

}  // namespace tarnwick::files
