// TLineProp: the per-line record riding with a line of the editor's list. It keeps the
// caller's object, the modification state and the cached tokenizer state at the line start.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "editor/document/Strings.h"
#include "editor/highlight/HighlightState.h"

namespace tarnwick::editor {

// Column ranges underlined by a text checker; absent unless a checker fills them.
struct TUnderlineRanges {
    std::vector<int> Starts;
    std::vector<int> Lengths;
};

enum TLineModState : uint8_t {
    lmsUnchanged = 0,
    lmsModified = 1,       // modified since loading
    lmsModifiedSaved = 2,  // modified and saved since
};

class TLineProp {
  public:
    TObject* CallerObject = nullptr;
    std::unique_ptr<TUnderlineRanges> Underlines;  // only a text checker creates these
    int32_t FoldNesting = 0;
    HighlightState StartStateCache;  // valid only while StartStateValid is set
    uint8_t LineModState = lmsUnchanged;
    bool StartStateValid = false;
    bool Collapsed = false;
    bool RegionBegin = false;
    bool RegionEnd = false;
    bool Breakpoint = false;
    bool Bookmark = false;
    bool WrappedContinuation = false;
};

}  // namespace tarnwick::editor
