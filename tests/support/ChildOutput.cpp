#include "support/ChildOutput.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace tarnwick::test {

std::string ChildOutput(const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return "pipe failed";
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const std::string out = body();
        [[maybe_unused]] const ssize_t ignored = ::write(fds[1], out.data(), out.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return "child failed";
    }
    std::string result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR);) {
        if (n > 0) {
            result.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return "child failed";
    }
    return result;
}

}  // namespace tarnwick::test
