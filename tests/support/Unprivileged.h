// Runs a piece of a test in a child process as an ordinary user, optionally on a small file
// system of its own, so that permission and full-disk cases are tested also where the suite
// runs as the superuser (as in CI). The child reports a failure text; empty means it passed.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace tarnwick::test {

struct ChildOutcome {
    bool skipped = false;  // the system offers no way to run the case (reason in `message`)
    std::string message;   // what failed in the child, or why it was skipped; empty: passed
};

// Runs `body` in a child process. When the test runs as the superuser, the child gives
// `folder` (recursively) to the user "nobody" (65534) and becomes that user; otherwise it keeps
// the test's user. With `diskBytes` > 0, `folder` is first covered by a fresh tmpfs of that
// size in a private mount namespace (a user namespace for an ordinary user), which disappears
// with the child: the body must check what it needs itself.
ChildOutcome RunAsOrdinaryUser(const std::string& folder, const std::function<std::string()>& body,
                               std::size_t diskBytes = 0);

}  // namespace tarnwick::test
