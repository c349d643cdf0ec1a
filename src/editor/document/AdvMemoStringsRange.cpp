// Range edits of the editor's line list: a large paste or deletion shifts the lines after it
// once instead of once per line.
#include <algorithm>

#include "editor/document/AdvMemoStrings.h"
#include "editor/document/EditorErrors.h"
#include "editor/document/LinesObserver.h"
#include "platform/MemoryAdvice.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {

void TAdvMemoStrings::InsertLines(int index, const std::vector<std::string_view>& texts) {
    if (index < 0 || index > Count()) {
        throw EStringListError(index);
    }
    if (texts.empty()) {
        return;
    }
    // Reserved up front: the views below point into these copies, which must not move.
    std::vector<std::string> expanded;
    std::vector<std::string_view> lines = texts;
    if (fOwner != nullptr) {
        expanded.reserve(lines.size());
        for (std::string_view& line : lines) {
            if (line.find('\t') != std::string_view::npos) {
                expanded.push_back(ExpandTabs(line, fOwner->TabSize()));
                line = expanded.back();
            }
        }
    }
    Changing();
    fStore.InsertRange(index, lines);
    if (fOwner != nullptr) {
        const size_t at = std::min(static_cast<size_t>(index), fLineLengths.size());
        std::vector<int32_t> lengths;
        lengths.reserve(lines.size());
        for (std::string_view line : lines) {
            lengths.push_back(platform::utf8::CharCount(line));
            fLengthTracker.Add(lengths.back());
        }
        platform::MakeRoomAdvised(fLineLengths, lengths.size());
        fLineLengths.insert(fLineLengths.begin() + static_cast<std::ptrdiff_t>(at), lengths.begin(),
                            lengths.end());
    }
    Changed();
    if (fOwner != nullptr) {
        for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
            fOwner->LineInserted(index + i);
        }
    }
}

void TAdvMemoStrings::RemoveLines(int first, int count) {
    first = std::max(first, 0);
    count = std::min(count, Count() - first);
    if (count <= 0) {
        return;
    }
    if (fOwner != nullptr) {
        const int size = static_cast<int>(fLineLengths.size());
        const int from = std::min(first, size);
        const int to = std::min(first + count, size);
        for (int i = from; i < to; ++i) {
            fLengthTracker.Remove(fLineLengths[static_cast<size_t>(i)]);
        }
        fLineLengths.erase(fLineLengths.begin() + from, fLineLengths.begin() + to);
    }
    Changing();
    fStore.EraseRange(first, count);
    Changed();
}

}  // namespace tarnwick::editor
