// Timing program of the editor model. Subcommands:
//   generate PATH          writes the 100 MiB, 2,000,000-line test file
//   generate-utf8 PATH     the same file with one UTF-8 e-acute in every tenth line
//   load PATH              loads it once; prints CPU seconds, wall seconds, peak resident bytes
//   floor PATH             runs `wc -l PATH`; prints its CPU seconds and wall seconds
//   floor-chars PATH       runs `wc -m PATH` under the C.UTF-8 locale; prints the same
//   long-line              tokenizes one 10 MB line without delimiters; prints CPU seconds
//   scroll PATH            page scrolls at line 1,900,000; prints the slowest paint's and the
//                          first jump's CPU seconds
//   put PATH               Put into the loaded document; prints the slowest Put's CPU seconds
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "editor/control/AdvMemo.h"
#include "editor/highlight/AdvPascalMemoStyler.h"

namespace {

using namespace tarnwick::editor;
using Clock = std::chrono::steady_clock;

constexpr int kLines = 2'000'000;
constexpr size_t kFileBytes = 100u << 20;
constexpr size_t kLongLine = 10'000'000;
constexpr int kScrollLine = 1'900'000;
constexpr int kScreenRows = 60;
constexpr int kScreenColumns = 120;
constexpr int kPageScrolls = 20;
constexpr int kPuts = 2000;
constexpr int kRepeats = 3;
const char* const kKeyword = "foo";

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// CPU time of this thread: short operations are timed with it, so that being preempted by the
// other processes of a shared machine does not count as their cost.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double CpuSeconds(const rusage& u) {
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return CpuSeconds(usage);
}

long PeakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss * 1024L;
}

// Lines of words, numbers, a few tabs and comments, averaging the size that makes the file
// exactly kFileBytes with kLines lines and CR LF breaks. With utf8, every tenth line ends in
// a two-byte e-acute instead of its last two bytes.
int Generate(const char* path, bool utf8) {
    std::mt19937 random(42);
    const char* words[] = {"begin",     "end",     "foo",   "value", "x",  "result",
                           "{ note }",  "// tail", "12",    "$1F",   "if", "then",
                           "procedure", "3.14",    "name;", "a:"};
    const size_t average = kFileBytes / kLines - 2;
    std::string text;
    text.reserve(kFileBytes);
    for (int i = 0; i < kLines; ++i) {
        const size_t target = (random() % (2 * average + 1));
        std::string line;
        if (random() % 16 == 0) {
            line += '\t';
        }
        while (line.size() < target) {
            line += words[random() % (sizeof words / sizeof *words)];
            line += ' ';
        }
        line.resize(target);
        if (utf8 && i % 10 == 0 && line.size() >= 2) {
            line.replace(line.size() - 2, 2, "\xC3\xA9");
        }
        text += line;
        text += "\r\n";
    }
    // Pad or cut the last line so the file has exactly the intended size.
    if (text.size() < kFileBytes) {
        text.insert(text.size() - 2, std::string(kFileBytes - text.size(), 'z'));
    } else {
        const size_t over = text.size() - kFileBytes;
        const size_t lastStart = text.rfind("\r\n", text.size() - 3) + 2;
        const size_t lastLength = text.size() - 2 - lastStart;
        text.erase(lastStart, std::min(over, lastLength));
    }
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    return 0;
}

int Load(const char* path) {
    TAdvMemo memo;
    const double cpu = ProcessCpuSeconds();
    const auto start = Clock::now();
    memo.Lines().LoadFromFile(path);
    const double seconds = Seconds(start);
    const double cpuSeconds = ProcessCpuSeconds() - cpu;
    if (memo.Lines().Count() != kLines) {
        std::fprintf(stderr, "loaded %d lines, expected %d\n", memo.Lines().Count(), kLines);
        return 1;
    }
    std::printf("%.6f %.6f %ld\n", cpuSeconds, seconds, PeakResidentBytes());
    return 0;
}

// wc -l (or wc -m, counting UTF-8 characters) as the floor of reading the file: its CPU time
// (from the kernel's account of the child) and its wall time.
int Floor(const char* path, bool chars) {
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        if (chars) {
            setenv("LC_ALL", "C.UTF-8", 1);
        }
        execlp("wc", "wc", chars ? "-m" : "-l", path, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return 1;
    }
    std::printf("%.6f %.6f\n", CpuSeconds(usage), Seconds(start));
    return 0;
}

std::unique_ptr<TAdvPascalMemoStyler> ConfiguredStyler() {
    auto styler = CreateAdvPascalMemoStyler1();
    TStringList keywords;
    keywords.Add(kKeyword);
    styler->AllStyles().Items(0).SetKeyWords(keywords);
    return styler;
}

