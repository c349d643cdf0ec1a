#include "http/transport/TIdStack.h"

#include <array>
#include <cassert>
#include <cctype>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string_view>

#include "http/core/EIdException.h"

namespace tarnwick::http {

namespace {

constexpr int kIPv4Parts = 4;
constexpr int kIPv4PartMaximum = 255;
constexpr const char* kLocalHostName = "LOCALHOST";
constexpr const char* kLocalHostAddress = "127.0.0.1";

std::mutex& StackLock() {
    static std::mutex lock;
    return lock;
}

int gUsageCount = 0;
TIdStack* gStack = nullptr;
platform::SocketApi* gPlatformOverride = nullptr;
bool gLibraryStarted = false;

// Releases the platform socket library when the program ends, not with the last user.
struct LibraryRelease {
    ~LibraryRelease() {
        if (gLibraryStarted) {
            platform::SystemSocketApi().Cleanup();
        }
    }
};

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// The four numbers of a dotted IPv4 text, or nothing when the text is not one.
std::optional<std::array<int, kIPv4Parts>> ParseIPv4(const std::string& text) {
    std::array<int, kIPv4Parts> parts{};
    std::string_view rest(text);
    for (int i = 0; i < kIPv4Parts; ++i) {
        const std::size_t dot = rest.find('.');
        if ((i < kIPv4Parts - 1) == (dot == std::string_view::npos)) {
            return std::nullopt;
        }
        const std::string_view part = Trim(rest.substr(0, dot));
        if (part.empty() || part.size() > 3) {
            return std::nullopt;
        }
        int value = 0;
        for (char c : part) {
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
            value = value * 10 + (c - '0');
        }
        if (value > kIPv4PartMaximum) {
            return std::nullopt;
        }
        parts[i] = value;
        rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
    }
    return parts;
}

}  // namespace

void TIdStack::IncUsage() {
    // The platform interface is created before the release object, so it is destroyed after.
    platform::SocketApi& system = platform::SystemSocketApi();
    static LibraryRelease release;
    std::lock_guard guard(StackLock());
    if (gUsageCount == 0) {
        // The system library is started once per process; a replacement with every layer.
        platform::SocketApi& api = gPlatformOverride != nullptr ? *gPlatformOverride : system;
        if (&api != &system || !gLibraryStarted) {
            std::string failure;
            if (api.Startup(kRequestedVersionMajor, kRequestedVersionMinor, failure) != 0) {
                throw EIdStackInitializationFailed(failure);
            }
            gLibraryStarted = gLibraryStarted || &api == &system;
        }
        gStack = new TIdStack(api);
    }
    ++gUsageCount;
}

void TIdStack::DecUsage() {
    std::lock_guard guard(StackLock());
    assert(gUsageCount > 0);
    if (--gUsageCount == 0) {
        delete gStack;
        gStack = nullptr;
    }
}

void TIdStack::SetPlatform(platform::SocketApi* api) {
    std::lock_guard guard(StackLock());
    gPlatformOverride = api;
    if (gStack != nullptr) {
        gStack->fApi = api != nullptr ? api : &platform::SystemSocketApi();
    }
}

int TIdStack::UsageCount() {
    std::lock_guard guard(StackLock());
    return gUsageCount;
}

TIdStack& TIdStack::Instance() {
    std::lock_guard guard(StackLock());
    if (gStack == nullptr) {
        throw EIdStackInitializationFailed("The socket layer is used without a usage count.");
    }
    return *gStack;
}

platform::SocketFamily TIdStack::FamilyOf(TIdIPVersion version) {
    switch (version) {
        case TIdIPVersion::Id_IPv4:
            return platform::SocketFamily::IPv4;
        case TIdIPVersion::Id_IPv6:
            return platform::SocketFamily::IPv6;
    }
    throw EIdIPVersionUnsupported();
}

void TIdStack::Check(int code) {
    if (code != 0) {
        RaiseSocketError(code);
    }
}

platform::SocketHandle TIdStack::NewStreamSocket(TIdIPVersion version) {
    platform::SocketHandle handle = platform::kInvalidSocketHandle;
    Check(fApi->CreateStream(FamilyOf(version), handle));
    return handle;
}

platform::SocketKind TIdStack::SocketKindOf(platform::SocketHandle handle) {
    platform::SocketKind kind = platform::SocketKind::Other;
    Check(fApi->GetKind(handle, kind));
    return kind;
}

bool TIdStack::NoDelay(platform::SocketHandle handle) {
    bool noDelay = false;
    Check(fApi->GetNoDelay(handle, noDelay));
    return noDelay;
}

void TIdStack::SetNoDelay(platform::SocketHandle handle, bool noDelay) {
    Check(fApi->SetNoDelay(handle, noDelay));
}

void TIdStack::SetReuseAddress(platform::SocketHandle handle, bool reuse) {
    Check(fApi->SetReuseAddress(handle, reuse));
}

void TIdStack::Bind(platform::SocketHandle handle, TIdIPVersion version, const std::string& ip,
                    int port) {
    Check(fApi->Bind(handle, FamilyOf(version),
                     platform::SocketEndpoint{ip, static_cast<std::uint16_t>(port)}));
}

bool TIdStack::Connect(platform::SocketHandle handle, TIdIPVersion version, const std::string& ip,
                       int port, int timeoutMs) {
    bool timedOut = false;
    Check(fApi->Connect(handle, FamilyOf(version),
                        platform::SocketEndpoint{ip, static_cast<std::uint16_t>(port)}, timeoutMs,
                        timedOut));
    return !timedOut;
}

platform::SocketEndpoint TIdStack::LocalEndpoint(platform::SocketHandle handle) {
    platform::SocketEndpoint endpoint;
    Check(fApi->LocalEndpoint(handle, endpoint));
    return endpoint;
}

platform::SocketEndpoint TIdStack::PeerEndpoint(platform::SocketHandle handle) {
    platform::SocketEndpoint endpoint;
    Check(fApi->PeerEndpoint(handle, endpoint));
    return endpoint;
}

bool TIdStack::Readable(platform::SocketHandle handle, int timeoutMs) {
    bool readable = false;
    Check(fApi->WaitReadable(handle, timeoutMs, readable));
    return readable;
}

std::size_t TIdStack::Receive(platform::SocketHandle handle, std::uint8_t* data,
                              std::size_t capacity) {
    std::size_t received = 0;
    Check(fApi->Receive(handle, data, capacity, received));
    return received;
}

std::size_t TIdStack::Send(platform::SocketHandle handle, const std::uint8_t* data,
                           std::size_t count) {
    std::size_t sent = 0;
    Check(fApi->Send(handle, data, count, sent));
    return sent;
}

void TIdStack::ShutdownAndClose(platform::SocketHandle handle) {
    fApi->ShutdownSend(handle);
    fApi->Close(handle);
}

bool TIdStack::IsIPv4(const std::string& text) {
    return ParseIPv4(text).has_value();
}

bool TIdStack::IsIPv6(const std::string& text) {
    return fApi->IsAddress(text, platform::SocketFamily::IPv6);
}

std::string TIdStack::ResolveHost(const std::string& host, TIdIPVersion version) {
    switch (version) {
        case TIdIPVersion::Id_IPv4: {
            if (EqualsIgnoringCase(host, kLocalHostName)) {
                return kLocalHostAddress;
            }
            if (const auto parts = ParseIPv4(host)) {
                // Written back in plain dotted form, so that blanks around a part or leading
                // zeros (which the text rule allows) reach the platform as the same address.
                const auto& p = *parts;
                return std::to_string(p[0]) + "." + std::to_string(p[1]) + "." +
                       std::to_string(p[2]) + "." + std::to_string(p[3]);
            }
            break;
        }
        case TIdIPVersion::Id_IPv6:
            if (IsIPv6(host)) {
                return host;
            }
            break;
        default:
            throw EIdIPVersionUnsupported();
    }
    std::string address;
    Check(fApi->Resolve(host, FamilyOf(version), address));
    return address;
}

}  // namespace tarnwick::http
