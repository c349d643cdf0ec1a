// The process-wide shell instance.
#include "platform/Shell.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <vector>

namespace tarnwick::platform {
namespace {

std::atomic<Shell*> installedShell{nullptr};

}  // namespace

Shell* Shell::Installed() {
    return installedShell.load();
}

void Shell::Install(Shell* shell) {
    installedShell.store(shell);
}

namespace {

bool IsAsciiAlnum(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool KeptInUri(unsigned char c) {
    return IsAsciiAlnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
}

std::string WorkingDirectory() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return "/";
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

}  // namespace

std::string FileUri(const std::string& path) {
    std::string absolute = path;
    if (absolute.empty() || absolute.front() != '/') {
        std::string folder = WorkingDirectory();
        if (folder.back() != '/') {
            folder.push_back('/');
        }
        absolute.insert(0, folder);
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    uri.reserve(uri.size() + absolute.size() * 3);
    for (const char ch : absolute) {
        const auto c = static_cast<unsigned char>(ch);
        if (KeptInUri(c)) {
            uri.push_back(ch);
        } else {
            uri.push_back('%');
            uri.push_back(kHex[c >> 4]);
            uri.push_back(kHex[c & 0x0F]);
        }
    }
    return uri;
}

bool HasUriScheme(const std::string& target) {
    // scheme = ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ) ":"; one letter would be a drive.
    const auto colon = target.find(':');
    if (colon == std::string::npos || colon < 2 ||
        !IsAsciiAlnum(static_cast<unsigned char>(target[0])) ||
        (target[0] >= '0' && target[0] <= '9')) {
        return false;
    }
    for (std::size_t i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(target[i]);
        if (!IsAsciiAlnum(c) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

}  // namespace tarnwick::platform
