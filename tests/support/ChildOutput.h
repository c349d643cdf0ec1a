// Runs a piece of a test in a forked child process (to lower its limits or drop its privileges
// without touching the test executable) and hands back what the child reported.
#pragma once

#include <functional>
#include <string>

namespace tarnwick::test {

// Runs `body` in a child process and returns the text it returned, or "child failed" when the
// child could not be started or did not end normally.
std::string ChildOutput(const std::function<std::string()>& body);

}  // namespace tarnwick::test
