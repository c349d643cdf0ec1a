// Descriptor: an owned file descriptor, or the error number that says why there is none.
// Move-only; it closes what it owns when destroyed. The read open and the walk's folder
// handles are built on it.
#pragma once

#include <sys/types.h>
#include <cstddef>

namespace tarnwick::files {

// One read(2) from fd into buffer, retried while a signal interrupts it: the bytes read (0 at
// the end), or -1 with errno set.
ssize_t ReadSome(int fd, void* buffer, std::size_t count);

class Descriptor {
  public:
    Descriptor() = default;
    Descriptor(Descriptor&& other) noexcept;
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();

    // Opens `name` relative to the folder descriptor `dirFd` with `flags` (O_CLOEXEC is
    // added); an interrupted open is retried, a failed one keeps errno.
    static Descriptor OpenAt(int dirFd, const char* name, int flags);

    bool Ok() const { return fFd >= 0; }
    int Fd() const { return fFd; }
    // 0 while open or never opened; else why not (an errno value).
    int Error() const { return fError; }
    // The open failed because the process or the system had no descriptor left.
    bool OutOfDescriptors() const;
    // Closes the descriptor and keeps `error` as the reason there is none.
    void Fail(int error);
    // Gives up ownership of the descriptor and returns it.
    int Release();
    // Closes now; false (errno set) when the system reports a failure.
    bool Close();

  private:
    int fFd = -1;
    int fError = 0;
};

}  // namespace tarnwick::files
