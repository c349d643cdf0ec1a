#include "http/uri/TIdURI.h"

#include "http/uri/EIdURIException.h"

#include <strings.h>

namespace tarnwick::http {

namespace {

constexpr std::string_view kSchemeSeparator = "://";
constexpr char kSlash = '/';
constexpr char kBackslash = '\\';

struct DefaultPort {
    const char* scheme;
    const char* port;
};
constexpr DefaultPort kDefaultPorts[] = {{"HTTP", "80"}, {"HTTPS", "443"}, {"FTP", "21"}};

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// Splits "rest?query#fragment" (or "rest#fragment") in place. A "?" that only appears after the
// "#" belongs to the fragment; taking it as the query start would put the fragment on the wire.
void SplitQueryAndFragment(std::string& rest, std::string& query, std::string& fragment) {
    const auto question = rest.find('?');
    if (question != std::string::npos && question < rest.find('#')) {
        query = rest.substr(question + 1);
        rest.erase(question);
        const auto hash = query.find('#');
        if (hash != std::string::npos) {
            fragment = query.substr(hash + 1);
            query.erase(hash);
        }
        return;
    }
    const auto hash = rest.find('#');
    if (hash != std::string::npos) {
        fragment = rest.substr(hash + 1);
        rest.erase(hash);
    }
}

}  // namespace

TIdURI::TIdURI(std::string_view url) {
    if (!url.empty()) {
        Parse(url);
    }
}

std::string TIdURI::NormalizeBackslashes(std::string_view url) {
    std::string text(url);
    std::size_t pos = 0;
    const auto colon = text.find(':');
    if (colon != std::string::npos) {
        pos = colon + 1;
        auto isSep = [&](std::size_t i) {
            return i < text.size() && (text[i] == kSlash || text[i] == kBackslash);
        };
        if (isSep(pos) && isSep(pos + 1)) {
            pos += 2;
        }
    }
    // The ANSI code page of this system is single-byte, so no lead bytes need stepping over.
    for (; pos < text.size(); ++pos) {
        if (text[pos] == '?' || text[pos] == '#') {
            break;
        }
        if (text[pos] == kBackslash) {
            text[pos] = kSlash;
        }
    }
    return text;
}

void TIdURI::Parse(std::string_view url) {
    *this = TIdURI();
    Text = NormalizeBackslashes(url);
    std::string rest = Text;

    const auto schemeEnd = rest.find(kSchemeSeparator);
    if (schemeEnd == std::string::npos) {
        // A relative reference: only path, document, query and fragment.
        SplitQueryAndFragment(rest, Query, Fragment);
        const auto lastSlash = rest.rfind(kSlash);
        if (lastSlash != std::string::npos) {
            DirPath = rest.substr(0, lastSlash + 1);
            rest.erase(0, lastSlash + 1);
        }
        DocName = rest;
        return;
    }

    Scheme = rest.substr(0, schemeEnd);
    rest.erase(0, schemeEnd + kSchemeSeparator.size());
    SplitQueryAndFragment(rest, Query, Fragment);

    std::string authority;
    const auto firstSlash = rest.find(kSlash);
    if (firstSlash == std::string::npos) {
        authority = rest;
        rest.clear();
    } else {
        authority = rest.substr(0, firstSlash);
        rest.erase(0, firstSlash + 1);
    }

    const auto at = authority.rfind('@');
    if (at != std::string::npos) {
        const std::string userInfo = authority.substr(0, at);
        authority.erase(0, at + 1);
        const auto colon = userInfo.find(':');
        UserName = userInfo.substr(0, colon);
        if (colon != std::string::npos) {
            Password = userInfo.substr(colon + 1);
        }
        if (UserName.empty()) {
            Password.clear();
        }
    }

    const auto open = authority.find('[');
    const auto close = authority.find(']');
    if (open != std::string::npos && close != std::string::npos && close > open) {
        Host = authority.substr(open + 1, close - open - 1);
        const auto colon = authority.find(':', close);
        authority = colon == std::string::npos ? std::string() : authority.substr(colon + 1);
        IPVersion = TIdIPVersion::Id_IPv6;
    } else {
        const auto colon = authority.find(':');
        Host = authority.substr(0, colon);
        authority = colon == std::string::npos ? std::string() : authority.substr(colon + 1);
    }
    Port = authority;

    const auto lastSlash = rest.rfind(kSlash);
    if (lastSlash != std::string::npos) {
        DirPath = "/" + rest.substr(0, lastSlash + 1);
        rest.erase(0, lastSlash + 1);
    } else {
        DirPath = "/";
    }
    DocName = rest;
}

std::string TIdURI::PathAndQuery() const {
    std::string result = DirPath + DocName;
    if (!Query.empty()) {
        result += '?';
        result += Query;
    }
    return result;
}

std::string TIdURI::FullURI(bool includeUserInfo, bool includeFragment) const {
    if (Scheme.empty()) {
        throw EIdURIException(kURIProtocolEmpty);
    }
    if (Host.empty()) {
        throw EIdURIException(kURIHostEmpty);
    }
    std::string result = Scheme + std::string(kSchemeSeparator);
    if (includeUserInfo && !UserName.empty()) {
        result += UserName;
        if (!Password.empty()) {
            result += ':';
            result += Password;
        }
        result += '@';
    }
    if (IPVersion == TIdIPVersion::Id_IPv6) {
        result += '[' + Host + ']';
    } else {
        result += Host;
    }
    if (!Port.empty()) {
        bool isDefault = false;
        for (const auto& entry : kDefaultPorts) {
            if (EqualsNoCase(Scheme, entry.scheme)) {
                isDefault = Port == entry.port;
                break;
            }
        }
        if (!isDefault) {
            result += ':';
            result += Port;
        }
    }
    result += PathAndQuery();
    if (includeFragment && !Fragment.empty()) {
        result += '#';
        result += Fragment;
    }
    return result;
}

std::string TIdURI::URI() {
    std::string plain = FullURI(false, false);
    Text = FullURI(true, true);
    return plain;
}

std::string TIdURI::MergePath(std::string_view basePath, std::string_view newPath) {
    if (!newPath.empty() && newPath.front() == kSlash) {
        return std::string(newPath);
    }
    const bool trailingSlashSurvives = newPath.empty() || newPath.back() == kSlash;

    std::string work(basePath);
    if (!work.empty() && work.back() != kSlash) {
        work += kSlash;
    }
    work += newPath;

    std::string result;
    for (std::size_t i = 0; i < work.size(); ++i) {
        const char c = work[i];
        if (c == kSlash) {
            if (i == 0) {
                result = "/";
            } else if (result.empty() || result.back() != kSlash) {
                result += kSlash;
            }
        } else if (c == '.' && !result.empty() && result.back() == kSlash && i + 1 < work.size() &&
                   work[i + 1] == '.') {
            // "..": drop the last segment of what has been built so far.
            result.pop_back();
            while (!result.empty() && result.back() != kSlash) {
                result.pop_back();
            }
            ++i;
        } else {
            result += c;
        }
    }
    if (result != "/" && !result.empty() && result.back() == kSlash && !trailingSlashSurvives) {
        result.pop_back();
    }
    return result;
}

}  // namespace tarnwick::http
