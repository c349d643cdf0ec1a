// The recursive folder walk.
#include "search/FolderWalk.h"

#include <algorithm>
#include <thread>

#include "platform/FileAttributes.h"
#include "platform/PathDelimiter.h"
#include "search/MatchRules.h"
#include "search/RowTexts.h"

namespace tarnwick::search {

using platform::EntryInfo;
using platform::EntryKind;
using platform::FolderHandle;
using platform::FolderIdentity;
using platform::FolderListing;
using platform::kAttrDirectory;
using platform::kAttrSystem;
using platform::kPathDelimiter;
using platform::ListedName;
using platform::NameOrderLess;

namespace {

bool IsDotName(const std::string& name) {
    return name == "." || name == "..";
}

bool IsHiddenName(const std::string& name) {
    return !name.empty() && name[0] == '.' && !IsDotName(name);
}

}  // namespace

TFolderWalk::TFolderWalk(const WalkContext& context)
    : fCtx(context),
      fFilter(context.options, context.contentText, context.state.Running, context.contentChunkSize,
              context.contentHelpers, [this](int attempt) { return RelieveDescriptors(attempt); }),
      fRows(context.typeNames, context.locale) {}

void TFolderWalk::WalkFolder(const std::string& root, const std::string& nameText, bool recurse) {
    fRootPath = root.empty() ? std::string(1, kPathDelimiter) : root;
    fStack.clear();
    FolderHandle rootFolder = FolderHandle::OpenPath(fRootPath);
    for (int attempt = 0; rootFolder.OutOfDescriptors() && RelieveDescriptors(attempt); ++attempt) {
        rootFolder = FolderHandle::OpenPath(fRootPath);
    }
    if (!fHaveRootDevice && rootFolder.Ok()) {
        // Folders on another device than the root are not entered, like `find -xdev`.
        fRootDevice = rootFolder.Identity().device;
        fHaveRootDevice = true;
    }
    fPath = root;
    if (fPath.empty() || fPath.back() != kPathDelimiter) {
        fPath += kPathDelimiter;
    }
    const NamePattern pattern(nameText);
    fPattern = &pattern;
    fFilter.SetNameText(nameText);
    VisitFolder(std::move(rootFolder), std::string(), recurse);
    // Depth first: each subfolder is finished, with all its descendants, before the next one.
    // Running is not tested between subfolders: after a Stop each remaining folder reports
    // itself and returns at its first entry.
    while (!fStack.empty()) {
        Frame& top = fStack.back();
        if (top.next == top.subfolders.size()) {
            PopFolder();
            continue;
        }
        std::string name = std::move(top.subfolders[top.next++]);
        std::optional<FolderHandle> child = OpenSubfolder(name);
        if (!child) {
            top.next = top.subfolders.size();  // gone: its remaining subfolders can't be reached
            continue;
        }
        if (child->Ok() && fHaveRootDevice && child->Identity().device != fRootDevice) {
            continue;
        }
        fPath.resize(top.pathLength);
        fPath += name;
        fPath += kPathDelimiter;
        VisitFolder(std::move(*child), std::move(name), true);
    }
    fPattern = nullptr;
    fCtx.sink->Tick();
}

void TFolderWalk::VisitFolder(FolderHandle folder, std::string name, bool recurse) {
    fCtx.sink->Folder(fPath);
    const FolderIdentity identity = folder.Identity();
    FolderListing listing(std::move(folder), false);
    std::vector<std::string> subfolders;
    if (!ListingPass(listing, recurse, subfolders) || !recurse || !fCtx.state.Running.load() ||
        subfolders.empty()) {
        return;
    }
    fStack.push_back(Frame{fPath.size(), std::move(name), listing.TakeHandle(), identity,
                           std::move(subfolders), 0});
    // Only the deepest folders keep their descriptors (and the root, to come back to).
    if (fStack.size() > fOpenLimit + 1) {
        fStack[fStack.size() - fOpenLimit - 1].handle.Close();
    }
}

void TFolderWalk::PopFolder() {
    FolderHandle child = std::move(fStack.back().handle);
    fStack.pop_back();
    if (fStack.empty()) {
        return;
    }
    Frame& parent = fStack.back();
    if (parent.handle.Ok() || parent.next == parent.subfolders.size()) {
        return;  // open already, or nothing left to open in it
    }
    // Going up through ".." costs one open. A parent that moved meanwhile, or one whose child
    // gave up its descriptor too, is reached by its names when its next subfolder is opened.
    FolderHandle up = child.OpenParent();
    if (up.Ok() && up.Identity() == parent.identity) {
        parent.handle = std::move(up);
    }
}

std::optional<FolderHandle> TFolderWalk::OpenSubfolder(const std::string& name) {
    for (int attempt = 0;; ++attempt) {
        Frame& top = fStack.back();
        if (!top.handle.Ok()) {
            FolderHandle again = ReopenFrame(fStack.size() - 1);
            if (!again.Ok()) {
                if (again.OutOfDescriptors() && RelieveDescriptors(attempt)) {
                    continue;
                }
                return std::nullopt;
            }
            top.handle = std::move(again);
        }
        FolderHandle child = top.handle.OpenChild(name);
        if (child.OutOfDescriptors() && RelieveDescriptors(attempt)) {
            continue;
        }
        return child;
    }
}

FolderHandle TFolderWalk::ReopenFrame(std::size_t depth) const {
    std::size_t from = depth;
    while (from > 0 && !fStack[from - 1].handle.Ok()) {
        --from;
    }
    FolderHandle folder;
    const FolderHandle* at = nullptr;
    if (from == 0) {
        folder = FolderHandle::OpenPath(fRootPath);
        if (!folder.Ok()) {
            return folder;
        }
        if (!(folder.Identity() == fStack.front().identity)) {
            return {};
        }
        from = 1;
    } else {
        at = &fStack[from - 1].handle;
    }
    for (std::size_t i = from; i <= depth; ++i) {
        FolderHandle next = (at != nullptr ? *at : folder).OpenChild(fStack[i].name);
        if (!next.Ok()) {
            return next;
        }
        folder = std::move(next);  // the one above is closed now: two descriptors at most
        at = nullptr;
    }
    if (!(folder.Identity() == fStack[depth].identity)) {
        return {};
    }
    return folder;
}

bool TFolderWalk::RelieveDescriptors(int attempt) {
    // After giving up what it keeps, the walk waits a little (1 + 2 + ... + 32 ms) in case
    // another part of the program releases some, as long as it is running.
    constexpr int kWaits = 6;
    if (attempt == 0) {
        // From now on keep half of what was held when they ran out.
        std::size_t held = 0;
        for (const Frame& frame : fStack) {
            held += frame.handle.Ok() ? 1 : 0;
        }
        if (held > 0) {
            fOpenLimit = std::max<std::size_t>(1, std::min(fOpenLimit, held / 2));
        }
        for (std::size_t i = 0; i + 1 < fStack.size(); ++i) {
            fStack[i].handle.Close();
        }
        return true;
    }
    if (attempt == 1) {
        if (!fStack.empty()) {
            fStack.back().handle.Close();
        }
        return true;
    }
    if (attempt - 2 >= kWaits || !fCtx.state.Running.load()) {
        return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1 << (attempt - 2)));
    return true;
}

