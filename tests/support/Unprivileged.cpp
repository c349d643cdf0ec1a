// Child processes as an ordinary user, with an optional small file system.
#include "support/Unprivileged.h"

#include <fcntl.h>
#include <grp.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace tarnwick::test {
namespace {

constexpr uid_t kNobody = 65534;
constexpr int kSkipExit = 77;

bool WriteProcFile(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return ok;
}

void GiveToNobody(const std::string& folder) {
    std::error_code ignored;
    ::chown(folder.c_str(), kNobody, kNobody);
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        ::lchown(it->path().c_str(), kNobody, kNobody);
    }
}

// Sets up the child; returns an empty text or why the case can't run here.
std::string EnterChild(const std::string& folder, std::size_t diskBytes) {
    const bool superuser = ::geteuid() == 0;
    if (diskBytes > 0) {
        const uid_t uid = ::geteuid();
        const gid_t gid = ::getegid();
        const int flags = superuser ? CLONE_NEWNS : (CLONE_NEWUSER | CLONE_NEWNS);
        if (::unshare(flags) != 0) {
            return std::string("no private mount namespace: ") + std::strerror(errno);
        }
        if (!superuser && (!WriteProcFile("/proc/self/setgroups", "deny") ||
                           !WriteProcFile("/proc/self/uid_map",
                                          std::to_string(uid) + " " + std::to_string(uid) + " 1") ||
                           !WriteProcFile("/proc/self/gid_map", std::to_string(gid) + " " +
                                                                    std::to_string(gid) + " 1"))) {
            return "no user namespace mapping";
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return std::string("mounts can't be made private: ") + std::strerror(errno);
        }
        const std::string options = "size=" + std::to_string(diskBytes) + ",mode=0755";
        if (::mount("tarnwick-test", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                    options.c_str()) != 0) {
            return std::string("no tmpfs: ") + std::strerror(errno);
        }
    }
    if (superuser) {
        GiveToNobody(folder);
        if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
            ::setresuid(kNobody, kNobody, kNobody) != 0) {
            return std::string("can't become nobody: ") + std::strerror(errno);
        }
    } else if (diskBytes > 0) {
        // The new user namespace gave this process every capability inside it; drop them so
        // that permissions apply as to any user.
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (::syscall(SYS_capset, &header, data) != 0) {
            return std::string("capabilities can't be dropped: ") + std::strerror(errno);
        }
    }
    return {};
}

}  // namespace

ChildOutcome RunAsOrdinaryUser(const std::string& folder, const std::function<std::string()>& body,
                               std::size_t diskBytes) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return {false, "pipe failed"};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string message = EnterChild(folder, diskBytes);
        int code = kSkipExit;
        if (message.empty()) {
            try {
                message = body();
            } catch (const std::exception& e) {
                message = std::string("exception: ") + e.what();
            } catch (...) {
                message = "unknown exception";
            }
            code = message.empty() ? 0 : 1;
        }
        [[maybe_unused]] const ssize_t ignored =
            ::write(pipeFds[1], message.data(), message.size());
        ::_exit(code);
    }
    ::close(pipeFds[1]);
    if (child < 0) {
        ::close(pipeFds[0]);
        return {false, "fork failed"};
    }
    std::string message;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0) {
            message.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(pipeFds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == kSkipExit) {
        return {true, message};
    }
    if (!WIFEXITED(status)) {
        return {false, "the child ended abnormally " + message};
    }
    return {false, WEXITSTATUS(status) == 0 ? std::string() : message};
}

}  // namespace tarnwick::test
