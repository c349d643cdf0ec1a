// TStringList: the plain in-memory string list. While Sorted it keeps its strings in ascending
// order under its comparison (exact or case-insensitive) and ignores duplicates on Add.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/document/Strings.h"

namespace tarnwick::editor {

class TStringList : public TStrings {
  public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> lines);

    int Count() const override { return static_cast<int>(fItems.size()); }
    std::string Get(int index) const override;
    // Reads a string without copying it; the index must be valid.
    std::string_view View(int index) const { return fItems[static_cast<size_t>(index)].text; }
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    // Sorted lists put s at its place (or return the index of an equal string already there).
    int Add(const std::string& s) override;

    bool Sorted() const { return fSorted; }
    void SetSorted(bool sorted);
    bool CaseSensitive() const { return fCaseSensitive; }
    // Changing the comparison of a sorted list sorts it again.
    void SetCaseSensitive(bool caseSensitive);

    // Bisection search of a sorted list; returns whether s is present and where it is or
    // would go. On an unsorted list it falls back to a linear search.
    bool Find(std::string_view s, int& index) const;
    int IndexOf(std::string_view s) const;
    int Compare(std::string_view a, std::string_view b) const;

  private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    void CheckIndex(int index) const;
    void Sort();

    std::vector<Item> fItems;
    bool fSorted = false;
    bool fCaseSensitive = false;
};

}  // namespace tarnwick::editor
