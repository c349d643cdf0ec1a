// What a file's path becomes when it leaves the window by the clipboard or by a drag: its
// readable text for programs that take text (a terminal, an editor) and its file URI for those
// that take files (a file manager, a mail program). The URI is built from the path's bytes,
// percent-encoded, so a name that is not UTF-8 reaches the other program as it is on disk;
// the text is the readable form the list shows (the locale's decoding of the bytes).
#pragma once

#include <QByteArray>
#include <QMimeData>
#include <memory>
#include <string>

namespace tarnwick::ui {

inline constexpr const char* kUriListMime = "text/uri-list";
// The clipboard format GNOME-family file managers paste files from ("copy" or "cut", then one
// URI a line); they don't read text/uri-list from the clipboard.
inline constexpr const char* kGnomeCopiedFilesMime = "x-special/gnome-copied-files";

// The text/uri-list of one local path: its file URI and the CR LF that ends every line of
// that format.
QByteArray UriListOf(const std::string& path);

// What a drag of the file at `path` carries: text/uri-list and the path as plain text.
std::unique_ptr<QMimeData> FileDragData(const std::string& path);

// What Copy Path puts on the clipboard: the drag's formats, and the file again in the GNOME
// file managers' format, so a Paste in any of them copies the file.
std::unique_ptr<QMimeData> FileClipboardData(const std::string& path);

}  // namespace tarnwick::ui
