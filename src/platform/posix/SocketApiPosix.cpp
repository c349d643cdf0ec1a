#include "platform/posix/SocketApiPosix.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/posix/SocketErrorCodes.h"

namespace tarnwick::platform {

namespace {

// The socket address of an endpoint, built from its text form.
struct NativeAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;
};

int FamilyOf(SocketFamily family) {
    return family == SocketFamily::IPv6 ? AF_INET6 : AF_INET;
}

int LastError() {
    return WinsockCodeFromErrno(errno);
}

int ToNative(SocketFamily family, const SocketEndpoint& endpoint, NativeAddress& out) {
    out = NativeAddress{};
    if (family == SocketFamily::IPv6) {
        auto* a = reinterpret_cast<sockaddr_in6*>(&out.storage);
        a->sin6_family = AF_INET6;
        a->sin6_port = htons(endpoint.Port);
        if (endpoint.IP.empty()) {
            a->sin6_addr = in6addr_any;
        } else if (inet_pton(AF_INET6, endpoint.IP.c_str(), &a->sin6_addr) != 1) {
            return kWsaInvalidArgument;
        }
        out.length = sizeof(sockaddr_in6);
    } else {
        auto* a = reinterpret_cast<sockaddr_in*>(&out.storage);
        a->sin_family = AF_INET;
        a->sin_port = htons(endpoint.Port);
        if (endpoint.IP.empty()) {
            a->sin_addr.s_addr = htonl(INADDR_ANY);
        } else if (inet_pton(AF_INET, endpoint.IP.c_str(), &a->sin_addr) != 1) {
            return kWsaInvalidArgument;
        }
        out.length = sizeof(sockaddr_in);
    }
    return 0;
}

int FromNative(const sockaddr_storage& storage, SocketEndpoint& out) {
    char text[INET6_ADDRSTRLEN] = {};
    if (storage.ss_family == AF_INET6) {
        const auto* a = reinterpret_cast<const sockaddr_in6*>(&storage);
        inet_ntop(AF_INET6, &a->sin6_addr, text, sizeof text);
        out.Port = ntohs(a->sin6_port);
    } else if (storage.ss_family == AF_INET) {
        const auto* a = reinterpret_cast<const sockaddr_in*>(&storage);
        inet_ntop(AF_INET, &a->sin_addr, text, sizeof text);
        out.Port = ntohs(a->sin_port);
    } else {
        return kWsaAddressFamilyNotSupported;
    }
    out.IP = text;
    return 0;
}

// Milliseconds left of a deadline, never negative.
int RemainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Polls one descriptor for the events; retries after signals. Returns the poll result.
int PollOne(int fd, short events, int timeoutMs, short& revents) {
    const bool limited = timeoutMs >= 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd p{fd, events, 0};
        const int r = poll(&p, 1, limited ? RemainingMs(deadline) : -1);
        if (r >= 0) {
            revents = p.revents;
            return r;
        }
        if (errno != EINTR) {
            return -1;
        }
    }
}

bool HasNonAscii(const std::string& text) {
    for (unsigned char c : text) {
        if (c >= 0x80) {
            return true;
        }
    }
    return false;
}

// Waits for a non-blocking connect to finish within the time; returns its result.
int FinishConnect(int fd, int timeoutMs, bool& timedOut) {
    short revents = 0;
    const int r = PollOne(fd, POLLOUT, timeoutMs, revents);
    if (r < 0) {
        return LastError();
    }
    if (r == 0) {
        timedOut = true;
        return 0;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
        return LastError();
    }
    return WinsockCodeFromErrno(error);
}

}  // namespace

int PosixSocketApi::Startup(int, int, std::string&) {
    return 0;
}

void PosixSocketApi::Cleanup() {}

int PosixSocketApi::CreateStream(SocketFamily family, SocketHandle& handle) {
    const int fd = socket(FamilyOf(family), SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        handle = kInvalidSocketHandle;
        return LastError();
    }
    handle = fd;
    return 0;
}

