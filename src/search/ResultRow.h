// One hit of a walk: the seven texts of the results list, in column order, and its icon key.
#pragma once

#include <string>

namespace tarnwick::search {

struct ResultRow {
    std::string Name;
    std::string Path;  // folder path (ending in the separator) + name
    std::string Size;
    std::string Type;
    std::string Created;
    std::string Modified;
    std::string Attributes;
    std::string IconKey;  // kFolderIconKey for folders, else the file type's icon name
};

inline constexpr const char* kFolderTypeText = "Folder";
inline constexpr const char* kFolderIconKey = "folder";
// The Size column of a folder row.
inline constexpr char kFolderSizeMark = '-';

}  // namespace tarnwick::search
