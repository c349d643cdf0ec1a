// What a walk reports to the window, in the order it happened: the folder being listed, a new
// row, the found-count text after it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Interface.h"
#include "search/ResultRow.h"

namespace tarnwick::search {

struct SearchEvent {
    enum class Kind : std::uint8_t { Folder, Row, FoundCount };
    Kind kind = Kind::Folder;
    std::string text;  // folder path, or found-count text
    ResultRow row;     // for Kind::Row
};

using SearchEventBatch = std::vector<SearchEvent>;

// Receives a walk's events on the worker thread.
class SearchSink : public platform::Interface {
  public:
    virtual void Folder(const std::string& folderPath) = 0;
    virtual void Row(ResultRow row, std::string foundCountText) = 0;
    // Called between entries so buffered events never wait long for the next one.
    virtual void Tick() {}
};

}  // namespace tarnwick::search
