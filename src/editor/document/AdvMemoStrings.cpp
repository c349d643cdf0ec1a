#include "editor/document/AdvMemoStrings.h"

#include "editor/control/ScopedValue.h"
#include "editor/document/EditorErrors.h"
#include "editor/document/UpdateBracket.h"
#include "platform/MemoryAdvice.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {

std::string ExpandTabs(std::string_view text, int tabSize) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == '\t') {
            result.append(static_cast<size_t>(tabSize > 0 ? tabSize : 0), ' ');
        } else {
            result.push_back(c);
        }
    }
    return result;
}

TAdvMemoStrings::TAdvMemoStrings(ILinesObserver* observer) : fOwner(observer) {}

TAdvMemoStrings::~TAdvMemoStrings() = default;

void TAdvMemoStrings::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) {
        throw EStringListError(index);
    }
}

void TAdvMemoStrings::SetUpdateState(bool updating) {
    fUpdateLock += updating ? 1 : -1;
}

std::string TAdvMemoStrings::Get(int index) const {
    CheckIndex(index);
    return std::string(fStore.View(index));
}

int TAdvMemoStrings::LineCharCount(int index) const {
    if (fLineLengths.size() == static_cast<size_t>(Count())) {
        return fLineLengths[static_cast<size_t>(index)];
    }
    return platform::utf8::CharCount(fStore.View(index));
}

const TLineProp* TAdvMemoStrings::LineProp(int index) const {
    return index < 0 || index >= Count() ? nullptr : fStore.Record(index);
}

TLineProp* TAdvMemoStrings::LineProp(int index) {
    return index < 0 || index >= Count() ? nullptr : fStore.Record(index);
}

TLineProp* TAdvMemoStrings::StoredLineProp(int index) {
    return index < 0 || index >= Count() ? nullptr : fStore.StoredRecord(index);
}

TLineProp& TAdvMemoStrings::EnsureLineProp(int index) {
    CheckIndex(index);
    return fStore.EnsureRecord(index);
}

uint8_t TAdvMemoStrings::LineModState(int index) const {
    const TLineProp* record = LineProp(index);
    return record == nullptr ? static_cast<uint8_t>(lmsUnchanged) : record->LineModState;
}

void TAdvMemoStrings::SetLineModState(int index, uint8_t state) {
    if (index >= 0 && index < Count()) {
        fStore.EnsureRecord(index).LineModState = state;
    }
}

void TAdvMemoStrings::SetLineLength(int index, int32_t length) {
    if (static_cast<int>(fLineLengths.size()) < index + 1) {
        fLineLengths.push_back(length);
    } else {
        fLengthTracker.Remove(fLineLengths[static_cast<size_t>(index)]);
        fLineLengths[static_cast<size_t>(index)] = length;
    }
    fLengthTracker.Add(length);
}

void TAdvMemoStrings::InsertLineLength(int index, int32_t length) {
    const size_t at = std::min(static_cast<size_t>(index), fLineLengths.size());
    platform::MakeRoomAdvised(fLineLengths, 1);
    fLineLengths.insert(fLineLengths.begin() + static_cast<std::ptrdiff_t>(at), length);
    fLengthTracker.Add(length);
}

void TAdvMemoStrings::EraseLineLength(int index) {
    if (index >= 0 && index < static_cast<int>(fLineLengths.size())) {
        fLengthTracker.Remove(fLineLengths[static_cast<size_t>(index)]);
        fLineLengths.erase(fLineLengths.begin() + index);
    }
}

void TAdvMemoStrings::ClearLineLengths() {
    fLineLengths.clear();
    fLineLengths.shrink_to_fit();
    fLengthTracker.Clear();
}

void TAdvMemoStrings::Put(int index, const std::string& s) {
    PutEdited(index, s, 0);
}

