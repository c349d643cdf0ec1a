// Timing program of find and replace in the editor against the stream tools. Subcommands:
//   plant SOURCE PATH   copies the editor benchmark's file, with the word "quill" at the start
//                       of every 20th line (100,000 times) and "zephyr" at the end of the last
//   replace-all PATH    loads PATH, replaces every "quill" by "OTHER" as Replace All does;
//                       prints the replacement's CPU seconds
//   find-last PATH      loads PATH, runs Find Next for "zephyr" from (0, 0); prints its CPU
//                       seconds
//   sed PATH            runs `sed 's/quill/OTHER/g' PATH`; prints its CPU seconds
//   grep PATH           runs `grep -m 1 -F -i -n zephyr PATH`; prints its CPU seconds
// The editor's operations are timed as this thread's CPU time, the tools as the child's user
// plus system time, both outputs going to /dev/null.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <time.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "editor/control/AdvMemo.h"
#include "editor/control/MemoFindTarget.h"
#include "editor/find/FindReplaceEngine.h"

namespace {

using namespace tarnwick::editor;

constexpr int kPlantEvery = 20;
constexpr int kPlanted = 100'000;
const char* const kWord = "quill";
const char* const kReplacement = "OTHER";
const char* const kLastWord = "zephyr";

double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

int Plant(const char* source, const char* path) {
    std::ifstream in(source, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string out;
    out.reserve(text.size() + text.size() / 10);
    int line = 0;
    int planted = 0;
    for (size_t start = 0; start < text.size(); ++line) {
        size_t end = text.find("\r\n", start);
        end = end == std::string::npos ? text.size() : end;
        if (line % kPlantEvery == kPlantEvery / 2 && planted < kPlanted) {
            out.append(kWord).append(" ");
            ++planted;
        }
        out.append(text, start, end - start);
        if (end + 2 >= text.size()) {
            out.append(" ").append(kLastWord);
        }
        out.append("\r\n");
        start = end + 2;
    }
    if (planted != kPlanted) {
        std::fprintf(stderr, "planted %d words, expected %d\n", planted, kPlanted);
        return 1;
    }
    std::ofstream(path, std::ios::binary)
        .write(out.data(), static_cast<std::streamsize>(out.size()));
    return 0;
}

int ReplaceAll(const char* path) {
    TAdvMemo memo;
    TMemoFindTarget target(memo);
    memo.Lines().LoadFromFile(path);
    const double start = ThreadSeconds();
    memo.SetCaretLine(0);
    memo.SetCaretColumn(0);
    memo.CollapseSelection();
    const int count = ReplaceAllMatches(target, kWord, kReplacement, frDown);
    memo.SetCaretLine(0);
    memo.SetCaretColumn(0);
    const double seconds = ThreadSeconds() - start;
    if (count != kPlanted) {
        std::fprintf(stderr, "replaced %d, expected %d\n", count, kPlanted);
        return 1;
    }
    std::printf("%.6f\n", seconds);
    return 0;
}

int FindLast(const char* path) {
    TAdvMemo memo;
    TMemoFindTarget target(memo);
    memo.Lines().LoadFromFile(path);
    const double start = ThreadSeconds();
    const int64_t offset = FindNext(target, kLastWord, frDown);
    const double seconds = ThreadSeconds() - start;
    if (offset < 0 || memo.CurY() != memo.Lines().Count() - 1) {
        std::fprintf(stderr, "found at %lld on line %d\n", static_cast<long long>(offset),
                     memo.CurY());
        return 1;
    }
    std::printf("%.6f\n", seconds);
    return 0;
}

// Runs a tool with its output thrown away; prints its CPU seconds.
int Peer(const char* const argv[]) {
    const pid_t child = fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execvp(argv[0], const_cast<char* const*>(argv));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return 1;
    }
    std::printf("%.6f\n",
                static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                    static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    const char* path = argc > 2 ? argv[2] : "";
    if (command == "plant" && argc > 3) {
        return Plant(path, argv[3]);
    }
    if (command == "replace-all") {
        return ReplaceAll(path);
    }
    if (command == "find-last") {
        return FindLast(path);
    }
    if (command == "sed") {
        const std::string script = std::string("s/") + kWord + "/" + kReplacement + "/g";
        const char* const args[] = {"sed", script.c_str(), path, nullptr};
        return Peer(args);
    }
    if (command == "grep") {
        const char* const args[] = {"grep", "-m", "1", "-F", "-i", "-n", kLastWord, path, nullptr};
        return Peer(args);
    }
    std::fprintf(stderr,
                 "usage: bench_find_replace plant SOURCE PATH | "
                 "replace-all|find-last|sed|grep PATH\n");
    return 2;
}