int PosixSocketApi::GetKind(SocketHandle handle, SocketKind& kind) {
    int type = 0;
    socklen_t length = sizeof type;
    if (getsockopt(static_cast<int>(handle), SOL_SOCKET, SO_TYPE, &type, &length) != 0) {
        return LastError();
    }
    kind = type == SOCK_STREAM  ? SocketKind::Stream
           : type == SOCK_DGRAM ? SocketKind::Datagram
                                : SocketKind::Other;
    return 0;
}

int PosixSocketApi::GetNoDelay(SocketHandle handle, bool& noDelay) {
    int value = 0;
    socklen_t length = sizeof value;
    if (getsockopt(static_cast<int>(handle), IPPROTO_TCP, TCP_NODELAY, &value, &length) != 0) {
        return LastError();
    }
    noDelay = value != 0;
    return 0;
}

int PosixSocketApi::SetNoDelay(SocketHandle handle, bool noDelay) {
    const int value = noDelay ? 1 : 0;
    if (setsockopt(static_cast<int>(handle), IPPROTO_TCP, TCP_NODELAY, &value, sizeof value) != 0) {
        return LastError();
    }
    return 0;
}

int PosixSocketApi::SetReuseAddress(SocketHandle handle, bool reuse) {
    const int value = reuse ? 1 : 0;
    if (setsockopt(static_cast<int>(handle), SOL_SOCKET, SO_REUSEADDR, &value, sizeof value) != 0) {
        return LastError();
    }
    return 0;
}

int PosixSocketApi::Bind(SocketHandle handle, SocketFamily family, const SocketEndpoint& local) {
    NativeAddress address;
    if (const int error = ToNative(family, local, address); error != 0) {
        return error;
    }
    const int fd = static_cast<int>(handle);
#ifdef IP_BIND_ADDRESS_NO_PORT
    // A client that lets the platform choose its port: defer the choice to connect, so the
    // port only has to be unique per destination, as it is without an explicit bind.
    if (local.Port == 0) {
        const int on = 1;
        setsockopt(fd, IPPROTO_IP, IP_BIND_ADDRESS_NO_PORT, &on, sizeof on);
    }
#endif
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address.storage), address.length) != 0) {
        return LastError();
    }
    return 0;
}

int PosixSocketApi::Connect(SocketHandle handle, SocketFamily family, const SocketEndpoint& peer,
                            int timeoutMs, bool& timedOut) {
    timedOut = false;
    NativeAddress address;
    if (const int error = ToNative(family, peer, address); error != 0) {
        return error;
    }
    const int fd = static_cast<int>(handle);
    const auto* target = reinterpret_cast<const sockaddr*>(&address.storage);
    if (timeoutMs <= 0) {
        if (connect(fd, target, address.length) == 0) {
            return 0;
        }
        if (errno != EINTR) {
            return LastError();
        }
        // Interrupted: the connect goes on in the background; wait for its outcome.
        return FinishConnect(fd, -1, timedOut);
    }
    // A limited connect runs non-blocking and is watched with poll, so that running out of
    // time never leaves a thread stuck in a connect call that nothing can interrupt.
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) {
        return LastError();
    }
    int result = 0;
    if (connect(fd, target, address.length) != 0) {
        result = (errno == EINPROGRESS || errno == EINTR) ? FinishConnect(fd, timeoutMs, timedOut)
                                                          : LastError();
    }
    if (fcntl(fd, F_SETFL, flags) != 0 && result == 0 && !timedOut) {
        result = LastError();
    }
    return result;
}

int PosixSocketApi::LocalEndpoint(SocketHandle handle, SocketEndpoint& local) {
    sockaddr_storage storage{};
    socklen_t length = sizeof storage;
    if (getsockname(static_cast<int>(handle), reinterpret_cast<sockaddr*>(&storage), &length) !=
        0) {
        return LastError();
    }
    return FromNative(storage, local);
}

