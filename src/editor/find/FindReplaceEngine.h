// The find and replace engine: searching the editor's lines for a text, selecting the match,
// and replacing every match. Results are character offsets from the start of the text, a line
// break counting two. Replace all continues each search behind the last replacement and keeps
// the offset of the match line's start, so it never recounts the text from the first line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/find/FindOptions.h"

namespace tarnwick::editor {

class TFindTarget;

// Searches from the caret line (down with frDown, else up), choosing on each line the part
// to search from the selection's anchor and active end. A match becomes the selection (anchor
// and caret at its start, active end behind it) and the view scrolls until the whole match
// shows (a match wider than the view from its start); without one both selection ends go to (0, 0)
// and the caret stays. An empty text finds nothing and changes nothing. Returns the offset of
// the match start, or -1.
int64_t FindNext(TFindTarget& target, std::string_view text, TFindOptions options);

// As FindNext, but a line that does not hold both selection ends is always searched whole.
int64_t FindForReplaceAll(TFindTarget& target, std::string_view text, TFindOptions options);

// Replaces every match from the caret on by replacement, each through InsertAtCaret (so each
// replacement is one undo step); the search goes on behind the inserted text. Returns the
// number of replacements. A read-only editor is left alone.
int ReplaceAllMatches(TFindTarget& target, std::string_view text, const std::string& replacement,
                      TFindOptions options);

}  // namespace tarnwick::editor