bool TFolderWalk::ListingPass(const FolderListing& listing, bool recurse,
                              std::vector<std::string>& subfolders) {
    const bool includeHidden = fCtx.options.IncludeHidden();
    // Only the entries that can matter (names that match, folders to descend) are put in name
    // order; in a name walk that is a small part of a large folder.
    const std::vector<ListedName>& names = listing.Names();
    fCandidates.clear();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const ListedName& entry = names[i];
        if (entry.kind == EntryKind::Other || (!includeHidden && IsHiddenName(entry.name))) {
            continue;  // outside the enumeration's attribute mask
        }
        // A link is never descended, so one whose name does not match is not even examined.
        const bool maybeFolder =
            entry.kind == EntryKind::Directory || entry.kind == EntryKind::Unknown;
        const bool matches = fPattern->Matches(entry.name);
        if (matches || (recurse && maybeFolder)) {
            fCandidates.push_back({i, matches, EntryFilter::kNoSlot});
        }
    }
    std::sort(fCandidates.begin(), fCandidates.end(), [&](const Candidate& a, const Candidate& b) {
        return NameOrderLess(names[a.index].name, names[b.index].name);
    });
    // Whatever ends the pass (its end, a Stop, an error), the helpers let go of this folder.
    struct EndFilter {
        EntryFilter& filter;
        ~EndFilter() { filter.EndFolder(); }
    };
    BeginFilter(listing);
    const EndFilter endFilter{fFilter};
    for (const Candidate& candidate : fCandidates) {
        const ListedName& entry = names[candidate.index];
        // The directory's type field settles files and folders without a stat; links and
        // unknown types are examined now. A hit is described in full when its row is built.
        EntryInfo info;
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
        }
        if ((info.attributes & kAttrSystem) != 0) {
            continue;
        }
        if (candidate.matches && !ExamineEntry(listing, entry, info, candidate.slot)) {
            return false;
        }
        // A symlinked folder is listed but never descended; a folder's device is checked when
        // it is opened.
        if (recurse && (info.attributes & kAttrDirectory) != 0 && !info.isSymlink &&
            !IsDotName(entry.name)) {
            subfolders.push_back(entry.name);
        }
    }
    return true;
}

void TFolderWalk::BeginFilter(const FolderListing& listing) {
    if (!fFilter.ReadsAhead(listing)) {
        return;  // every candidate keeps kNoSlot
    }
    const std::vector<ListedName>& names = listing.Names();
    fMatching.clear();
    for (const Candidate& candidate : fCandidates) {
        if (candidate.matches) {
            fMatching.push_back(&names[candidate.index]);
        }
    }
    const std::vector<std::size_t> slots = fFilter.BeginFolder(listing, fMatching);
    std::size_t next = 0;
    for (Candidate& candidate : fCandidates) {
        if (candidate.matches) {
            candidate.slot = slots[next++];
        }
    }
}

void TFolderWalk::Pause() const {
    if (fCtx.pause.count() > 0) {
        std::this_thread::sleep_for(fCtx.pause);
    }
}

bool TFolderWalk::ExamineEntry(const FolderListing& listing, const ListedName& entry,
                               const EntryInfo& info, std::size_t slot) {
    if (!fCtx.state.Running.load()) {
        return false;
    }
    fCtx.sink->Tick();
    Pause();
    if (IsDotName(entry.name)) {
        return true;
    }
    const bool isFolder = (info.attributes & kAttrDirectory) != 0;
    if (fFilter.Accepts(listing, entry, isFolder, slot)) {
        ReportHit(listing, entry);
    }
    return true;
}

void TFolderWalk::ReportHit(const FolderListing& listing, const ListedName& entry) {
    std::optional<ResultRow> row = fRows.Build(listing, entry, fPath);
    if (!row) {
        return;
    }
    const std::uint64_t rows = fCtx.state.RowsFound.fetch_add(1) + 1;
    fCtx.sink->Row(std::move(*row), FoundCountText(rows));
}

}  // namespace tarnwick::search
