// The HTTP/1.1 client: itself the TCP connection it talks over, it owns one request, one
// response, the current URI that relative targets resolve against, and the cookie store it
// creates. Invariant: between exchanges the connection is open only if the last response was
// keep-alive (or the caller opened it).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "http/client/TIdHTTPTypes.h"
#include "http/headers/TIdCookieManager.h"
#include "http/request/TIdHTTPRequest.h"
#include "http/response/TIdHTTPResponse.h"
#include "http/transport/TIdTCPClientCustom.h"
#include "http/uri/TIdURI.h"

namespace tarnwick::http {

class TIdStream;
class TIdMemoryStream;

class TIdHTTP : public TIdTCPClientCustom {
  public:
    static constexpr int kDefaultRedirectMaximum = 15;
    static constexpr int kDefaultMaxAuthRetries = 3;
    static constexpr int kDefaultHeaderLineLimit = 255;
    static constexpr int kDefaultHTTPPort = 80;
    static constexpr int kContinueStatus = 100;
    // Interim 100 Continue heads skipped before an answer; one more fails the exchange.
    static constexpr int kMaxContinueResponses = 16;
    // MaxBodySize value that sets no limit.
    static constexpr std::int64_t kNoBodyLimit = -1;
    // ExchangeTimeout value that sets no limit.
    static constexpr int kNoExchangeTimeout = 0;

    TIdHTTP();
    // Frees the request, response and an owned cookie store, then closes the connection.
    ~TIdHTTP() override;

    // Fetches the URL with method GET and returns the body as text in the response charset.
    std::string Get(std::string_view url);
    // The same, with the body bytes written into the stream at its position.
    void Get(std::string_view url, TIdStream& destination);

    // One exchange: prepares and sends the request, reads and judges the answers, and follows
    // what the judging asks for. Status codes in `tolerated` fail without an exception.
    void DoRequest(std::string_view method, std::string_view url, TIdStream* source,
                   TIdStream* destination, std::span<const int> tolerated);

    TIdHTTPRequest& Request() { return fRequest; }
    TIdHTTPResponse& Response() { return fResponse; }
    const TIdURI& URL() const { return fUrl; }
    // The charset the current response's body decodes with (XML types sniff it from `body`).
    std::string ResponseCharset(TIdStream* body);

    // The store in use, or null. Setting one the caller keeps owning drops an owned store.
    TIdCookieManager* CookieManager() const { return fCookieManager; }
    void SetCookieManager(TIdCookieManager* manager);

    TIdHTTPProtocolVersion ProtocolVersion = pv1_1;
    bool HandleRedirects = false;
    int RedirectMaximum = kDefaultRedirectMaximum;
    int MaxAuthRetries = kDefaultMaxAuthRetries;
    bool AllowCookies = true;
    TIdHTTPOptions HTTPOptions = hoForceEncodeParams;
    // The most lines a header (or trailer) block may have; 0 or less: TIdHTTPResponse's own
    // bound. A block with more lines raises EIdHTTPHeaderTooLarge.
    int HeaderLineLimit = kDefaultHeaderLineLimit;
    // The largest body, in bytes, that is read into a destination (also the error page of a
    // failed status); a larger one raises EIdHTTPBodyTooLarge. kNoBodyLimit: any size.
    std::int64_t MaxBodySize = kNoBodyLimit;
    // Milliseconds from the start of an exchange (connecting included) to its last byte; a
    // slower exchange raises EIdExchangeTimeout or EIdConnectTimeout. 0: no limit.
    int ExchangeTimeout = kNoExchangeTimeout;

    // Asked before a redirect is followed: may change the location and the method, and
    // returns whether to follow. Gets the redirect count of the exchange.
    std::function<bool(std::string& location, std::string& method, int count)> OnRedirect;

    int RedirectCount() const { return fRedirectCount; }

  private:
    friend class TIdHTTPResponse;
    class ExchangeDeadline;

    void PrepareRequest();
    void ConnectToHost();
    void SendRequest();
    void ReadResponseHead();
    void StoreCookies();
    TIdHTTPOutcome Classify(std::span<const int> tolerated);
    TIdHTTPOutcome Fail(std::span<const int> tolerated);
    void AddAcceptEncoding(std::string_view word);
    // The body bytes as the program's text: decoded in the response charset, then ASCII.
    std::string BodyText(TIdMemoryStream& body);

    TIdHTTPRequest fRequest;
    TIdHTTPResponse fResponse;
    TIdURI fUrl;
    TIdCookieManager* fCookieManager = nullptr;
    std::unique_ptr<TIdCookieManager> fOwnedCookieManager;
    int fRedirectCount = 0;
    // Reset per exchange; no authentication method exists yet that would count rounds.
    int fAuthRetries = 0;
    int fProxyAuthRetries = 0;
};

}  // namespace tarnwick::http
