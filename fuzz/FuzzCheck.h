// FUZZ_CHECK(condition): an invariant of a fuzz target. A broken one prints the condition and its
// line, then aborts, which the fuzzer reports as a finding with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace tarnwick::fuzz {

[[noreturn]] inline void Fail(const char* what, int line) {
    std::fprintf(stderr, "invariant broken at line %d: %s\n", line, what);
    std::abort();
}

}  // namespace tarnwick::fuzz

#define FUZZ_CHECK(condition) ((condition) ? (void)0 : ::tarnwick::fuzz::Fail(#condition, __LINE__))