void TAdvMemoStrings::PutEdited(int index, const std::string& s, size_t samePrefix,
                                size_t sameSuffix) {
    CheckIndex(index);
    if (fOwner == nullptr) {
        Changing();
        fStore.Replace(index, s, fStore.IsFileText(index, s, 1), samePrefix, sameSuffix);
        Changed();
        return;
    }
    const bool tabs = s.find('\t') != std::string::npos;
    std::string expanded;  // s itself is used unless it has tabs (no copy of a long line)
    if (tabs) {
        expanded = ExpandTabs(s, fOwner->TabSize());
    }
    const std::string& text = tabs ? expanded : s;
    // A line given back its file text (an undo, say) is saved as its file bytes again.
    const bool untouched = fStore.IsFileText(index, text, fOwner->TabSize());
    const bool lengthKnown = fLineLengths.size() == static_cast<size_t>(Count());
    if (lengthKnown && (samePrefix > 0 || sameSuffix > 0) && !tabs) {
        // Only the bytes between the unchanged front and end (and a few around) are counted.
        SetLineLength(index, fLineLengths[static_cast<size_t>(index)] +
                                 platform::utf8::CharCountChange(fStore.View(index), text,
                                                                 samePrefix, sameSuffix));
    } else {
        SetLineLength(index, platform::utf8::CharCount(text));
    }
    Changing();
    fStore.Replace(index, text, untouched, samePrefix, tabs ? 0 : sameSuffix);
    Changed();
    fOwner->LineChanged(index);
}

void TAdvMemoStrings::SpliceLine(int index, size_t at, size_t count, std::string_view inserted) {
    CheckIndex(index);
    const std::string_view line = fStore.View(index);
    at = std::min(at, line.size());
    count = std::min(count, line.size() - at);
    if (fOwner != nullptr && inserted.find('\t') != std::string_view::npos) {
        // Tabs become spaces on the way in: the whole-line path expands them.
        std::string spliced(line);
        spliced.replace(at, count, inserted);
        PutEdited(index, spliced, at, line.size() - at - count);
        return;
    }
    int32_t length = 0;
    const bool lengthKnown =
        fOwner != nullptr && fLineLengths.size() == static_cast<size_t>(Count());
    if (lengthKnown) {
        // The count changes only around the splice: compare a window of the line before and
        // after it, long enough on both sides for any character that crosses its edges.
        constexpr size_t kMargin = 16;
        const size_t from = at - std::min(at, kMargin);
        const size_t to = std::min(line.size(), at + count + kMargin);
        const std::string_view before = line.substr(from, to - from);
        std::string after(line.substr(from, at - from));
        after.append(inserted).append(line.substr(at + count, to - at - count));
        length = fLineLengths[static_cast<size_t>(index)] +
                 platform::utf8::CharCountChange(before, after, at - from, to - at - count);
    }
    Changing();
    fStore.Splice(index, at, count, inserted);
    const std::string_view text = fStore.View(index);
    const int tabSize = fOwner != nullptr ? fOwner->TabSize() : 1;
    if (fStore.IsFileText(index, text, tabSize)) {
        fStore.MarkUntouched(index);
    }
    if (fOwner != nullptr) {
        SetLineLength(index, lengthKnown ? length : platform::utf8::CharCount(fStore.View(index)));
    }
    Changed();
    if (fOwner != nullptr) {
        fOwner->LineChanged(index);
    }
}

TObject* TAdvMemoStrings::GetObject(int index) const {
    const TLineProp* record = LineProp(index);
    return record == nullptr ? nullptr : record->CallerObject;
}

void TAdvMemoStrings::PutObject(int index, TObject* object) {
    if (index < 0 || index >= Count()) {
        return;
    }
    if (object == nullptr && !fStore.HasRecord(index)) {
        return;  // a line without a record already reads as no object
    }
    Changing();
    fStore.EnsureRecord(index).CallerObject = object;
    Changed();
}

void TAdvMemoStrings::AppendLine(std::string_view text, TObject* object) {
    Changing();
    fStore.Insert(Count(), text);
    const int index = Count() - 1;
    if (fOwner != nullptr) {
        if (!fNoRecords) {
            fStore.MarkRecord(index);
        }
        const int32_t length = platform::utf8::CharCount(text);
        fLineLengths.push_back(length);
        fLengthTracker.Add(length);
    }
    if (object != nullptr) {
        fStore.EnsureRecord(index).CallerObject = object;
    }
    Changed();
}

