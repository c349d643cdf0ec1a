// TLineTokenCache: checkpoints of the tokenizing of a few long lines, so that painting the
// visible part of a line of megabytes tokenizes only from a checkpoint left of the view instead
// of from the line's start. An entry is keyed on the line's index, its start state and the
// tokenizer's generation; after an edit only the checkpoints whose decisions looked at the
// line's unchanged front alone are kept (the line list reports that front).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "editor/highlight/HighlightRunSink.h"
#include "editor/highlight/HighlightState.h"
#include "editor/highlight/LineTokenizer.h"

namespace tarnwick::editor {

class TAdvMemoStrings;

class TLineTokenCache {
  public:
    // Lines shorter than this are tokenized whole, as before.
    static constexpr size_t kMinLength = 1 << 16;

    // Tokenizes text, the stored text of line index, for a paint showing the bytes from
    // firstByte on; with stopAt not npos nothing from there on is needed, nor the state after
    // the line (the returned state then means nothing).
    HighlightState Tokenize(const TLineTokenizer& tokenizer, const TAdvMemoStrings& lines,
                            int index, std::string_view text, HighlightState state,
                            IHighlightRunSink& sink, size_t firstByte, size_t stopAt);
    void Clear() { fEntries.clear(); }
    // Checkpoints kept for line index (for tests).
    size_t CheckpointCount(int index) const;

  private:
    struct Entry {
        int Line = -1;
        uint64_t Version = 0;
        uint64_t Generation = 0;
        HighlightState Start;
        std::vector<TTokenizerCheckpoint> Points;
        uint64_t LastUse = 0;
    };
    Entry& EntryFor(int index);

    static constexpr size_t kMaxEntries = 8;
    std::vector<Entry> fEntries;
    uint64_t fUses = 0;
};

}  // namespace tarnwick::editor
