#include <gtest/gtest.h>

#include <netdb.h>

#include <cerrno>
#include <string>

#include "http/core/EIdException.h"
#include "http/transport/TIdBuffer.h"
#include "http/transport/TIdStack.h"
#include "platform/posix/SocketErrorCodes.h"

namespace tarnwick::http::test {

TEST(SocketErrorsTest, NativeErrorsMapOntoWinsockNumbers) {
    struct Row {
        int native;
        int winsock;
    };
    const Row rows[] = {
        {ECONNREFUSED, 10061},  {EHOSTUNREACH, 10065}, {ENETUNREACH, 10051},
        {ECONNRESET, 10054},    {ETIMEDOUT, 10060},    {EADDRINUSE, 10048},
        {EADDRNOTAVAIL, 10049}, {ENOTSOCK, 10038},     {EBADF, 10009},
        {EINVAL, 10022},        {EAGAIN, 10035},       {EINPROGRESS, 10036},
        {ENOTCONN, 10057},      {EMFILE, 10024},       {EAFNOSUPPORT, 10047},
        {EPIPE, 10054},         {ENOTEMPTY, 10066},    {0, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(platform::WinsockCodeFromErrno(row.native), row.winsock)
            << "errno " << row.native;
    }
}

TEST(SocketErrorsTest, ResolverErrorsMapOntoWinsockNumbers) {
    struct Row {
        int gai;
        int winsock;
    };
    const Row rows[] = {
        {EAI_NONAME, 11001},   {EAI_AGAIN, 11002},    {EAI_FAIL, 11003},
        {EAI_BADFLAGS, 10022}, {EAI_FAMILY, 10047},   {EAI_MEMORY, 8},
        {EAI_SERVICE, 10109},  {EAI_SOCKTYPE, 10044}, {0, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(platform::WinsockCodeFromResolverError(row.gai, 0), row.winsock)
            << "gai " << row.gai;
    }
    EXPECT_EQ(platform::WinsockCodeFromResolverError(EAI_SYSTEM, ECONNREFUSED), 10061);
}

TEST(SocketErrorsTest, MessageIsTheCodeThenCrLfThenTheText) {
    struct Row {
        int code;
        const char* message;
    };
    const Row rows[] = {
        {10061, "Socket Error # 10061\r\nConnection refused."},
        {11001, "Socket Error # 11001\r\nHost not found."},
        {10004, "Socket Error # 10004\r\nInterrupted system call."},
        {10066, "Socket Error # 10066\r\nDirectory not empty"},
        {10048, "Socket Error # 10048\r\nAddress already in use."},
        {12345, "Socket Error # 12345\r\n"},
        {11002, "Socket Error # 11002\r\n"},
    };
    for (const Row& row : rows) {
        const EIdSocketError error(row.code);
        EXPECT_EQ(error.Message(), row.message);
        EXPECT_EQ(error.LastError(), row.code);
    }
}

TEST(SocketErrorsTest, NotASocketIsASocketErrorWithItsOwnClass) {
    try {
        RaiseSocketError(10038);
        FAIL() << "no exception";
    } catch (const EIdNotASocket& e) {
        EXPECT_EQ(e.LastError(), 10038);
        EXPECT_STREQ(e.what(), "Socket Error # 10038\r\nSocket operation on non-socket.");
    }
    EXPECT_THROW(RaiseSocketError(10061), EIdSocketError);
    try {
        RaiseSocketError(10061);
    } catch (const EIdNotASocket&) {
        FAIL() << "10061 is a plain socket error";
    } catch (const EIdSocketError&) {
    }
}

TEST(SocketErrorsTest, IPv4TextRule) {
    struct Row {
        const char* text;
        bool isAddress;
    };
    const Row rows[] = {
        {"127.0.0.1", true},     {"0.0.0.0", true},    {"255.255.255.255", true},
        {" 10 . 1.2 .3 ", true}, {"256.1.1.1", false}, {"1.2.3", false},
        {"1.2.3.4.5", false},    {"1..3.4", false},    {"a.b.c.d", false},
        {"1.2.3.-4", false},     {"", false},          {"localhost", false},
        {"1.2.3.4.", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TIdStack::IsIPv4(row.text), row.isAddress) << '"' << row.text << '"';
    }
}

TEST(SocketErrorsTest, HostTextsThatNeedNoResolver) {
    TIdBuffer holdsTheStack;
    TIdStack& stack = TIdStack::Instance();
    EXPECT_EQ(stack.ResolveHost("LOCALHOST", TIdIPVersion::Id_IPv4), "127.0.0.1");
    EXPECT_EQ(stack.ResolveHost("LocalHost", TIdIPVersion::Id_IPv4), "127.0.0.1");
    EXPECT_EQ(stack.ResolveHost("10.0.0.7", TIdIPVersion::Id_IPv4), "10.0.0.7");
    EXPECT_EQ(stack.ResolveHost(" 10. 0.0.07", TIdIPVersion::Id_IPv4), "10.0.0.7");
    EXPECT_EQ(stack.ResolveHost("::1", TIdIPVersion::Id_IPv6), "::1");
    EXPECT_EQ(stack.ResolveHost("fe80::1:2", TIdIPVersion::Id_IPv6), "fe80::1:2");
    EXPECT_THROW(stack.ResolveHost("x", static_cast<TIdIPVersion>(7)), EIdIPVersionUnsupported);
}

TEST(SocketErrorsTest, UnknownHostIsHostNotFound) {
    TIdBuffer holdsTheStack;
    try {
        TIdStack::Instance().ResolveHost("no-such-host.invalid", TIdIPVersion::Id_IPv4);
        FAIL() << "resolved a name that cannot exist";
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.LastError(), 11001);
        EXPECT_EQ(e.Message(), "Socket Error # 11001\r\nHost not found.");
    }
}

}  // namespace tarnwick::http::test
