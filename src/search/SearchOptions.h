// The search inputs, kept equal to the main window's controls by the UI thread and read by the
// search worker while it walks. Flags are atomics; the texts are copied under a lock. A change
// counter lets the walk notice a changed list text without re-reading it for every entry.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace tarnwick::search {

enum class FilterMode : std::uint8_t { Exclude, Include };

inline constexpr const char* kDefaultExcludeList = "exe,dll,sys,ico,dat,bin";
inline constexpr const char* kDefaultIncludeList = "txt,doc,ini,html,htm,php";

class SearchOptions {
  public:
    SearchOptions() = default;
    SearchOptions(const SearchOptions&) = delete;  // shared by reference with the worker
    SearchOptions& operator=(const SearchOptions&) = delete;

    std::string NameText() const;
    void SetNameText(std::string text);
    std::string ContainingText() const;
    void SetContainingText(std::string text);
    std::string LookIn() const;
    void SetLookIn(std::string text);
    std::string ExcludeListText() const;
    void SetExcludeListText(std::string text);
    std::string IncludeListText() const;
    void SetIncludeListText(std::string text);

    bool Recurse() const { return fRecurse.load(); }
    void SetRecurse(bool on) { fRecurse.store(on); }
    bool IncludeHidden() const { return fIncludeHidden.load(); }
    void SetIncludeHidden(bool on) { fIncludeHidden.store(on); }
    bool WholeWord() const { return fWholeWord.load(); }
    void SetWholeWord(bool on) { fWholeWord.store(on); }
    FilterMode Filter() const { return fFilter.load(); }
    void SetFilter(FilterMode mode) { fFilter.store(mode); }

    // Grows whenever a list text changes; equal values mean equal list texts.
    std::uint64_t ListVersion() const { return fListVersion.load(std::memory_order_acquire); }

  private:
    std::string Read(const std::string& field) const;
    void Write(std::string& field, std::string text);

    mutable std::mutex fTextLock;
    std::string fNameText;
    std::string fContainingText;
    std::string fLookIn;
    std::string fExcludeList = kDefaultExcludeList;
    std::string fIncludeList = kDefaultIncludeList;
    std::atomic<std::uint64_t> fListVersion{0};
    std::atomic<bool> fRecurse{true};
    std::atomic<bool> fIncludeHidden{false};
    std::atomic<bool> fWholeWord{false};
    std::atomic<FilterMode> fFilter{FilterMode::Exclude};
};

}  // namespace tarnwick::search
