// POSIX folder listing and entry examination (openat/fdopendir/fstatat/statx).
#include "platform/DirectoryEnumeration.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

#include <algorithm>
#include <cstring>

#include "platform/FileAttributes.h"

namespace tarnwick::platform {
namespace {

// File times count 100 ns units from 1601-01-01; POSIX seconds start 11644473600 s later.
constexpr std::int64_t kFileTimeUnitsPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

// The kernel's folder entry record as getdents64 fills it.
struct LinuxDirent {
    std::uint64_t d_ino;
    std::int64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[1];
};

constexpr std::size_t kListingReadBytes = 64 * 1024;

// Names compare by their upper-case form, the way NTFS orders them ("A" before "_").
char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

EntryKind KindFromDirent(unsigned char type) {
    switch (type) {
        case DT_REG:
            return EntryKind::File;
        case DT_DIR:
            return EntryKind::Directory;
        case DT_FIFO:
        case DT_SOCK:
        case DT_CHR:
        case DT_BLK:
            return EntryKind::Other;
        case DT_LNK:
            return EntryKind::Link;
        default:  // DT_UNKNOWN must be asked
            return EntryKind::Unknown;
    }
}

bool IsDotName(const std::string& name) {
    return name == "." || name == "..";
}

std::int64_t FileTimeFromStatx(const struct statx_timestamp& t) {
    return FileTimeFromUnix(t.tv_sec, t.tv_nsec);
}

// Birth time where the file system records it, else the modification time.
AttributeData TimesFromStatx(const struct statx& sx) {
    AttributeData data;
    data.lastWriteTime = FileTimeFromStatx(sx.stx_mtime);
    data.creationTime =
        CreationTimeOrLastWrite((sx.stx_mask & STATX_BTIME) != 0, sx.stx_btime.tv_sec,
                                sx.stx_btime.tv_nsec, data.lastWriteTime);
    return data;
}

}  // namespace

std::int64_t FileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds) {
    return (seconds + kSecondsFrom1601To1970) * kFileTimeUnitsPerSecond + nanoseconds / 100;
}

std::int64_t CreationTimeOrLastWrite(bool birthReported, std::int64_t birthSeconds,
                                     std::int64_t birthNanoseconds, std::int64_t lastWriteTime) {
    if (!birthReported || (birthSeconds == 0 && birthNanoseconds == 0)) {
        return lastWriteTime;
    }
    return FileTimeFromUnix(birthSeconds, birthNanoseconds);
}

std::int64_t UnixSecondsFromFileTime(std::int64_t fileTime) {
    std::int64_t seconds = fileTime / kFileTimeUnitsPerSecond;
    if (fileTime % kFileTimeUnitsPerSecond < 0) {
        --seconds;
    }
    return seconds - kSecondsFrom1601To1970;
}

bool NameOrderLess(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(FoldAscii(a[i]));
        const unsigned char y = static_cast<unsigned char>(FoldAscii(b[i]));
        if (x != y) {
            return x < y;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

FolderListing::FolderListing(const std::string& folderPath)
    : FolderListing(FolderHandle::OpenPath(folderPath)) {}

FolderListing::FolderListing(FolderHandle folder, bool sortByName) : fFolder(std::move(folder)) {
    if (!fFolder.Ok()) {
        return;
    }
    // Large reads straight from the kernel: one or two calls list most folders.
    alignas(8) static thread_local char buffer[kListingReadBytes];
    for (;;) {
        const long got = ::syscall(SYS_getdents64, fFolder.Fd(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;  // the end, or a folder that can't be read any further
        }
        for (long at = 0; at < got;) {
            const auto* d = reinterpret_cast<const LinuxDirent*>(buffer + at);
            const char* name = buffer + at + offsetof(LinuxDirent, d_name);
            fNames.push_back(ListedName{name, KindFromDirent(d->d_type)});
            at += d->d_reclen;
        }
    }
    if (sortByName) {
        std::sort(fNames.begin(), fNames.end(), [](const ListedName& a, const ListedName& b) {
            return NameOrderLess(a.name, b.name);
        });
    }
}

std::optional<EntryInfo> FolderListing::Examine(const ListedName& entry) const {
    if (!fFolder.Ok()) {
        return std::nullopt;
    }
    struct stat own {};
    if (::fstatat(fFolder.Fd(), entry.name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) {
        return std::nullopt;
    }
    EntryInfo info;
    info.device = static_cast<std::uint64_t>(own.st_dev);
    info.isSymlink = S_ISLNK(own.st_mode);
    struct stat target = own;
    if (info.isSymlink && ::fstatat(fFolder.Fd(), entry.name.c_str(), &target, 0) != 0) {
        // A dangling link is neither a file nor a folder: the system attribute hides it.
        info.attributes = kAttrSystem;
        return info;
    }
    if (S_ISDIR(target.st_mode)) {
        info.attributes |= kAttrDirectory;
    } else if (S_ISREG(target.st_mode)) {
        info.size = static_cast<std::uint64_t>(target.st_size);
    } else {
        info.attributes |= kAttrSystem;
    }
    if ((target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        info.attributes |= kAttrReadOnly;
    }
    if (!entry.name.empty() && entry.name[0] == '.' && !IsDotName(entry.name)) {
        info.attributes |= kAttrHidden;
    }
    return info;
}

std::optional<std::pair<EntryInfo, AttributeData>> FolderListing::Describe(
    const ListedName& entry) const {
    if (!fFolder.Ok()) {
        return std::nullopt;
    }
    struct statx sx {};
    if (::statx(fFolder.Fd(), entry.name.c_str(), AT_STATX_SYNC_AS_STAT,
                STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_BTIME | STATX_MTIME, &sx) != 0) {
        return std::nullopt;
    }
    EntryInfo info;
    if (S_ISDIR(sx.stx_mode)) {
        info.attributes |= kAttrDirectory;
    } else if (S_ISREG(sx.stx_mode)) {
        info.size = sx.stx_size;
    } else {
        info.attributes |= kAttrSystem;
    }
    if ((sx.stx_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        info.attributes |= kAttrReadOnly;
    }
    if (!entry.name.empty() && entry.name[0] == '.' && !IsDotName(entry.name)) {
        info.attributes |= kAttrHidden;
    }
    return std::make_pair(info, TimesFromStatx(sx));
}

std::optional<std::uint64_t> DeviceOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.empty() ? "/" : path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(st.st_dev);
}

std::optional<AttributeData> GetAttributeData(const std::string& path) {
    struct statx sx {};
    if (::statx(AT_FDCWD, path.c_str(), AT_STATX_SYNC_AS_STAT, STATX_BTIME | STATX_MTIME, &sx) !=
        0) {
        return std::nullopt;
    }
    return TimesFromStatx(sx);
}

}  // namespace tarnwick::platform