class CountingSink : public IHighlightRunSink {
  public:
    void Run(std::string_view text, const HighlightState& state) override {
        ++runs;
        characters += text.size();
        keywords += state.IsKeyword ? 1 : 0;
    }
    size_t runs = 0;
    size_t characters = 0;
    size_t keywords = 0;
};

int LongLine() {
    auto styler = ConfiguredStyler();
    TAdvMemo memo;
    memo.SetSyntaxStyles(styler.get());
    std::mt19937 random(7);
    std::string line(kLongLine, 'a');
    for (char& c : line) {
        c = static_cast<char>('a' + random() % 26);
    }
    line.replace(line.size() - 3, 3, kKeyword);  // the one place the keyword can match
    double best = 1e9;
    for (int r = 0; r < kRepeats; ++r) {
        CountingSink sink;
        const double start = ThreadSeconds();
        memo.PrepareHighlighting();
        memo.TokenizeLine(line, memo.FirstVisibleLineStartState(), sink);
        best = std::min(best, ThreadSeconds() - start);
        if (sink.characters != line.size() || sink.keywords != 1) {
            std::fprintf(stderr, "long line: %zu characters, %zu keywords\n", sink.characters,
                         sink.keywords);
            return 1;
        }
    }
    std::printf("%.6f\n", best);
    return 0;
}

// What a paint does for the highlighting: the top line's start state, then every visible line.
size_t PaintScreen(TAdvMemo& memo) {
    CountingSink sink;
    HighlightState state = memo.FirstVisibleLineStartState();
    memo.PrepareHighlighting();
    const int last = std::min(memo.Lines().Count(), memo.FirstVisibleLine() + kScreenRows);
    for (int i = memo.FirstVisibleLine(); i < last; ++i) {
        state = memo.TokenizeLine(memo.Lines().View(i), state, sink);
    }
    return sink.characters;
}

int Scroll(const char* path) {
    auto styler = ConfiguredStyler();
    TAdvMemo memo;
    memo.SetSyntaxStyles(styler.get());
    memo.SetTextAreaCells(kScreenColumns, kScreenRows);
    memo.Lines().LoadFromFile(path);
    memo.ScrollFirstVisibleLine(kScrollLine);
    const double first = ThreadSeconds();
    PaintScreen(memo);  // the jump itself: scans from the top once
    const double jump = ThreadSeconds() - first;
    double slowest = 0;
    for (int i = 0; i < kPageScrolls; ++i) {
        memo.ScrollFirstVisibleLine(memo.FirstVisibleLine() + kScreenRows);
        const double start = ThreadSeconds();
        if (PaintScreen(memo) == 0) {
            return 1;
        }
        slowest = std::max(slowest, ThreadSeconds() - start);
    }
    std::printf("%.6f %.6f\n", slowest, jump);
    return 0;
}

int Put(const char* path) {
    TAdvMemo memo;
    memo.SetTextAreaCells(kScreenColumns, kScreenRows);
    memo.Lines().LoadFromFile(path);
    int changes = 0;
    memo.OnChange = [&changes](TAdvCustomMemo&) { ++changes; };
    std::mt19937 random(3);
    double slowest = 0;
    for (int i = 0; i < kPuts; ++i) {
        int index = static_cast<int>(random() % kLines);
        std::string text = "replacement " + std::to_string(i);
        if (i % 100 == 0) {
            // The longest line shrinks: the longest length must be found again.
            const auto& lengths = memo.Lines().LineLengths();
            index = static_cast<int>(std::max_element(lengths.begin(), lengths.end()) -
                                     lengths.begin());
        }
        const double start = ThreadSeconds();
        memo.Lines().Put(index, text);
        slowest = std::max(slowest, ThreadSeconds() - start);
    }
    if (changes != kPuts) {
        return 1;
    }
    std::printf("%.6f\n", slowest);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    const char* path = argc > 2 ? argv[2] : "";
    if (command == "generate")
        return Generate(path, false);
    if (command == "generate-utf8")
        return Generate(path, true);
    if (command == "load")
        return Load(path);
    if (command == "floor")
        return Floor(path, false);
    if (command == "floor-chars")
        return Floor(path, true);
    if (command == "long-line")
        return LongLine();
    if (command == "scroll")
        return Scroll(path);
    if (command == "put")
        return Put(path);
    std::fprintf(stderr,
                 "usage: bench_editor "
                 "generate|generate-utf8|load|floor|floor-chars|long-line|scroll|put [PATH]\n");
    return 2;
}
