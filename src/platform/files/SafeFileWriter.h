// TSafeFileWriter: writes a file so that a failure never destroys the file already there.
// The bytes go to a temporary file in the target's folder, which replaces the target (with
// the target's permission bits) only after everything was written and flushed to disk.
#pragma once

#include <memory>
#include <string>

#include "platform/files/FileStream.h"

namespace tarnwick::files {

class TSafeFileWriter {
  public:
    // Creates the temporary file; raises EFCreateError naming path when that is impossible.
    explicit TSafeFileWriter(const std::string& path);
    // Without Commit the temporary file is removed and the target stays as it was.
    ~TSafeFileWriter();
    TSafeFileWriter(const TSafeFileWriter&) = delete;
    TSafeFileWriter& operator=(const TSafeFileWriter&) = delete;

    TStream& Stream();
    // Flushes, closes and puts the new content in place. Raises EWriteError when the data may
    // not have reached the disk and EFCreateError when the target cannot be replaced.
    void Commit();

    // True when the folder does not allow a temporary file and the target is written in place.
    // In place, the content is held until Commit, which first reserves its room on the disk
    // (refusing with EFCreateError when it does not fit) and only then overwrites the file.
    bool WritesInPlace() const { return fInPlace; }

  private:
    void CommitInPlace();

    std::string fPath;                     // the name the caller gave, used in messages
    std::string fTarget;                   // the file that gets replaced (symbolic links resolved)
    std::string fTempPath;                 // empty when writing in place
    std::unique_ptr<TFileStream> fStream;  // the temporary file, or a device written directly
    std::unique_ptr<TMemoryStream> fPending;  // the content of an in-place save
    int fInPlaceFd = -1;                      // the target of an in-place save
    bool fInPlace = false;
    bool fCommitted = false;
};

}  // namespace tarnwick::files
