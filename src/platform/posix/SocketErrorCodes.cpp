#include "platform/posix/SocketErrorCodes.h"

#include <netdb.h>

#include <cerrno>
#include <utility>

namespace tarnwick::platform {

namespace {

constexpr std::pair<int, int> kErrnoToWinsock[] = {
    {EINTR, 10004},
    {EBADF, 10009},
    {EACCES, 10013},
    {EPERM, 10013},
    {EFAULT, 10014},
    {EINVAL, kWsaInvalidArgument},
    {EMFILE, 10024},
    {ENFILE, 10024},
    {EWOULDBLOCK, 10035},
    {EINPROGRESS, 10036},
    {EALREADY, 10037},
    {ENOTSOCK, 10038},
    {EDESTADDRREQ, 10039},
    {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},
    {ENOPROTOOPT, 10042},
    {EPROTONOSUPPORT, 10043},
    {ESOCKTNOSUPPORT, kWsaSocketTypeNotSupported},
    {EOPNOTSUPP, 10045},
    {EPFNOSUPPORT, 10046},
    {EAFNOSUPPORT, kWsaAddressFamilyNotSupported},
    {EADDRINUSE, 10048},
    {EADDRNOTAVAIL, 10049},
    {ENETDOWN, 10050},
    {ENETUNREACH, 10051},
    {ENETRESET, 10052},
    {ECONNABORTED, 10053},
    {ECONNRESET, kWsaConnectionReset},
    // A send towards a peer that has reset the connection; Winsock reports the reset.
    {EPIPE, kWsaConnectionReset},
    {ENOBUFS, 10055},
    {ENOMEM, kWsaNotEnoughMemory},
    {EISCONN, 10056},
    {ENOTCONN, 10057},
    {ESHUTDOWN, 10058},
    {ETOOMANYREFS, 10059},
    {ETIMEDOUT, kWsaTimedOut},
    {ECONNREFUSED, kWsaConnectionRefused},
    {ELOOP, 10062},
    {ENAMETOOLONG, 10063},
    {EHOSTDOWN, 10064},
    {EHOSTUNREACH, kWsaHostUnreachable},
    {ENOTEMPTY, 10066},
};

}  // namespace

int WinsockCodeFromErrno(int error) {
    for (const auto& [native, winsock] : kErrnoToWinsock) {
        if (native == error) {
            return winsock;
        }
    }
    return error;
}

int WinsockCodeFromResolverError(int gaiError, int savedErrno) {
    switch (gaiError) {
        case 0:
            return 0;
        case EAI_NONAME:
            return kWsaHostNotFound;
        case EAI_AGAIN:
            return kWsaTryAgain;
        case EAI_FAIL:
            return kWsaNoRecovery;
#ifdef EAI_NODATA
        case EAI_NODATA:
            return kWsaNoData;
#endif
#ifdef EAI_ADDRFAMILY
        // The host exists but has no address of the family asked for.
        case EAI_ADDRFAMILY:
            return kWsaNoData;
#endif
        case EAI_BADFLAGS:
            return kWsaInvalidArgument;
        case EAI_FAMILY:
            return kWsaAddressFamilyNotSupported;
        case EAI_MEMORY:
            return kWsaNotEnoughMemory;
        case EAI_SERVICE:
            return kWsaTypeNotFound;
        case EAI_SOCKTYPE:
            return kWsaSocketTypeNotSupported;
        case EAI_SYSTEM:
            return savedErrno != 0 ? WinsockCodeFromErrno(savedErrno) : kWsaNoRecovery;
        default:
            return kWsaNoRecovery;
    }
}

}  // namespace tarnwick::platform
