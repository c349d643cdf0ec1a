// Translation of POSIX socket and resolver failures onto the Winsock error numbers that the
// HTTP client reports. Every native value maps to exactly one number; 0 stays 0.
#pragma once

namespace tarnwick::platform {

// Winsock numbers used by the translation and by callers that test for them.
inline constexpr int kWsaNotEnoughMemory = 8;
inline constexpr int kWsaInvalidArgument = 10022;
inline constexpr int kWsaSocketTypeNotSupported = 10044;
inline constexpr int kWsaAddressFamilyNotSupported = 10047;
inline constexpr int kWsaConnectionReset = 10054;
inline constexpr int kWsaTimedOut = 10060;
inline constexpr int kWsaConnectionRefused = 10061;
inline constexpr int kWsaHostUnreachable = 10065;
inline constexpr int kWsaTypeNotFound = 10109;
inline constexpr int kWsaHostNotFound = 11001;
inline constexpr int kWsaTryAgain = 11002;
inline constexpr int kWsaNoRecovery = 11003;
inline constexpr int kWsaNoData = 11004;

// An errno value of a socket call; values without a Winsock counterpart pass unchanged.
int WinsockCodeFromErrno(int error);

// A getaddrinfo result code; EAI_SYSTEM is translated through `savedErrno`.
int WinsockCodeFromResolverError(int gaiError, int savedErrno);

}  // namespace tarnwick::platform
