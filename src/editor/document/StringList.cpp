#include "editor/document/StringList.h"

#include <algorithm>

#include "editor/document/AnsiCase.h"
#include "editor/document/EditorErrors.h"

namespace tarnwick::editor {

TStringList::TStringList(std::initializer_list<std::string> lines) {
    for (const auto& line : lines) {
        Add(line);
    }
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) {
        throw EStringListError(index);
    }
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return fItems[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const std::string& s) {
    CheckIndex(index);
    Changing();
    fItems[static_cast<size_t>(index)].text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return fItems[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    fItems[static_cast<size_t>(index)].object = object;
    Changed();
}

void TStringList::Insert(int index, const std::string& s) {
    if (index < 0 || index > Count()) {
        throw EStringListError(index);
    }
    Changing();
    fItems.insert(fItems.begin() + index, Item{s, nullptr});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    fItems.erase(fItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (fItems.empty()) {
        return;
    }
    Changing();
    fItems.clear();
    Changed();
}

int TStringList::Add(const std::string& s) {
    if (!fSorted) {
        return TStrings::Add(s);
    }
    int index = 0;
    if (Find(s, index)) {
        return index;  // duplicates are ignored
    }
    Insert(index, s);
    return index;
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == fSorted) {
        return;
    }
    if (sorted) {
        Sort();
    }
    fSorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == fCaseSensitive) {
        return;
    }
    fCaseSensitive = caseSensitive;
    if (fSorted) {
        Sort();
    }
}

int TStringList::Compare(std::string_view a, std::string_view b) const {
    return fCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::Sort() {
    Changing();
    std::stable_sort(fItems.begin(), fItems.end(),
                     [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
    Changed();
}

bool TStringList::Find(std::string_view s, int& index) const {
    if (!fSorted) {
        index = IndexOf(s);
        return index >= 0;
    }
    int low = 0;
    int high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const int c = Compare(fItems[static_cast<size_t>(mid)].text, s);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                low = mid;  // keeps the first of equal strings
                break;
            }
        }
    }
    index = low;
    return found;
}

int TStringList::IndexOf(std::string_view s) const {
    for (size_t i = 0; i < fItems.size(); ++i) {
        if (Compare(fItems[i].text, s) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace tarnwick::editor
