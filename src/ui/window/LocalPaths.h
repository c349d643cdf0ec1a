// Paths between the file system's bytes and Qt's strings. A name that is not valid UTF-8 is
// shown with replacement characters, which can't be turned back into its bytes; so the window
// keeps the bytes of every path it shows, and a path that comes back from a Qt dialog is
// matched against the names really on disk before it is used.
#pragma once

#include <QString>
#include <string>

namespace tarnwick::ui {

// The readable form of a path's bytes (invalid UTF-8 as replacement characters).
QString DisplayPath(const std::string& path);

// The bytes of a path a dialog returned. Each component is the locale's encoding of its text,
// unless that names nothing on disk and the text holds a replacement character: then the one
// entry of the folder so far whose readable name equals the component is taken, so a folder
// or file named with bytes that are not UTF-8 is found again. A relative path stays relative.
std::string LocalPathBytes(const QString& shown);

// The folder part of a path's bytes ("/" for a file in the root, "." for a bare name).
std::string FolderOf(const std::string& path);

}  // namespace tarnwick::ui
