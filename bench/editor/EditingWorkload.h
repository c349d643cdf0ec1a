// The editing workload shared by our editing benchmark and the peer's: where the character is
// typed, the text that is pasted, and a thread CPU clock.
#pragma once

#include <time.h>

#include <random>
#include <string>

namespace tarnwick::bench {

constexpr int kTypeLine = 700'000;
constexpr int kTypes = 200;                 // characters typed; the slowest one counts
constexpr int kPasteLines = 150'000;        // lines of the pasted text ...
constexpr size_t kPasteBytes = 10'000'000;  // ... and its size
constexpr int kRepeats = 3;                 // runs of the large operations; the best counts

// CPU time of this thread: being preempted by other processes does not count.
inline double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// kPasteLines lines of words, CR LF between them, kPasteBytes in all.
inline std::string PasteText() {
    std::mt19937 random(11);
    const char* words[] = {"alpha", "beta", "gamma", "delta", "42", "x", "(y)", "z;"};
    const size_t perLine = kPasteBytes / kPasteLines - 2;
    std::string text;
    text.reserve(kPasteBytes + perLine);
    for (int i = 0; i < kPasteLines; ++i) {
        std::string line;
        while (line.size() < perLine) {
            line += words[random() % 8];
            line += ' ';
        }
        line.resize(perLine);
        text += line;
        if (i + 1 < kPasteLines) {
            text += "\r\n";
        }
    }
    return text;
}

}  // namespace tarnwick::bench