int TAdvMemoStrings::Add(const std::string& s) {
    return AddObject(s, nullptr);
}

int TAdvMemoStrings::AddObject(const std::string& s, TObject* object) {
    if (fOwner == nullptr) {
        AppendLine(s, object);
        return Count() - 1;
    }
    std::string text = ExpandTabs(s, fOwner->TabSize());
    std::erase(text, '\n');
    std::string_view rest = text;
    for (size_t cr = rest.find('\r'); cr != std::string_view::npos; cr = rest.find('\r')) {
        AppendLine(rest.substr(0, cr), nullptr);
        rest.remove_prefix(cr + 1);
    }
    // The caller's object rides with the last line added.
    AppendLine(rest, object);
    return Count() - 1;
}

void TAdvMemoStrings::InsertLine(int index, std::string_view text) {
    if (fOwner == nullptr) {
        Changing();
        fStore.Insert(index, text);
        Changed();
        return;
    }
    const std::string expanded = ExpandTabs(text, fOwner->TabSize());
    InsertLineLength(index, platform::utf8::CharCount(expanded));
    Changing();
    fStore.Insert(index, expanded);
    Changed();
    fOwner->LineInserted(index);
}

void TAdvMemoStrings::Insert(int index, const std::string& s) {
    if (index < 0 || index > Count()) {
        throw EStringListError(index);
    }
    if (fOwner == nullptr) {
        InsertLine(index, s);
        return;
    }
    fOwner->LinesInserting();
    std::string_view rest = s;
    for (size_t at = rest.find("\r\n"); at != std::string_view::npos; at = rest.find("\r\n")) {
        InsertLine(index++, rest.substr(0, at));
        rest.remove_prefix(at + 2);
    }
    InsertLine(index, rest);
    fOwner->LinesInserted();
}

void TAdvMemoStrings::RemoveLine(int index) {
    CheckIndex(index);
    if (fOwner != nullptr) {
        EraseLineLength(index);
    }
    Changing();
    fStore.Erase(index);
    Changed();
}

void TAdvMemoStrings::Delete(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    if (fOwner == nullptr) {
        RemoveLine(index);
        return;
    }
    fOwner->LineDeleting(index);
    if (Count() == 1) {
        Put(0, "");
    } else {
        RemoveLine(index);
    }
    fOwner->LineDeleted(index);
}

void TAdvMemoStrings::Clear() {
    fLineBreak = TLineBreak::LF;
    fFinalBreak = true;
    if (fOwner == nullptr) {
        const bool had = Count() > 0;
        if (had) {
            Changing();
        }
        fStore.Clear();
        if (had) {
            Changed();
        }
        return;
    }
    fOwner->LinesClearing();
    {
        const TUpdateBracket bracket(*this);
        fStore.FreeAllRecords();
    }
    ClearLineLengths();
    const bool had = Count() > 0;
    if (had) {
        Changing();
    }
    fStore.Clear();
    if (had) {
        Changed();
    }
}

void TAdvMemoStrings::BulkCopy(const TStrings& source, bool replace) {
    if (&source == this) {
        return;
    }
    fOwner->BulkCopyStarting();
    fStore.FreeAllRecords();
    {
        const TUpdateBracket bracket(*this);
        const TScopedValue<bool> noRecords(fNoRecords, true);
        if (replace) {
            fStore.Clear();
        }
        for (int i = 0; i < source.Count(); ++i) {
            AddObject(source.Get(i), source.GetObject(i));
        }
    }
    ClearLineLengths();
    for (int i = 0; i < Count(); ++i) {
        SetLineLength(i, platform::utf8::CharCount(fStore.View(i)));
    }
    fOwner->BulkCopyFinished();
}

void TAdvMemoStrings::Assign(const TStrings& source) {
    if (fOwner == nullptr) {
        TStrings::Assign(source);
        return;
    }
    BulkCopy(source, true);
}

void TAdvMemoStrings::AddStrings(const TStrings& source) {
    if (fOwner == nullptr) {
        TStrings::AddStrings(source);
        return;
    }
    BulkCopy(source, false);
}

}  // namespace tarnwick::editor
