// The client's cookie store: cookies taken from "Set-Cookie" values, each kept under its name,
// domain and path (a newer one replaces an older one with the same three), and the "Cookie"
// value for later requests. Invariant: no stored cookie has an empty name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "http/response/TIdHTTPDate.h"
#include "http/uri/TIdURI.h"

namespace tarnwick::http {

struct TIdCookie {
    std::string Name;
    std::string Value;
    std::string Domain;  // lower case, no leading dot
    std::string Path;
    bool HostOnly = true;
    bool Persistent = false;
    bool Secure = false;
    bool HttpOnly = false;
    TIdDateTime Expires = 0;
};

class TIdCookieManager {
  public:
    // The expiry of a cookie without one: 9999-12-31 23:59:59.999.
    static constexpr TIdDateTime kSessionExpiry = 2958465.0 + 86399.999 / 86400.0;

    // Turns one "Set-Cookie" value received for `requestURI` into a cookie and keeps it when
    // it is acceptable; returns whether it was kept.
    bool AddServerCookie(std::string_view setCookie, const TIdURI& requestURI);
    // "name=value; name2=value2" of the unexpired cookies that match the URI, longest paths
    // first; empty when none match.
    std::string CookieHeader(const TIdURI& requestURI) const;

    const std::vector<TIdCookie>& Cookies() const { return fCookies; }
    void Clear() { fCookies.clear(); }

    // Whether the host lies in the domain (the host itself, or a name ending in "." + domain).
    static bool DomainMatches(std::string_view host, std::string_view domain);
    static bool PathMatches(std::string_view requestPath, std::string_view cookiePath);

  private:
    std::vector<TIdCookie> fCookies;
};

}  // namespace tarnwick::http
