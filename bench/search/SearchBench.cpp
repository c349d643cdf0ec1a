// Times the folder walk (pause 0) against the standard tools on the same trees, in one run:
//   search_name:    name walk, a name text matching ~1% of entries, vs find -xdev -iname 'T*'
//   search_name_fd: the same name walk vs fd (fdfind -HI -i --one-file-system -g 'T*'), the
//                   fastest walker around (it walks on every core)
//   search_content: content walk, a text found in ~1% of files, vs grep -rlF T
//   search_content_rg: the same content walk vs ripgrep (rg -l -F -uuu --one-file-system T),
//                   every file like ours with an empty extension list: hidden, ignored and
//                   binary ones included
// and the same on /usr. Prints "NAME: ours=X entries/s peer=Y entries/s ratio=R" followed by
// both sides' hit counts, "ours_hits=N peer_hits=M".
// Arguments: benchmark names to run only those; --no-usr to skip the /usr trees;
// --content-helpers=N to test files on N helper threads instead of the walk's default.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "search/FolderWalk.h"
#include "search/RowTexts.h"
#ifdef TARNWICK_BENCH_QT_TYPES
#include "platform/qt/QtTypeNames.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;

// Type names by extension, for core-only builds without the MIME database.
class ExtensionTypeNames final : public tarnwick::platform::TypeNames {
  public:
    tarnwick::platform::TypeDescription DescribeFile(const std::string& path) const override {
        const auto dot = path.rfind('.');
        return {dot == std::string::npos ? "File" : path.substr(dot + 1) + " file", "text-plain"};
    }
};

class CountingSink final : public tarnwick::search::SearchSink {
  public:
    void Folder(const std::string&) override {}
    void Row(tarnwick::search::ResultRow row, std::string) override {
        ++rows;
        bytes += row.Path.size();
    }
    std::size_t rows = 0;
    std::size_t bytes = 0;
};

struct Timed {
    double seconds = 0;
    std::size_t hits = 0;
};

std::size_t g_contentHelpers = tarnwick::search::DefaultContentHelpers();

Timed RunOurs(const std::string& root, const std::string& nameText,
              const std::string& contentText) {
    tarnwick::search::SearchState state;
    state.Running = true;
    tarnwick::search::SearchOptions options;
    options.SetIncludeHidden(true);  // find and grep see hidden entries too
#ifdef TARNWICK_BENCH_QT_TYPES
    const tarnwick::platform::QtTypeNames types;
#else
    const ExtensionTypeNames types;
#endif
    const auto locale = tarnwick::platform::LocaleFormats::CreateSystem();
    CountingSink sink;
    tarnwick::search::WalkContext context{
        state, options,         types, *locale, &sink, contentText, std::chrono::microseconds(0),
        0,     g_contentHelpers};
    const auto start = Clock::now();
    tarnwick::search::TFolderWalk walk(context);
    walk.WalkFolder(root, nameText, true);
    return {std::chrono::duration<double>(Clock::now() - start).count(), sink.rows};
}

Timed RunPeer(const std::string& command) {
    const auto start = Clock::now();
    FILE* out = ::popen(command.c_str(), "r");
    if (out == nullptr) {
        std::perror("popen");
        std::exit(1);
    }
    std::size_t lines = 0;
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, out)) > 0) {
        lines += static_cast<std::size_t>(std::count(buffer, buffer + n, '\n'));
    }
    ::pclose(out);
    return {std::chrono::duration<double>(Clock::now() - start).count(), lines};
}

// fd as Debian installs it: hidden entries and ignore files like find (-HI), letter case
// ignored, one file system, the name text as a glob on the file name.
std::string FdCommand(const std::string& root, const std::string& nameText) {
    return "fdfind -HI -i --one-file-system -g '" + nameText + "*' '" + root + "'";
}

// Whether a peer's command is installed; when not, says which figures are skipped.
bool HaveCommand(const std::string& command, const char* package, const char* figures) {
    const bool have = std::system(("command -v " + command + " >/dev/null 2>&1").c_str()) == 0;
    if (!have) {
        std::fprintf(stderr, "%s not found (Debian package %s): %s figures skipped\n",
                     command.c_str(), package, figures);
    }
    return have;
}

bool HaveFd() {
    static const bool have = HaveCommand("fdfind", "fd-find", "fd");
    return have;
}

// ripgrep on every file (-uuu: hidden files, ignore files disregarded, binary files searched
// whole), one file system, the text as a literal, listing the files that hold it.
std::string RgCommand(const std::string& root, const std::string& text) {
    return "rg -l -F -uuu --one-file-system '" + text + "' '" + root + "'";
}

bool HaveRg() {
    static const bool have = HaveCommand("rg", "ripgrep", "ripgrep");
    return have;
}

std::size_t CountEntries(const std::string& root) {
    return RunPeer("find '" + root + "' -xdev -mindepth 1 2>/dev/null").hits;
}

// Benchmarks named on the command line run alone (all of them when none is named).
std::vector<std::string> g_selected;

bool Selected(const std::string& label) {
    return g_selected.empty() ||
           std::find(g_selected.begin(), g_selected.end(), label) != g_selected.end();
}

