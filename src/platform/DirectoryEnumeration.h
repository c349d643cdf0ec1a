// Lists folders and examines entries on the local file system.
//
// A listing holds every name of a folder, "." and ".." included, sorted by the names' ASCII
// upper-case form (ties broken by the exact bytes) so that walks are deterministic. Names
// are examined lazily: the folder walk only pays for a stat on entries it actually looks at.
//
// Attributes on POSIX: hidden = the name begins with '.' (but not "." and ".."); system =
// anything that is neither a regular file nor a directory after following a symlink (devices,
// FIFOs, sockets, dangling links); read-only = no write bit in the mode; directory = a
// directory, also through a symlink. Archive is never set.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/FolderHandle.h"

namespace tarnwick::platform {

// What the listing knows of a name without a stat, from the directory's own type field.
// What the directory itself says of an entry. A symbolic link (Link) still has to be followed to
// learn what it names, but it is never descended, so only its name decides whether it matters.
enum class EntryKind : std::uint8_t { Unknown, File, Directory, Link, Other };

struct ListedName {
    std::string name;
    EntryKind kind = EntryKind::Unknown;
};

// The examined entry: attributes as the enumeration reports them, plus what the walk needs to
// decide whether to descend.
struct EntryInfo {
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;    // 0 for folders
    bool isSymlink = false;    // the name itself is a symbolic link
    std::uint64_t device = 0;  // device of the name itself (not followed)
};

// Creation and last-write time as 64-bit file times (100 ns units since 1601-01-01 UTC).
struct AttributeData {
    std::int64_t creationTime = 0;
    std::int64_t lastWriteTime = 0;
};

// Converts a POSIX time (seconds and nanoseconds since 1970 UTC) to a file time.
std::int64_t FileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds);
// Converts a file time to whole POSIX seconds, rounding towards the past.
std::int64_t UnixSecondsFromFileTime(std::int64_t fileTime);
// The creation time of an entry: its birth time (POSIX seconds and nanoseconds) when the file
// system reported one, else `lastWriteTime`. A birth time of exactly zero is what file systems
// that keep none (or lost it in an image) report, so it counts as not recorded.
std::int64_t CreationTimeOrLastWrite(bool birthReported, std::int64_t birthSeconds,
                                     std::int64_t birthNanoseconds, std::int64_t lastWriteTime);

// An open folder listing. Move-only: it owns the folder handle used to examine names.
class FolderListing {
  public:
    // Opens and reads `folderPath`. A folder that can't be listed gives an empty listing
    // (ok() false); that is not an error for the walk.
    explicit FolderListing(const std::string& folderPath);
    // Reads the folder of `folder`, which the listing then owns. Without `sortByName` the names
    // stay in the order the file system gave them (a caller that needs only a few of them sorts
    // those with NameOrderLess).
    explicit FolderListing(FolderHandle folder, bool sortByName = true);
    FolderListing(FolderListing&& other) noexcept = default;
    FolderListing& operator=(FolderListing&&) = delete;
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;
    ~FolderListing() = default;

    bool Ok() const { return fFolder.Ok(); }
    const std::vector<ListedName>& Names() const { return fNames; }

    // Examines one name of this folder (the link itself for the device and isSymlink, its
    // target for the attributes): nullopt when it vanished or can't be examined.
    std::optional<EntryInfo> Examine(const ListedName& entry) const;
    // Attributes, size and times of the entry's target, in one call; nullopt when it vanished
    // or can't be examined. `isSymlink` and `device` are not filled in.
    std::optional<std::pair<EntryInfo, AttributeData>> Describe(const ListedName& entry) const;
    // The folder's descriptor, for opening its entries relative to it; -1 when not ok().
    int Fd() const { return fFolder.Fd(); }
    // The folder's handle, for opening its subfolders; the listing can't examine names after.
    FolderHandle TakeHandle() { return std::move(fFolder); }

  private:
    FolderHandle fFolder;
    std::vector<ListedName> fNames;
};

// Device of a path (following symlinks), or nullopt when it can't be examined.
std::optional<std::uint64_t> DeviceOf(const std::string& path);

// Creation time (birth time where the file system records it, else the modification time)
// and last-write time of `path`, following symlinks; nullopt when it can't be examined.
std::optional<AttributeData> GetAttributeData(const std::string& path);

// Orders names as the listing does: by ASCII upper case, ties by exact bytes.
bool NameOrderLess(const std::string& a, const std::string& b);

}  // namespace tarnwick::platform
