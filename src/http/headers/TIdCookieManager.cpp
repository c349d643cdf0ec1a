#include "http/headers/TIdCookieManager.h"

#include <algorithm>
#include <charconv>

#include "http/core/TIdTextUtil.h"

namespace tarnwick::http {

namespace {

constexpr double kSecondsPerDay = 86400.0;

bool IsIPv4Literal(std::string_view host) {
    return !host.empty() && std::all_of(host.begin(), host.end(),
                                        [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

std::string DefaultPath(const TIdURI& uri) {
    std::string dir = uri.DirPath;
    if (!dir.empty() && dir.back() == '/') {
        dir.pop_back();
    }
    if (dir.empty() || dir.front() != '/') {
        return "/";
    }
    return dir;
}

std::string RequestPath(const TIdURI& uri) {
    std::string path = uri.DirPath + uri.DocName;
    return path.empty() ? "/" : path;
}

}  // namespace

bool TIdCookieManager::DomainMatches(std::string_view host, std::string_view domain) {
    if (domain.empty()) {
        return false;
    }
    if (EqualsNoCase(host, domain)) {
        return true;
    }
    return !IsIPv4Literal(host) && host.size() > domain.size() && EndsWithNoCase(host, domain) &&
           host[host.size() - domain.size() - 1] == '.';
}

bool TIdCookieManager::PathMatches(std::string_view requestPath, std::string_view cookiePath) {
    if (requestPath == cookiePath) {
        return true;
    }
    if (requestPath.size() <= cookiePath.size() ||
        requestPath.compare(0, cookiePath.size(), cookiePath) != 0) {
        return false;
    }
    return cookiePath.back() == '/' || requestPath[cookiePath.size()] == '/';
}

bool TIdCookieManager::AddServerCookie(std::string_view setCookie, const TIdURI& requestURI) {
    TIdCookie cookie;
    std::string_view rest = setCookie;
    const std::size_t firstEnd = rest.find(';');
    const std::string_view pair = rest.substr(0, firstEnd);
    const std::size_t eq = pair.find('=');
    if (eq == std::string_view::npos) {
        return false;
    }
    cookie.Name = TrimBlank(pair.substr(0, eq));
    cookie.Value = TrimBlank(pair.substr(eq + 1));
    if (cookie.Name.empty()) {
        return false;
    }
    rest = firstEnd == std::string_view::npos ? std::string_view{} : rest.substr(firstEnd + 1);

    bool haveMaxAge = false;
    TIdDateTime maxAgeExpiry = 0;
    bool haveExpires = false;
    TIdDateTime expiresValue = 0;
    std::string domain;
    std::string path;
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::string_view attr = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        const std::size_t aeq = attr.find('=');
        const std::string name = AsciiLowerCopy(TrimBlank(attr.substr(0, aeq)));
        const std::string_view value =
            aeq == std::string_view::npos ? std::string_view{} : TrimBlank(attr.substr(aeq + 1));
        if (name == "max-age") {
            long long seconds = 0;
            const auto [p, ec] =
                std::from_chars(value.data(), value.data() + value.size(), seconds);
            if (ec == std::errc() && p == value.data() + value.size()) {
                haveMaxAge = true;
                maxAgeExpiry =
                    seconds <= 0 ? 0.0 : NowLocal() + static_cast<double>(seconds) / kSecondsPerDay;
            }
        } else if (name == "expires") {
            if (auto date = ParseHTTPDate(value)) {
                haveExpires = true;
                expiresValue = *date;
            }
        } else if (name == "domain") {
            std::string_view d = value;
            if (!d.empty() && d.front() == '.') {
                d.remove_prefix(1);
            }
            domain = AsciiLowerCopy(d);
        } else if (name == "path") {
            path = value;
        } else if (name == "secure") {
            cookie.Secure = true;
        } else if (name == "httponly") {
            cookie.HttpOnly = true;
        }
    }

    const std::string host = AsciiLowerCopy(requestURI.Host);
    if (domain.empty()) {
        cookie.Domain = host;
        cookie.HostOnly = true;
    } else {
        if (!DomainMatches(host, domain)) {
            return false;
        }
        cookie.Domain = domain;
        cookie.HostOnly = false;
    }
    if (cookie.HttpOnly && !EqualsNoCase(requestURI.Scheme, "http") &&
        !EqualsNoCase(requestURI.Scheme, "https")) {
        return false;
    }
    cookie.Path = (!path.empty() && path.front() == '/') ? path : DefaultPath(requestURI);
    if (haveMaxAge || haveExpires) {
        cookie.Persistent = true;
        cookie.Expires = haveMaxAge ? maxAgeExpiry : expiresValue;
    } else {
        cookie.Expires = kSessionExpiry;
    }

    auto same = std::find_if(fCookies.begin(), fCookies.end(), [&](const TIdCookie& c) {
        return c.Name == cookie.Name && c.Domain == cookie.Domain && c.Path == cookie.Path;
    });
    // An expiry in the past removes the stored cookie instead of storing a dead one.
    if (cookie.Persistent && cookie.Expires <= NowLocal()) {
        if (same != fCookies.end()) {
            fCookies.erase(same);
        }
        return false;
    }
    if (same != fCookies.end()) {
        *same = std::move(cookie);
    } else {
        fCookies.push_back(std::move(cookie));
    }
    return true;
}

std::string TIdCookieManager::CookieHeader(const TIdURI& requestURI) const {
    const std::string host = AsciiLowerCopy(requestURI.Host);
    const std::string path = RequestPath(requestURI);
    const bool secure = EqualsNoCase(requestURI.Scheme, "https");
    const TIdDateTime now = NowLocal();
    std::vector<const TIdCookie*> matching;
    for (const TIdCookie& c : fCookies) {
        const bool hostOk = c.HostOnly ? host == c.Domain : DomainMatches(host, c.Domain);
        if (hostOk && PathMatches(path, c.Path) && (!c.Secure || secure) && c.Expires > now) {
            matching.push_back(&c);
        }
    }
    std::stable_sort(matching.begin(), matching.end(), [](const TIdCookie* a, const TIdCookie* b) {
        return a->Path.size() > b->Path.size();
    });
    std::string header;
    for (const TIdCookie* c : matching) {
        if (!header.empty()) {
            header += "; ";
        }
        header += c->Name + "=" + c->Value;
    }
    return header;
}

}  // namespace tarnwick::http
