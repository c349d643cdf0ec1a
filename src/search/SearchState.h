// The search values shared by one search run: whether a walk may go on, the All Drives cursor,
// the containing text captured at the start, the next root and the drive roots.
// `Running` is the only field the worker touches; everything else belongs to the UI thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::search {

struct SearchState {
    std::atomic<bool> Running{false};
    bool AllDrives = false;
    std::int32_t DriveCursor = 0;
    std::string ContentText;
    std::string CurrentRoot;
    std::vector<std::string> DriveRoots;
    // Rows the current run has produced; written by the worker, reset by a user-started search
    // before its first worker starts. Only one worker runs at a time.
    std::atomic<std::uint64_t> RowsFound{0};
};

// The Look in text that walks every drive root in turn.
inline constexpr const char* kAllDrivesText = "All Drives";

}  // namespace tarnwick::search
