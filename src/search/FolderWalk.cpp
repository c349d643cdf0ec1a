// The recursive folder walk.
#include "search/FolderWalk.h"

#include <thread>

#include "platform/FileAttributes.h"
#include "platform/PathDelimiter.h"
#include "search/ContentTest.h"
#include "search/MatchRules.h"
#include "search/RowTexts.h"

namespace tarnwick {
namespace {

bool IsDotName(const std::string& name) {
    return name == "." || name == "..";
}

bool IsHiddenName(const std::string& name) {
    return !name.empty() && name[0] == '.' && !IsDotName(name);
}

}  // namespace

TFolderWalk::TFolderWalk(const WalkContext& context) : ctx_(context) {}

void TFolderWalk::WalkFolder(const std::string& root, const std::string& nameText, bool recurse) {
    if (!haveRootDevice_) {
        // Folders on another device than the root are not entered, like `find -xdev`.
        const auto device = DeviceOf(root.empty() ? std::string(1, kPathDelimiter) : root);
        rootDevice_ = device.value_or(0);
        haveRootDevice_ = device.has_value();
    }
    WalkOne(root, nameText, recurse);
    ctx_.sink->Tick();
}

void TFolderWalk::Pause() const {
    if (ctx_.pause.count() > 0) {
        std::this_thread::sleep_for(ctx_.pause);
    }
}

void TFolderWalk::WalkOne(const std::string& root, const std::string& nameText, bool recurse) {
    std::string folderPath = root;
    if (folderPath.empty() || folderPath.back() != kPathDelimiter) {
        folderPath += kPathDelimiter;
    }
    ctx_.sink->Folder(folderPath);
    const bool includeHidden = ctx_.options.IncludeHidden();

    const FolderListing listing(folderPath);
    std::vector<std::size_t> subfolders;
    for (std::size_t i = 0; i < listing.names().size(); ++i) {
        const ListedName& entry = listing.names()[i];
        const bool matches = MatchesNamePattern(nameText, entry.name);
        // Only names that matter are examined: candidates of the listing pass and folders.
        const bool maybeFolder =
            entry.kind == EntryKind::Directory || entry.kind == EntryKind::Unknown;
        if (!matches && !(recurse && maybeFolder)) {
            continue;
        }
        if (entry.kind == EntryKind::Other || (!includeHidden && IsHiddenName(entry.name))) {
            continue;  // outside the enumeration's attribute mask
        }
        const auto info = listing.Examine(entry);
        if (!info) {
            continue;  // vanished or can't be examined: skip it, go on
        }
        if ((info->attributes & kAttrSystem) != 0) {
            continue;
        }
        if (matches && !ExamineEntry(listing, entry, *info, folderPath, nameText)) {
            return;
        }
        if ((info->attributes & kAttrDirectory) != 0 && !IsDotName(entry.name) &&
            !info->isSymlink && (!haveRootDevice_ || info->device == rootDevice_)) {
            subfolders.push_back(i);
        }
    }

    if (!recurse || !ctx_.state.Running.load()) {
        return;
    }
    // Running is not tested between subfolders: after a Stop each remaining sub-walk reports
    // its folder and returns at its first entry.
    for (const std::size_t i : subfolders) {
        WalkOne(folderPath + listing.names()[i].name, nameText, true);
    }
}

bool TFolderWalk::ExamineEntry(const FolderListing& listing, const ListedName& entry,
                               const EntryInfo& info, const std::string& folderPath,
                               const std::string& nameText) {
    (void)listing;
    if (!ctx_.state.Running.load()) {
        return false;
    }
    ctx_.sink->Tick();
    Pause();
    if (IsDotName(entry.name)) {
        return true;
    }
    if (!PassesExtensionFilter(entry.name)) {
        return true;
    }
    const bool wholeWord = ctx_.options.WholeWord();
    const bool isFolder = (info.attributes & kAttrDirectory) != 0;
    if (!PassesContentRules(folderPath + entry.name, isFolder, entry.name, nameText, wholeWord)) {
        return true;
    }
    ReportHit(folderPath, entry.name, info);
    return true;
}

void TFolderWalk::RefreshLists() {
    // Reading the version before the texts means a change made meanwhile is seen next time.
    const std::uint64_t version = ctx_.options.ListVersion();
    if (version == listVersion_) {
        return;
    }
    listVersion_ = version;
    excludeItems_ = SplitList(',', AsciiLower(ctx_.options.ExcludeListText()));
    includeItems_ = SplitList(',', AsciiLower(ctx_.options.IncludeListText()));
}

bool TFolderWalk::IsExcludedExtension(const std::string& ext) {
    RefreshLists();
    return ItemsHaveExtension(excludeItems_, ext);
}

bool TFolderWalk::IsIncludedExtension(const std::string& ext) {
    RefreshLists();
    return ItemsHaveExtension(includeItems_, ext);
}

bool TFolderWalk::PassesExtensionFilter(const std::string& name) {
    const std::string ext = AsciiLower(ExtractFileExt(name));
    if (ctx_.options.Filter() == FilterMode::Exclude) {
        return !IsExcludedExtension(ext);
    }
    return IsIncludedExtension(ext);
}

bool TFolderWalk::PassesContentRules(const std::string& fullPath, bool isFolder,
                                     const std::string& name, const std::string& nameText,
                                     bool wholeWord) {
    if (wholeWord && !WholeWordNameMatches(nameText, name)) {
        return false;
    }
    if (ctx_.contentText.empty()) {
        return true;
    }
    if (isFolder) {
        return false;
    }
    const ContentVerdict verdict = TestFileContent(fullPath, ctx_.contentText, wholeWord,
                                                   ctx_.contentChunkSize, &ctx_.state.Running);
    // An unreadable file is skipped; the rest of the walk still counts.
    return verdict == ContentVerdict::Match;
}

void TFolderWalk::ReportHit(const std::string& folderPath, const std::string& name,
                            const EntryInfo& info) {
    const std::string fullPath = folderPath + name;
    const auto times = GetAttributeData(fullPath);
    if (!times) {
        return;  // attribute data can't be read: skip the entry
    }
    ResultRow row;
    row.Name = name;
    row.Path = fullPath;
    const bool isFolder = (info.attributes & kAttrDirectory) != 0;
    if (isFolder) {
        row.Type = kFolderTypeText;
    } else {
        TypeDescription type = ctx_.typeNames.DescribeFile(fullPath);
        row.Type = std::move(type.typeName);
        row.IconKey = std::move(type.iconKey);
    }
    if (row.Type == kFolderTypeText) {
        row.Size = "-";
        row.IconKey = kFolderIconKey;
    } else {
        row.Size = SizeText(info.size, ctx_.locale.DecimalSeparator());
    }
    try {
        row.Created = FileTimeText(times->creationTime, ctx_.locale);
        row.Modified = FileTimeText(times->lastWriteTime, ctx_.locale);
    } catch (const EFileTimeError&) {
        return;  // a time that can't be converted: skip the entry
    }
    row.Attributes = AttributeText(info.attributes);
    const std::uint64_t rows = ctx_.state.RowsFound.fetch_add(1) + 1;
    ctx_.sink->Row(std::move(row), FoundCountText(rows));
}

}  // namespace tarnwick
