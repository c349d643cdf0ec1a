// An open folder, identified by its device and inode number. Subfolders are opened relative to
// it by name, so a walk needs no full path and no path length limit applies. Move-only: it
// owns its descriptor and closes it when destroyed or closed. A handle whose open failed
// keeps the reason, so a caller can tell a folder that can't be opened from a process that
// ran out of descriptors.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files/Descriptor.h"

namespace tarnwick::platform {

struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FolderIdentity&) const = default;
};

class FolderHandle {
  public:
    FolderHandle() = default;

    // Opens the folder at `path`, following symbolic links (an empty path is the root).
    static FolderHandle OpenPath(const std::string& path);
    // Opens the subfolder `name` of this folder; a symbolic link is never followed, so a name
    // that turned into a link since it was listed is not opened.
    FolderHandle OpenChild(const std::string& name) const;
    // Opens this folder's parent ("..").
    FolderHandle OpenParent() const;

    bool Ok() const { return fFolder.Ok(); }
    // The open failed because the process or the system had no descriptor left (EMFILE,
    // ENFILE): the folder may well be there.
    bool OutOfDescriptors() const { return fFolder.OutOfDescriptors(); }
    // The descriptor, for reading and examining entries relative to it; -1 when not ok().
    int Fd() const { return fFolder.Fd(); }
    const FolderIdentity& Identity() const { return fIdentity; }
    void Close() { fFolder.Close(); }

  private:
    // Opens `name` relative to `dirFd` as a folder and reads its identity.
    static FolderHandle Open(int dirFd, const char* name, int extraFlags);
    files::Descriptor fFolder;
    FolderIdentity fIdentity;
};

}  // namespace tarnwick::platform
