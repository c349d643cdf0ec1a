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

TFolderWalk::TFolderWalk(const WalkContext& context)
    : ctx_(context), scanner_(context.contentChunkSize) {}

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
        const bool maybeFolder =
            entry.kind == EntryKind::Directory || entry.kind == EntryKind::Unknown;
        if (!matches && !(recurse && maybeFolder)) {
            continue;  // neither a candidate of the listing pass nor a folder to descend
        }
        if (entry.kind == EntryKind::Other || (!includeHidden && IsHiddenName(entry.name))) {
            continue;  // outside the enumeration's attribute mask
        }
        // The directory's type field settles files and folders without a stat; links and
        // unknown types are examined now. A hit is described in full when its row is built.
        EntryInfo info;
        bool examined = false;
        if (entry.kind == EntryKind::File) {
            info.attributes = 0;
        } else if (entry.kind == EntryKind::Directory) {
            info.attributes = kAttrDirectory;
        } else {
            const auto found = listing.Examine(entry);
            if (!found) {
                continue;  // vanished or can't be examined: skip it, go on
            }
            info = *found;
            examined = true;
        }
        if ((info.attributes & kAttrSystem) != 0) {
            continue;
        }
        if (matches && !ExamineEntry(listing, entry, info, folderPath, nameText)) {
            return;
        }
        if (!recurse || (info.attributes & kAttrDirectory) == 0 || IsDotName(entry.name)) {
            continue;
        }
        if (!examined) {
            const auto found = listing.Examine(entry);
            if (!found) {
                continue;
            }
            info = *found;
        }
        if (!info.isSymlink && (!haveRootDevice_ || info.device == rootDevice_)) {
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
    if (!PassesContentRules(listing, entry, isFolder, nameText, wholeWord)) {
        return true;
    }
    ReportHit(listing, entry, folderPath);
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

bool TFolderWalk::PassesContentRules(const FolderListing& listing, const ListedName& entry,
                                     bool isFolder, const std::string& nameText, bool wholeWord) {
    if (wholeWord && !WholeWordNameMatches(nameText, entry.name)) {
        return false;
    }
    if (ctx_.contentText.empty()) {
        return true;
    }
    if (isFolder) {
        return false;
    }
    const ContentVerdict verdict =
        scanner_.TestAt(listing.fd(), entry.name, ctx_.contentText, wholeWord, &ctx_.state.Running);
    // An unreadable file is skipped; the rest of the walk still counts.
    return verdict == ContentVerdict::Match;
}

void TFolderWalk::ReportHit(const FolderListing& listing, const ListedName& entry,
                            const std::string& folderPath) {
    const auto described = listing.Describe(entry);
    if (!described || (described->first.attributes & kAttrSystem) != 0) {
        return;  // attribute data can't be read (or the entry changed): skip it
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
        TypeDescription type = ctx_.typeNames.DescribeFile(fullPath);
        row.Type = std::move(type.typeName);
        row.IconKey = std::move(type.iconKey);
    }
    if (row.Type == kFolderTypeText) {
        row.Size.assign(1, kFolderSizeMark);
        row.IconKey = kFolderIconKey;
    } else {
        row.Size = SizeText(info.size, ctx_.locale.DecimalSeparator());
    }
    try {
        row.Created = FileTimeText(times.creationTime, ctx_.locale);
        row.Modified = FileTimeText(times.lastWriteTime, ctx_.locale);
    } catch (const EFileTimeError&) {
        return;  // a time that can't be converted: skip the entry
    }
    row.Attributes = AttributeText(info.attributes);
    const std::uint64_t rows = ctx_.state.RowsFound.fetch_add(1) + 1;
    ctx_.sink->Row(std::move(row), FoundCountText(rows));
}

}  // namespace tarnwick
