// The result row of a hit.
#include "search/RowBuilder.h"

#include "platform/FileAttributes.h"
#include "search/RowTexts.h"

namespace tarnwick::search {

using platform::AttributeData;
using platform::EntryInfo;
using platform::FolderListing;
using platform::kAttrDirectory;
using platform::kAttrSystem;
using platform::ListedName;
using platform::TypeDescription;

std::optional<ResultRow> RowBuilder::Build(const FolderListing& listing, const ListedName& entry,
                                           const std::string& folderPath) const {
    const auto described = listing.Describe(entry);
    if (!described || (described->first.attributes & kAttrSystem) != 0) {
        return std::nullopt;  // attribute data can't be read (or the entry changed): skip it
    }
    const EntryInfo& info = described->first;
    const AttributeData& times = described->second;
    const std::string& name = entry.name;
    const std::string fullPath = folderPath + name;
    ResultRow row;
    row.Name = name;
    row.Path = fullPath;
    const bool isFolder = (info.attributes & kAttrDirectory) != 0;
    if (isFolder) {
        row.Type = kFolderTypeText;
    } else {
        TypeDescription type = fTypeNames.DescribeFile(fullPath);
        row.Type = std::move(type.typeName);
        row.IconKey = std::move(type.iconKey);
    }
    if (row.Type == kFolderTypeText) {
        row.Size.assign(1, kFolderSizeMark);
        row.IconKey = kFolderIconKey;
    } else {
        row.Size = SizeText(info.size, fLocale.DecimalSeparator());
    }
    try {
        row.Created = FileTimeText(times.creationTime, fLocale);
        row.Modified = FileTimeText(times.lastWriteTime, fLocale);
    } catch (const EFileTimeError&) {
        return std::nullopt;  // a time that can't be converted: skip the entry
    }
    row.Attributes = AttributeText(info.attributes);
    return row;
}

}  // namespace tarnwick::search