int PosixSocketApi::PeerEndpoint(SocketHandle handle, SocketEndpoint& peer) {
    sockaddr_storage storage{};
    socklen_t length = sizeof storage;
    if (getpeername(static_cast<int>(handle), reinterpret_cast<sockaddr*>(&storage), &length) !=
        0) {
        return LastError();
    }
    return FromNative(storage, peer);
}

int PosixSocketApi::WaitReadable(SocketHandle handle, int timeoutMs, bool& readable) {
    short revents = 0;
    const int r = PollOne(static_cast<int>(handle), POLLIN, timeoutMs, revents);
    if (r < 0) {
        readable = false;
        return LastError();
    }
    if (r > 0 && (revents & POLLNVAL) != 0) {
        readable = false;
        return WinsockCodeFromErrno(EBADF);
    }
    // End of stream and errors count as readable: the receive that follows reports them.
    readable = r > 0;
    return 0;
}

int PosixSocketApi::Receive(SocketHandle handle, std::uint8_t* data, std::size_t capacity,
                            std::size_t& received) {
    for (;;) {
        const ssize_t n = recv(static_cast<int>(handle), data, capacity, 0);
        if (n >= 0) {
            received = static_cast<std::size_t>(n);
            return 0;
        }
        if (errno != EINTR) {
            received = 0;
            return LastError();
        }
    }
}

int PosixSocketApi::Send(SocketHandle handle, const std::uint8_t* data, std::size_t count,
                         std::size_t& sent) {
    for (;;) {
        // MSG_NOSIGNAL: a peer that has gone away is an error to report, not a signal that
        // ends the process.
        const ssize_t n = send(static_cast<int>(handle), data, count, MSG_NOSIGNAL);
        if (n >= 0) {
            sent = static_cast<std::size_t>(n);
            return 0;
        }
        if (errno != EINTR) {
            sent = 0;
            return LastError();
        }
    }
}

int PosixSocketApi::ShutdownSend(SocketHandle handle) {
    if (shutdown(static_cast<int>(handle), SHUT_WR) != 0) {
        return LastError();
    }
    return 0;
}

int PosixSocketApi::Close(SocketHandle handle) {
    // No retry after EINTR: on Linux the descriptor is released even then.
    if (close(static_cast<int>(handle)) != 0 && errno != EINTR) {
        return LastError();
    }
    return 0;
}

int PosixSocketApi::Resolve(const std::string& host, SocketFamily family, std::string& address) {
    addrinfo hints{};
    hints.ai_family = FamilyOf(family);
    hints.ai_socktype = SOCK_STREAM;
#ifdef AI_IDN
    // Internationalised names go to the resolver in their ASCII form.
    if (HasNonAscii(host)) {
        hints.ai_flags |= AI_IDN;
    }
#endif
    addrinfo* results = nullptr;
    errno = 0;
    const int status = getaddrinfo(host.c_str(), nullptr, &hints, &results);
    if (status != 0) {
        return WinsockCodeFromResolverError(status, errno);
    }
    int error = kWsaHostNotFound;
    for (const addrinfo* r = results; r != nullptr; r = r->ai_next) {
        if (r->ai_family == hints.ai_family && r->ai_addr != nullptr) {
            sockaddr_storage storage{};
            std::memcpy(&storage, r->ai_addr, r->ai_addrlen);
            SocketEndpoint endpoint;
            error = FromNative(storage, endpoint);
            address = endpoint.IP;
            break;
        }
    }
    freeaddrinfo(results);
    return error;
}

bool PosixSocketApi::IsAddress(const std::string& text, SocketFamily family) {
    in6_addr buffer{};
    return inet_pton(FamilyOf(family), text.c_str(), &buffer) == 1;
}

SocketApi& SystemSocketApi() {
    static PosixSocketApi api;
    return api;
}

}  // namespace tarnwick::platform
