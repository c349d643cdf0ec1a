// The request record of the HTTP client: the header fields a caller may set, the target and
// method of the exchange in progress, and the header lines composed from them before sending.
// Invariant: HeaderLines holds only what the last ComposeHeaders produced.
#pragma once

#include <string>

#include "http/headers/TIdEntityHeaderInfo.h"
#include "http/headers/TIdHeaderList.h"
#include "http/transport/TIdIPVersion.h"

namespace tarnwick::http {

class TIdStream;

class TIdHTTPRequest : public TIdEntityHeaderInfo {
  public:
    static constexpr const char* kDefaultAccept =
        "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
    static constexpr const char* kDefaultUserAgent = "Mozilla/3.0 (compatible; Tarnwick HTTP)";

    TIdHTTPRequest();

    // Resets the fields to their defaults, except AcceptEncoding, AcceptLanguage, Host, From,
    // Referer and ProxyConnection, which only creation empties.
    void Clear() override;

    // Fills HeaderLines from the fields, in the order the server sees them. Cookie lines are
    // added afterwards by the client.
    void ComposeHeaders();

    std::string Accept;
    std::string AcceptCharSet;
    std::string AcceptEncoding;
    std::string AcceptLanguage;
    std::string Host;
    std::string From;
    std::string Referer;
    std::string UserAgent;
    std::string Username;
    std::string Password;
    std::string ProxyConnection;
    std::string Range;
    std::string MethodOverride;
    bool BasicAuthentication = false;

    // The exchange in progress.
    std::string Target;
    std::string Method;
    TIdStream* Source = nullptr;
    TIdIPVersion IPVersion = TIdIPVersion::Id_IPv4;
    TIdHeaderList HeaderLines;
};

// The Base64 form of the bytes (standard alphabet, with padding), as Basic credentials use it.
std::string EncodeBase64(std::string_view bytes);

}  // namespace tarnwick::http
