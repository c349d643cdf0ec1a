// The recursive folder walk of one search root, run on the worker thread.
//
// For each folder it reports the folder path, lists the entries whose names begin with the name
// text, applies the extension filter, the whole-word rules and the content test to each, turns
// every hit into a row, and then descends into the subfolders, depth first. `Running` is checked
// before every entry; each examined entry costs the configured pause.
//
// A walk holds a bounded number of folder descriptors at any depth and never passes a full path
// to the system, so folders deeper than any path length limit are found too.
//
// A walk never loops or hangs: symlinked folders are listed but never descended, folders on
// another device than the root are not entered, and only regular files are ever opened. An
// entry that can't be examined (vanished, unreadable, time out of range) is skipped and the
// walk goes on; a folder that can't be listed yields nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/DirectoryEnumeration.h"
#include "platform/FolderHandle.h"
#include "platform/LocaleFormats.h"
#include "platform/TypeNames.h"
#include "search/ContentTest.h"
#include "search/MatchRules.h"
#include "search/SearchEvents.h"
#include "search/SearchOptions.h"
#include "search/SearchState.h"

namespace tarnwick {

// The pause the program spends on every examined entry.
inline constexpr std::chrono::milliseconds kEntryPause{10};
// Folder descriptors a walk keeps open at most, whatever its depth (besides the root's and the
// one being listed): deeper folders are reached again through their parents when needed.
inline constexpr std::size_t kOpenFolderLimit = 16;

// What a walk reads and writes besides its request.
struct WalkContext {
    SearchState& state;
    const SearchOptions& options;
    const TypeNames& typeNames;
    const LocaleFormats& locale;
    SearchSink* sink = nullptr;  // set by the worker that runs the walk
    std::string contentText;     // SearchState::ContentText, captured when the worker is created
    std::chrono::microseconds pause = kEntryPause;
    std::size_t contentChunkSize = 0;  // 0: the default chunk size
};

class TFolderWalk {
  public:
    explicit TFolderWalk(const WalkContext& context);
    TFolderWalk(const TFolderWalk&) = delete;
    TFolderWalk& operator=(const TFolderWalk&) = delete;

    // Walks `root` (an empty root is the file system root).
    void WalkFolder(const std::string& root, const std::string& nameText, bool recurse);

    // The extension filter lists, re-read whenever the user changed them.
    bool IsExcludedExtension(const std::string& ext);
    bool IsIncludedExtension(const std::string& ext);

  private:
    // A folder whose subfolders are being walked. The walk lists a folder fully, then descends
    // into its subfolders one by one, opening each relative to its parent.
    struct Frame {
        std::size_t pathLength = 0;  // length of its path (ending in the delimiter) in path_
        std::string name;            // its name in its parent
        FolderHandle handle;         // closed while far above the deepest folder
        FolderIdentity identity;
        std::vector<std::string> subfolders;
        std::size_t next = 0;
    };
    // Reports the folder at path_, lists it, and pushes it when its subfolders are to be walked.
    void VisitFolder(FolderHandle folder, std::string name, bool recurse);
    // The listing pass of one folder; false when the walk must not go on below it.
    bool ListingPass(const FolderListing& listing, bool recurse,
                     std::vector<std::string>& subfolders);
    void PopFolder();
    // Reopens the folder on top of the stack from the root, name by name.
    FolderHandle ReopenTop() const;
    // The listing pass for one entry; false when the walk must return (Running cleared).
    bool ExamineEntry(const FolderListing& listing, const ListedName& entry, const EntryInfo& info,
                      const std::string& folderPath, const std::string& nameText);
    bool PassesExtensionFilter(const std::string& name);
    bool PassesContentRules(const FolderListing& listing, const ListedName& entry, bool isFolder,
                            const std::string& nameText, bool wholeWord);
    void ReportHit(const FolderListing& listing, const ListedName& entry,
                   const std::string& folderPath);
    void RefreshLists();
    void Pause() const;

    WalkContext ctx_;
    std::string path_;  // the path of the folder being visited, ending in the delimiter
    std::vector<Frame> stack_;
    const NamePattern* pattern_ = nullptr;   // the name text's pattern, during WalkFolder
    const std::string* nameText_ = nullptr;  // the name text, during WalkFolder
    struct Candidate {
        std::size_t index;  // in the listing
        bool matches;       // the name matches the pattern
    };
    std::vector<Candidate> candidates_;
    std::uint64_t rootDevice_ = 0;
    bool haveRootDevice_ = false;
    std::uint64_t listVersion_ = ~std::uint64_t{0};
    std::vector<std::string> excludeItems_;
    std::vector<std::string> includeItems_;
    ContentScanner scanner_;
};

}  // namespace tarnwick
