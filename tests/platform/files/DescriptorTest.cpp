// ReadSome: a read that a signal interrupts is retried instead of being reported as a failure.
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>

#include "platform/files/Descriptor.h"

namespace tarnwick::files {
namespace {

std::atomic<int> gSignals{0};

// Whether thread tid is blocked in read(2) (system call 0 on x86-64 and its number elsewhere).
bool BlockedInRead(pid_t tid) {
    std::ifstream in("/proc/self/task/" + std::to_string(tid) + "/syscall");
    long number = -1;
    return (in >> number) && number == SYS_read;
}

template <typename Predicate>
bool WaitFor(Predicate done) {
    for (int i = 0; i < 2'000'000 && !done(); ++i) {
        std::this_thread::yield();
    }
    return done();
}

TEST(ReadSome, AReadInterruptedByASignalIsRetried) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    struct sigaction act {};
    act.sa_handler = [](int) { gSignals.fetch_add(1); };
    sigemptyset(&act.sa_mask);
    act.sa_flags = 0;  // no SA_RESTART: the blocked read fails with EINTR
    struct sigaction old {};
    ASSERT_EQ(::sigaction(SIGUSR1, &act, &old), 0);

    std::atomic<pid_t> tid{0};
    ssize_t got = -2;
    char buffer[8] = {};
    const int signalsBefore = gSignals.load();
    std::thread reader([&] {
        tid = static_cast<pid_t>(::syscall(SYS_gettid));
        got = ReadSome(fds[0], buffer, sizeof buffer);
    });
    const bool blocked = WaitFor([&] { return tid != 0 && BlockedInRead(tid); });
    ::pthread_kill(reader.native_handle(), SIGUSR1);
    const bool handled = WaitFor([&] { return gSignals.load() == signalsBefore + 1; });
    // Blocked in a read again: the interrupted one was retried, not given up.
    const bool blockedAgain = WaitFor([&] { return BlockedInRead(tid); });
    EXPECT_EQ(::write(fds[1], "abc", 3), 3);
    reader.join();
    EXPECT_TRUE(blocked);
    EXPECT_TRUE(handled);
    EXPECT_TRUE(blockedAgain);
    EXPECT_EQ(got, 3);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    ::sigaction(SIGUSR1, &old, nullptr);
    ::close(fds[0]);
    ::close(fds[1]);
}

}  // namespace
}  // namespace tarnwick::files
