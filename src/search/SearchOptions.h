// The search inputs, kept equal to the main window's controls by the UI thread and read by the
// search worker while it walks. Flags are atomics; the texts are copied under a lock. A change
// counter lets the walk notice a changed list text without re-reading it for every entry.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace tarnwick {

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

    bool Recurse() const { return recurse_.load(); }
    void SetRecurse(bool on) { recurse_.store(on); }
    bool IncludeHidden() const { return includeHidden_.load(); }
    void SetIncludeHidden(bool on) { includeHidden_.store(on); }
    bool WholeWord() const { return wholeWord_.load(); }
    void SetWholeWord(bool on) { wholeWord_.store(on); }
    FilterMode Filter() const { return filter_.load(); }
    void SetFilter(FilterMode mode) { filter_.store(mode); }

    // Grows whenever a list text changes; equal values mean equal list texts.
    std::uint64_t ListVersion() const { return listVersion_.load(std::memory_order_acquire); }

  private:
    std::string Read(const std::string& field) const;
    void Write(std::string& field, std::string text);

    mutable std::mutex textLock_;
    std::string nameText_;
    std::string containingText_;
    std::string lookIn_;
    std::string excludeList_ = kDefaultExcludeList;
    std::string includeList_ = kDefaultIncludeList;
    std::atomic<std::uint64_t> listVersion_{0};
    std::atomic<bool> recurse_{true};
    std::atomic<bool> includeHidden_{false};
    std::atomic<bool> wholeWord_{false};
    std::atomic<FilterMode> filter_{FilterMode::Exclude};
};

}  // namespace tarnwick
