// The recursive folder walk of one search root, run on the worker thread.
//
// For each folder it reports the folder path, lists the entries whose names begin with the name
// text, asks the entry filter of each (extensions, whole word, content) whether it is a hit, has
// the row builder turn every hit into a row, and then descends into the subfolders, depth first.
// `Running` is checked before every entry; each examined entry costs the configured pause.
//
// A walk holds a bounded number of folder descriptors at any depth and never passes a full path
// to the system, so folders deeper than any path length limit are found too. Should the process
// run out of descriptors, the walk gives up the ones it keeps for coming back up, holds fewer
// from then on, and reaches each folder again by its names from the root: no folder or file is
// lost for lack of descriptors while the walk itself can get two.
//
// With a containing text, helper threads read and test the files of the folder being listed
// ahead of the walk (through the entry filter); the walk still examines every entry in order, so
// rows, Stop and errors come exactly where a walk without helpers would have them.
//
// A walk never loops or hangs: symlinked folders are listed but never descended, folders on
// another device than the root are not entered, and only regular files are ever opened. An
// entry that can't be examined (vanished, unreadable, time out of range) is skipped and the
// walk goes on; a folder that can't be listed yields nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/DirectoryEnumeration.h"
#include "platform/FolderHandle.h"
#include "platform/LocaleFormats.h"
#include "platform/TypeNames.h"
#include "search/ContentReadAhead.h"
#include "search/EntryFilter.h"
#include "search/MatchRules.h"
#include "search/RowBuilder.h"
#include "search/SearchEvents.h"
#include "search/SearchOptions.h"
#include "search/SearchState.h"

namespace tarnwick::search {

// The pause the program spends on every examined entry.
inline constexpr std::chrono::milliseconds kEntryPause{10};
// Folder descriptors a walk keeps open at most, whatever its depth (besides the root's and the
// one being listed): deeper folders are reached again through their parents when needed.
inline constexpr std::size_t kOpenFolderLimit = 16;

// What a walk reads and writes besides its request.
struct WalkContext {
    SearchState& state;
    const SearchOptions& options;
    const platform::TypeNames& typeNames;
    const platform::LocaleFormats& locale;
    SearchSink* sink = nullptr;  // set by the worker that runs the walk
    std::string contentText;     // SearchState::ContentText, captured when the worker is created
    std::chrono::microseconds pause = kEntryPause;
    std::size_t contentChunkSize = 0;  // 0: the default chunk size
    // Threads that test files ahead of the walk; 0 tests each file when its entry is examined.
    std::size_t contentHelpers = DefaultContentHelpers();
};

class TFolderWalk {
  public:
    explicit TFolderWalk(const WalkContext& context);
    TFolderWalk(const TFolderWalk&) = delete;
    TFolderWalk& operator=(const TFolderWalk&) = delete;

    // Walks `root` (an empty root is the file system root).
    void WalkFolder(const std::string& root, const std::string& nameText, bool recurse);

  private:
    // A folder whose subfolders are being walked. The walk lists a folder fully, then descends
    // into its subfolders one by one, opening each relative to its parent.
    struct Frame {
        std::size_t pathLength = 0;     // length of its path (ending in the delimiter) in fPath
        std::string name;               // its name in its parent
        platform::FolderHandle handle;  // closed while far above the deepest folder
        platform::FolderIdentity identity;
        std::vector<std::string> subfolders;
        std::size_t next = 0;
    };
    // Reports the folder at fPath, lists it, and pushes it when its subfolders are to be walked.
    void VisitFolder(platform::FolderHandle folder, std::string name, bool recurse);
    // The listing pass of one folder; false when the walk must not go on below it.
    bool ListingPass(const platform::FolderListing& listing, bool recurse,
                     std::vector<std::string>& subfolders);
    // Announces the matching candidates to the entry filter; sets each one's read-ahead slot.
    void BeginFilter(const platform::FolderListing& listing);
    void PopFolder();
    // Opens the subfolder `name` of the folder on top of the stack, reopening that one first
    // when its descriptor was given up; nullopt when the top folder itself can't be reached.
    std::optional<platform::FolderHandle> OpenSubfolder(const std::string& name);
    // Opens the folder of fStack[depth] again by its names, from the nearest folder above it
    // that is still open or else from the root's path, with at most two new descriptors at a
    // time. Not ok when it is gone or is not the folder the walk listed.
    platform::FolderHandle ReopenFrame(std::size_t depth) const;
    // Makes room after an open failed for lack of descriptors; `attempt` counts the tries for
    // one open from 0. False when there is nothing more to try: the open's failure stands.
    bool RelieveDescriptors(int attempt);
    // The listing pass for one entry; false when the walk must return (Running cleared).
    bool ExamineEntry(const platform::FolderListing& listing, const platform::ListedName& entry,
                      const platform::EntryInfo& info, std::size_t slot);
    // Builds the row of a hit and reports it with the new found count.
    void ReportHit(const platform::FolderListing& listing, const platform::ListedName& entry);
    void Pause() const;

    WalkContext fCtx;
    std::string fRootPath;  // the root as opened
    std::string fPath;      // the path of the folder being visited, ending in the delimiter
    std::vector<Frame> fStack;
    // Folder descriptors kept below the root; lowered when the process ran out of them.
    std::size_t fOpenLimit = kOpenFolderLimit;
    const NamePattern* fPattern = nullptr;  // the name text's pattern, during WalkFolder
    struct Candidate {
        std::size_t index;  // in the listing
        bool matches;       // the name matches the pattern
        std::size_t slot;   // its read-ahead slot in the entry filter, or EntryFilter::kNoSlot
    };
    std::vector<Candidate> fCandidates;
    std::vector<const platform::ListedName*>
        fMatching;  // the matching candidates' entries, in order
    std::uint64_t fRootDevice = 0;
    bool fHaveRootDevice = false;
    EntryFilter fFilter;
    RowBuilder fRows;
};

}  // namespace tarnwick::search
