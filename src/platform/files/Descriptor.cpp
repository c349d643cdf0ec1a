#include "platform/files/Descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace tarnwick::files {

ssize_t ReadSome(int fd, void* buffer, std::size_t count) {
    ssize_t n = 0;
    do {
        n = ::read(fd, buffer, count);
    } while (n < 0 && errno == EINTR);
    return n;
}

Descriptor::Descriptor(Descriptor&& other) noexcept
    : fFd(std::exchange(other.fFd, -1)), fError(other.fError) {}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        Close();
        fFd = std::exchange(other.fFd, -1);
        fError = other.fError;
    }
    return *this;
}

Descriptor::~Descriptor() {
    Close();
}

Descriptor Descriptor::OpenAt(int dirFd, const char* name, int flags) {
    Descriptor d;
    do {
        d.fFd = ::openat(dirFd, name, flags | O_CLOEXEC);
    } while (d.fFd < 0 && errno == EINTR);
    d.fError = d.fFd < 0 ? errno : 0;
    return d;
}

bool Descriptor::OutOfDescriptors() const {
    return fFd < 0 && (fError == EMFILE || fError == ENFILE);
}

void Descriptor::Fail(int error) {
    Close();
    fError = error;
}

int Descriptor::Release() {
    return std::exchange(fFd, -1);
}

bool Descriptor::Close() {
    if (fFd < 0) {
        return true;
    }
    return ::close(std::exchange(fFd, -1)) == 0;
}

}  // namespace tarnwick::files
