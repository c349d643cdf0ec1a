#include "platform/files/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "platform/files/FileErrors.h"

namespace tarnwick::files {
namespace {

constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kDefaultUmask = 022;
constexpr mode_t kPermissionBits = 07777;

// The process umask, read without changing it (umask(2) can only be read by setting it).
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "Umask:") {
            std::string value;
            status >> value;
            return static_cast<mode_t>(std::strtoul(value.c_str(), nullptr, 8));
        }
    }
    return kDefaultUmask;
}

std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) {
            return resolved;  // replace the file the link points to, keep the link
        }
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TSafeFileWriter::TSafeFileWriter(const std::string& path)
    : fPath(path), fTarget(ResolveTarget(path)) {
    struct stat target {};
    const bool exists = ::stat(fTarget.c_str(), &target) == 0;
    if (exists && !S_ISREG(target.st_mode)) {
        // Devices, pipes and the like cannot be replaced by renaming; write to them directly.
        fInPlace = true;
        fStream = std::make_unique<TFileStream>(path, TFileStream::Mode::Create);
        return;
    }
    if (exists && ::access(fTarget.c_str(), W_OK) != 0) {
        // Renaming over a file one may not write would replace a read-only file: refuse, as
        // creating it directly would.
        throw EFCreateError(path, SystemErrorText(errno));
    }
    std::string pattern = FolderOf(fTarget) + "/." + NameOf(fTarget) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if ((error == EACCES || error == EPERM) && exists && ::access(fTarget.c_str(), W_OK) == 0) {
            // The folder refuses new files but the file itself may be written: the only way
            // left is writing it in place. The new content is collected first, so that Commit
            // can reserve its room before the old content is overwritten.
            fInPlaceFd = ::open(fTarget.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
            if (fInPlaceFd < 0) {
                throw EFCreateError(path, SystemErrorText(errno));
            }
            fInPlace = true;
            fPending = std::make_unique<TMemoryStream>();
            return;
        }
        throw EFCreateError(path, SystemErrorText(error));
    }
    fTempPath = name.data();
    const mode_t mode =
        exists ? (target.st_mode & kPermissionBits) : (kNewFileMode & ~CurrentUmask());
    if (exists) {
        // Keeps owner and group where allowed (for example when an administrator saves).
        [[maybe_unused]] const int ignored = ::fchown(fd, target.st_uid, target.st_gid);
    }
    ::fchmod(fd, mode);
    fStream = std::make_unique<TFileStream>(fd);
}

TSafeFileWriter::~TSafeFileWriter() {
    if (fInPlaceFd >= 0) {
        ::close(fInPlaceFd);
    }
    if (!fCommitted && !fTempPath.empty()) {
        fStream.reset();
        ::unlink(fTempPath.c_str());
    }
}

TStream& TSafeFileWriter::Stream() {
    return fPending ? static_cast<TStream&>(*fPending) : *fStream;
}

void TSafeFileWriter::CommitInPlace() {
    const std::string& bytes = fPending->Bytes();
    const auto size = static_cast<off_t>(bytes.size());
    // Reserving the room first means a full disk refuses the save before the old content is
    // touched, instead of leaving a half-written file.
    if (size > 0) {
        const int error = ::posix_fallocate(fInPlaceFd, 0, size);
        if (error != 0) {
            throw EFCreateError(fPath, SystemErrorText(error));
        }
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fInPlaceFd, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            throw EWriteError();
        }
        done += static_cast<size_t>(n);
    }
    if (::ftruncate(fInPlaceFd, size) != 0 || ::fsync(fInPlaceFd) != 0) {
        throw EWriteError();
    }
    const int fd = fInPlaceFd;
    fInPlaceFd = -1;
    if (::close(fd) != 0) {
        throw EWriteError();
    }
}

void TSafeFileWriter::Commit() {
    if (fInPlace) {
        if (fPending) {
            CommitInPlace();
        } else if (!fStream->Close()) {
            throw EWriteError();
        }
        fCommitted = true;
        return;
    }
    if (::fsync(fStream->Handle()) != 0 || !fStream->Close()) {
        throw EWriteError();
    }
    if (::rename(fTempPath.c_str(), fTarget.c_str()) != 0) {
        throw EFCreateError(fPath, SystemErrorText(errno));
    }
    fCommitted = true;
}

}  // namespace tarnwick::files
