// The entry filter: extensions, whole word and content.
#include "search/EntryFilter.h"

#include "search/MatchRules.h"

namespace tarnwick::search {

using platform::EntryKind;
using platform::FolderListing;
using platform::ListedName;

EntryFilter::EntryFilter(const SearchOptions& options, std::string contentText,
                         const std::atomic<bool>& running, std::size_t contentChunkSize,
                         std::size_t contentHelpers, std::function<bool(int)> relieveDescriptors)
    : fOptions(options),
      fContentText(std::move(contentText)),
      fRunning(running),
      fContentChunkSize(contentChunkSize),
      fContentHelpers(contentHelpers),
      fRelieveDescriptors(std::move(relieveDescriptors)),
      fScanner(contentChunkSize) {}

std::vector<std::size_t> EntryFilter::BeginFolder(const FolderListing& listing,
                                                  const std::vector<const ListedName*>& matching) {
    std::vector<std::size_t> slots(matching.size(), kNoSlot);
    if (!ReadsAhead(listing)) {
        return slots;
    }
    // Only what the examination will most likely test: regular files whose names pass the
    // rules as they stand now. Each entry still meets the rules again when it is examined, so a
    // change the user makes meanwhile counts as it would without helpers.
    const bool wholeWord = fOptions.WholeWord();
    std::vector<const std::string*> files;
    for (std::size_t i = 0; i < matching.size(); ++i) {
        const ListedName& entry = *matching[i];
        if (entry.kind == EntryKind::File && PassesExtensionFilter(entry.name) &&
            (!wholeWord || WholeWordNameMatches(fNameText, entry.name))) {
            slots[i] = files.size();
            files.push_back(&entry.name);
        }
    }
    if (files.empty()) {
        return slots;
    }
    if (!fReadAhead) {
        fReadAhead = std::make_unique<ContentReadAhead>(
            fContentHelpers, fContentChunkSize,
            [this](ContentScanner& scanner, int dirFd, const std::string& name,
                   const std::atomic<bool>& wanted) {
                return scanner.FindAt(dirFd, name, fContentText, &fRunning, &wanted);
            });
    }
    fReadAhead->Begin(listing.Fd(), std::move(files));
    return slots;
}

void EntryFilter::EndFolder() {
    if (fReadAhead) {
        fReadAhead->End();
    }
}

bool EntryFilter::Accepts(const FolderListing& listing, const ListedName& entry, bool isFolder,
                          std::size_t slot) {
    if (!PassesExtensionFilter(entry.name)) {
        return false;
    }
    const bool wholeWord = fOptions.WholeWord();
    if (wholeWord && !WholeWordNameMatches(fNameText, entry.name)) {
        return false;
    }
    if (fContentText.empty()) {
        return true;
    }
    if (isFolder) {
        return false;
    }
    // An unreadable file is skipped; the rest of the walk still counts.
    return VerdictOf(FindContent(listing, entry, slot), wholeWord) == ContentVerdict::Match;
}

ContentFinding EntryFilter::FindContent(const FolderListing& listing, const ListedName& entry,
                                        std::size_t slot) {
    ContentFinding finding =
        slot != kNoSlot ? fReadAhead->Take(slot, fScanner)
                        : fScanner.FindAt(listing.Fd(), entry.name, fContentText, &fRunning);
    // A file that found no descriptor is there all the same: test it again once some are free.
    for (int attempt = 0; finding == ContentFinding::NoDescriptor && fRelieveDescriptors(attempt);
         ++attempt) {
        finding = fScanner.FindAt(listing.Fd(), entry.name, fContentText, &fRunning);
    }
    return finding;
}

void EntryFilter::RefreshLists() {
    // Reading the version before the texts means a change made meanwhile is seen next time.
    const std::uint64_t version = fOptions.ListVersion();
    if (version == fListVersion) {
        return;
    }
    fListVersion = version;
    fExcludeItems = SplitList(',', AsciiLower(fOptions.ExcludeListText()));
    fIncludeItems = SplitList(',', AsciiLower(fOptions.IncludeListText()));
}

bool EntryFilter::IsExcludedExtension(const std::string& ext) {
    RefreshLists();
    return ItemsHaveExtension(fExcludeItems, ext);
}

bool EntryFilter::IsIncludedExtension(const std::string& ext) {
    RefreshLists();
    return ItemsHaveExtension(fIncludeItems, ext);
}

bool EntryFilter::PassesExtensionFilter(const std::string& name) {
    const std::string ext = AsciiLower(ExtractFileExt(name));
    if (fOptions.Filter() == FilterMode::Exclude) {
        return !IsExcludedExtension(ext);
    }
    return IsIncludedExtension(ext);
}

}  // namespace tarnwick::search
