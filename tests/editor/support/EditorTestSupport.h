// Helpers for the editor tests: a run recorder, a temporary folder, file reading and writing.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "editor/highlight/HighlightRunSink.h"
#include "editor/highlight/HighlightState.h"

namespace tarnwick::editor::test {

// One run as the tests compare it: its text and state.
struct RecordedRun {
    std::string Text;
    HighlightState State;
    bool operator==(const RecordedRun&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const HighlightState& s) {
    os << "{";
    if (s.InComment)
        os << "C";
    if (s.InBracket)
        os << "B" << s.BracketStart << s.BracketEnd;
    if (s.IsNumber)
        os << "N";
    if (s.IsKeyword)
        os << "K";
    if (s.IsSymbol)
        os << "S";
    if (s.IsUrl)
        os << "U";
    if (s.IsHighlight)
        os << "H";
    return os << " " << s.StyleIndex << "}";
}

inline std::ostream& operator<<(std::ostream& os, const RecordedRun& r) {
    return os << "\"" << r.Text << "\"" << r.State;
}

class RunRecorder : public IHighlightRunSink {
  public:
    void Run(std::string_view text, const HighlightState& state) override {
        Runs.push_back({std::string(text), state});
    }
    std::vector<RecordedRun> Runs;
};

// State shorthands for expected runs.
inline HighlightState Plain(int style = -1) {
    HighlightState s;
    s.StyleIndex = style;
    return s;
}
inline HighlightState Keyword(int style = 0) {
    HighlightState s;
    s.IsKeyword = true;
    s.StyleIndex = style;
    return s;
}
inline HighlightState Number(int style = -1) {
    HighlightState s;
    s.IsNumber = true;
    s.StyleIndex = style;
    return s;
}
inline HighlightState Comment(int style = -1) {
    HighlightState s;
    s.InComment = true;
    s.StyleIndex = style;
    return s;
}

// A fresh folder removed with everything in it at the end of the test.
class TempDir {
  public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnwick-editor-XXXXXX").string();
        fPath = mkdtemp(pattern.data());
    }
    ~TempDir() {
        // Tests lock folders; unlock every one so that the whole tree can be removed.
        std::error_code ignored;
        const auto unlock = [&ignored](const std::filesystem::path& p) {
            std::filesystem::permissions(p, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        };
        unlock(fPath);
        for (auto it = std::filesystem::recursive_directory_iterator(fPath, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
                unlock(it->path());
            }
        }
        std::filesystem::remove_all(fPath, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string File(const std::string& name) const {
        return (std::filesystem::path(fPath) / name).string();
    }
    const std::string& Path() const { return fPath; }

  private:
    std::string fPath;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tarnwick::editor::test
