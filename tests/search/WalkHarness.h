// Runs folder walks on the test thread and records what they report.
#pragma once

#include <string>
#include <vector>

#include "search/FolderWalk.h"
#include "support/FakeTypeNames.h"
#include "support/FixedLocale.h"

namespace tarnwick::testing {

class RecordingSink final : public search::SearchSink {
  public:
    void Folder(const std::string& folderPath) override { folders.push_back(folderPath); }
    void Row(search::ResultRow row, std::string foundCountText) override {
        rows.push_back(std::move(row));
        counts.push_back(std::move(foundCountText));
    }
    void Clear() {
        folders.clear();
        rows.clear();
        counts.clear();
    }
    std::vector<std::string> folders;
    std::vector<search::ResultRow> rows;
    std::vector<std::string> counts;
};

struct WalkHarness {
    search::SearchState state;
    search::SearchOptions options;
    FakeTypeNames typeNames;
    FixedLocale locale;
    RecordingSink sink;
    std::string contentText;
    std::size_t contentHelpers = search::DefaultContentHelpers();

    WalkHarness() { state.Running = true; }

    // Walks `root` and returns the rows' paths relative to `base` (or full when base is empty).
    std::vector<std::string> Walk(const std::string& root, const std::string& nameText,
                                  bool recurse, const std::string& base = {},
                                  std::size_t chunkSize = 0) {
        search::WalkContext context{state,
                                    options,
                                    typeNames,
                                    locale,
                                    &sink,
                                    contentText,
                                    std::chrono::microseconds(0),
                                    chunkSize,
                                    contentHelpers};
        search::TFolderWalk walk(context);
        sink.Clear();
        walk.WalkFolder(root, nameText, recurse);
        std::vector<std::string> paths;
        for (const auto& row : sink.rows) {
            paths.push_back(base.empty() ? row.Path : row.Path.substr(base.size() + 1));
        }
        return paths;
    }
};

}  // namespace tarnwick::testing