// Best of `rounds` after one warm-up of each side, so both read from a warm cache.
void Compare(const std::string& label, std::size_t entries, int rounds,
             const std::function<Timed()>& ours, const std::function<Timed()>& peer) {
    if (!Selected(label)) {
        return;
    }
    ours();
    peer();
    Timed bestOurs{1e300, 0}, bestPeer{1e300, 0};
    for (int i = 0; i < rounds; ++i) {
        const Timed o = ours();
        const Timed p = peer();
        if (o.seconds < bestOurs.seconds) {
            bestOurs = o;
        }
        if (p.seconds < bestPeer.seconds) {
            bestPeer = p;
        }
    }
    const double oursRate = static_cast<double>(entries) / bestOurs.seconds;
    const double peerRate = static_cast<double>(entries) / bestPeer.seconds;
    std::printf(
        "%s: ours=%.0f entries/s peer=%.0f entries/s ratio=%.2f ours_hits=%zu peer_hits=%zu\n",
        label.c_str(), oursRate, peerRate, oursRate / peerRate, bestOurs.hits, bestPeer.hits);
    std::fprintf(stderr, "  (%zu entries; ours %.3f s, %zu hits; peer %.3f s, %zu hits)\n", entries,
                 bestOurs.seconds, bestOurs.hits, bestPeer.seconds, bestPeer.hits);
    std::fflush(stdout);
}

// 20 x 10 x 10 leaf folders of 100 files each: 200,000 files and 2,220 folders. Every 100th
// file is named "needle-..." and a different 1% holds the word "quokka".
void GenerateTree(const std::string& root) {
    const std::string filler =
        "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor\n"
        "incididunt ut labore et dolore magna aliqua. Ut enim ad minim veniam, quis nostrud\n"
        "exercitation ullamco laboris nisi ut aliquip ex ea commodo consequat.\n";
    std::size_t n = 0;
    for (int a = 0; a < 20; ++a) {
        for (int b = 0; b < 10; ++b) {
            for (int c = 0; c < 10; ++c) {
                const std::string dir = root + "/d" + std::to_string(a) + "/s" + std::to_string(b) +
                                        "/t" + std::to_string(c);
                std::filesystem::create_directories(dir);
                for (int f = 0; f < 100; ++f, ++n) {
                    const bool nameHit = n % 100 == 0;
                    const bool contentHit = n % 100 == 50;
                    const std::string name = (nameHit ? "needle-" : "file-") + std::to_string(n) +
                                             (f % 3 == 0   ? ".txt"
                                              : f % 3 == 1 ? ".c"
                                                           : ".md");
                    std::ofstream out(dir + "/" + name, std::ios::binary);
                    out << filler;
                    if (contentHit) {
                        out << "the quokka smiles\n";
                    }
                    out << filler;
                }
            }
        }
    }
}

// The walks on the generated tree, which lives in a temporary folder for the run.
int RunGeneratedTree() {
    char pattern[] = "/tmp/tarnwick-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string root = pattern;
    std::fprintf(stderr, "generating the tree in %s ...\n", root.c_str());
    GenerateTree(root);
    const std::size_t entries = CountEntries(root);

    Compare(
        "search_name", entries, 3, [&] { return RunOurs(root, "needle", ""); },
        [&] { return RunPeer("find '" + root + "' -xdev -iname 'needle*'"); });
    if (HaveFd()) {
        Compare(
            "search_name_fd", entries, 3, [&] { return RunOurs(root, "needle", ""); },
            [&] { return RunPeer(FdCommand(root, "needle")); });
    }
    Compare(
        "search_content", entries, 3, [&] { return RunOurs(root, "", "quokka"); },
        [&] { return RunPeer("grep -rlF quokka '" + root + "'"); });
    if (HaveRg()) {
        Compare(
            "search_content_rg", entries, 3, [&] { return RunOurs(root, "", "quokka"); },
            [&] { return RunPeer(RgCommand(root, "quokka")); });
    }
    std::filesystem::remove_all(root);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool skipUsr = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-usr") {
            skipUsr = true;
        } else if (arg.rfind("--content-helpers=", 0) == 0) {
            g_contentHelpers = std::stoul(arg.substr(arg.find('=') + 1));
        } else {
            g_selected.push_back(arg);
        }
    }
    const bool treeSelected = Selected("search_name") || Selected("search_name_fd") ||
                              Selected("search_content") || Selected("search_content_rg");
    if (treeSelected && RunGeneratedTree() != 0) {
        return 1;
    }

    if (!skipUsr) {
        const std::size_t usrEntries = CountEntries("/usr");
        Compare(
            "search_name_usr", usrEntries, 3, [&] { return RunOurs("/usr", "lib", ""); },
            [&] { return RunPeer("find /usr -xdev -iname 'lib*' 2>/dev/null"); });
        if (HaveFd()) {
            Compare(
                "search_name_usr_fd", usrEntries, 3, [&] { return RunOurs("/usr", "lib", ""); },
                [&] { return RunPeer(FdCommand("/usr", "lib") + " 2>/dev/null"); });
        }
        Compare(
            "search_content_usr", usrEntries, 1,
            [&] { return RunOurs("/usr", "", "ZQXJWVK-tarnwick"); },
            [&] { return RunPeer("grep -rlF ZQXJWVK-tarnwick /usr 2>/dev/null"); });
        if (HaveRg()) {
            Compare(
                "search_content_usr_rg", usrEntries, 3,
                [&] { return RunOurs("/usr", "", "ZQXJWVK-tarnwick"); },
                [&] { return RunPeer(RgCommand("/usr", "ZQXJWVK-tarnwick") + " 2>/dev/null"); });
        }
    }
    return 0;
}
