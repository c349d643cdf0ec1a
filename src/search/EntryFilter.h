// The entry filter of a walk: the one question the walker asks of each examined entry whose
// name matches the name text, "is it a hit?". It applies, in this order, the extension filter
// (the lists re-read whenever the user changed them), the whole-word rule and the content test.
//
// The content test of a folder's files may run ahead of the walk (ContentReadAhead): the walker
// announces a folder's matching entries in the order it will ask about them, and the filter
// hands those that will most likely be tested to helper threads. Each entry still meets every
// rule again when it is asked about, so answers are exactly those of a filter without helpers.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/DirectoryEnumeration.h"
#include "search/ContentReadAhead.h"
#include "search/ContentTest.h"
#include "search/SearchOptions.h"

namespace tarnwick::search {

class EntryFilter {
  public:
    // An entry the read-ahead does not test.
    static constexpr std::size_t kNoSlot = ~std::size_t{0};

    // `relieveDescriptors(attempt)` makes room after a file found no descriptor (attempt counts
    // from 0 for one file); false when there is nothing more to try.
    EntryFilter(const SearchOptions& options, std::string contentText,
                const std::atomic<bool>& running, std::size_t contentChunkSize,
                std::size_t contentHelpers, std::function<bool(int)> relieveDescriptors);
    EntryFilter(const EntryFilter&) = delete;
    EntryFilter& operator=(const EntryFilter&) = delete;

    // Sets the name text the whole-word rule compares with, for one walk.
    void SetNameText(const std::string& nameText) { fNameText = nameText; }

    // Whether BeginFolder may hand any file of `listing` to helpers; when not, every entry has
    // kNoSlot and BeginFolder need not be called.
    bool ReadsAhead(const platform::FolderListing& listing) const {
        return !fContentText.empty() && fContentHelpers != 0 && listing.Ok();
    }
    // Announces the matching entries of `listing`, in the order they will be asked about;
    // returns each one's read-ahead slot (or kNoSlot). EndFolder lets the helpers go.
    std::vector<std::size_t> BeginFolder(const platform::FolderListing& listing,
                                         const std::vector<const platform::ListedName*>& matching);
    void EndFolder();

    // True when the entry is a hit. `slot` is what BeginFolder gave it.
    bool Accepts(const platform::FolderListing& listing, const platform::ListedName& entry,
                 bool isFolder, std::size_t slot);

    // The extension filter lists, re-read whenever the user changed them.
    bool IsExcludedExtension(const std::string& ext);
    bool IsIncludedExtension(const std::string& ext);

  private:
    bool PassesExtensionFilter(const std::string& name);
    // The content finding of a file: from the helpers when it has a slot, else tested now.
    ContentFinding FindContent(const platform::FolderListing& listing,
                               const platform::ListedName& entry, std::size_t slot);
    void RefreshLists();

    const SearchOptions& fOptions;
    const std::string fContentText;
    const std::atomic<bool>& fRunning;
    const std::size_t fContentChunkSize;
    const std::size_t fContentHelpers;
    const std::function<bool(int)> fRelieveDescriptors;
    std::string fNameText;
    std::uint64_t fListVersion = ~std::uint64_t{0};
    std::vector<std::string> fExcludeItems;
    std::vector<std::string> fIncludeItems;
    ContentScanner fScanner;
    std::unique_ptr<ContentReadAhead> fReadAhead;  // made by the first folder with files to test
};

}  // namespace tarnwick::search
