#include "http/client/TIdHTTP.h"

#include <charconv>
#include <chrono>

#include "http/core/EIdException.h"
#include "http/core/TIdTextUtil.h"
#include "http/encoding/TIdCharsetTable.h"
#include "http/encoding/TIdTextEncodings.h"
#include "http/encoding/TIdXmlCharset.h"
#include "http/transport/TIdIOHandlerSocket.h"
#include "http/transport/TIdSocketHandle.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http {

namespace {

constexpr int kDefaultHTTPSPort = 443;

// Methods that HTTP/1.0 does not have.
bool NeedsHTTP11(std::string_view method) {
    return EqualsNoCase(method, "TRACE") || EqualsNoCase(method, "PUT") ||
           EqualsNoCase(method, "OPTIONS") || EqualsNoCase(method, "DELETE");
}

int PortNumber(std::string_view text, int fallback) {
    text = TrimBlank(text);
    int port = 0;
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
    return (text.empty() || ec != std::errc() || p != text.data() + text.size()) ? fallback : port;
}

}  // namespace

// Sets the exchange's deadline on the client and its handler, and takes it away again however
// the exchange ends.
class TIdHTTP::ExchangeDeadline {
  public:
    ExchangeDeadline(TIdHTTP& client, TIdDeadline deadline) : client_(client) { Apply(deadline); }
    ~ExchangeDeadline() { Apply(std::nullopt); }
    ExchangeDeadline(const ExchangeDeadline&) = delete;
    ExchangeDeadline& operator=(const ExchangeDeadline&) = delete;

  private:
    void Apply(TIdDeadline deadline) {
        client_.Deadline = deadline;
        if (client_.IOHandler() != nullptr) {
            client_.IOHandler()->Deadline = deadline;
        }
    }
    TIdHTTP& client_;
};

TIdHTTP::TIdHTTP() : response_(*this) {}

TIdHTTP::~TIdHTTP() {
    // The store goes first, then the connection is closed; the base class frees the handler.
    cookieManager_ = nullptr;
    ownedCookieManager_.reset();
    if (IOHandler() != nullptr) {
        IOHandler()->Close();
    }
}

void TIdHTTP::SetCookieManager(TIdCookieManager* manager) {
    if (manager != ownedCookieManager_.get()) {
        ownedCookieManager_.reset();
    }
    cookieManager_ = manager;
}

std::string TIdHTTP::ResponseCharset(TIdStream* body) {
    return http::ResponseCharset(response_.ContentType, response_.CharSet, body);
}

std::string TIdHTTP::BodyText(TIdMemoryStream& body) {
    body.SetPosition(0);
    return DecodeToString(body.Bytes(), EncodingForCharset(ResponseCharset(&body)), nullptr);
}

std::string TIdHTTP::Get(std::string_view url) {
    TIdMemoryStream body;
    DoRequest("GET", url, nullptr, &body, {});
    return BodyText(body);
}

void TIdHTTP::Get(std::string_view url, TIdStream& destination) {
    DoRequest("GET", url, nullptr, &destination, {});
}

void TIdHTTP::DoRequest(std::string_view method, std::string_view url, TIdStream* source,
                        TIdStream* destination, std::span<const int> tolerated) {
    redirectCount_ = 0;
    authRetries_ = 0;
    proxyAuthRetries_ = 0;
    const std::int64_t start = destination != nullptr ? destination->Position() : 0;
    request_.Target = url;
    request_.Method = method;
    request_.Source = source;
    response_.BodyDestination = destination;
    // The deadline holds for this exchange only; a kept connection is checked without one.
    TIdDeadline deadline;
    if (ExchangeTimeout > 0) {
        deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ExchangeTimeout);
    }
    const ExchangeDeadline scope(*this, deadline);
    // Once a request has gone out, a failure other than a judged answer leaves the
    // connection out of step (an answer may still be owed), so it cannot be reused.
    bool sent = false;
    try {
        for (;;) {
            PrepareRequest();
            ConnectToHost();
            sent = true;
            SendRequest();
            ReadResponseHead();
            const TIdHTTPOutcome outcome = Classify(tolerated);
            if (outcome == TIdHTTPOutcome::Done) {
                break;
            }
            if (outcome == TIdHTTPOutcome::FollowURL) {
                if (destination != nullptr) {
                    destination->SetPosition(start);
                    destination->SetSize(start);
                }
                authRetries_ = 0;
                proxyAuthRetries_ = 0;
            } else {
                request_.Target = url;
            }
        }
    } catch (const EIdHTTPProtocolException&) {
        if (!response_.IsKeepAlive()) {
            Disconnect();
        }
        throw;
    } catch (...) {
        if (sent || !response_.IsKeepAlive()) {
            Disconnect();
        }
        throw;
    }
    if (!response_.IsKeepAlive()) {
        Disconnect();
    }
}

void TIdHTTP::PrepareRequest() {
    TIdURI target(request_.Target);
    if (!target.UserName.empty()) {
        request_.Username = target.UserName;
        request_.Password = target.Password;
    }
    url_.UserName = request_.Username;
    url_.Password = request_.Password;
    url_.DirPath = TIdURI::MergePath(url_.DirPath, target.DirPath);
    url_.DocName = target.DocName;
    url_.Query = target.Query;
    if (!target.Host.empty()) {
        url_.Host = target.Host;
    }
    if (!target.Scheme.empty()) {
        url_.Scheme = target.Scheme;
    } else {
        url_.Scheme = EqualsNoCase(url_.Scheme, "https") ? "https" : "http";
    }
    if (!target.Port.empty()) {
        url_.Port = target.Port;
    } else if (EqualsNoCase(target.Scheme, "http")) {
        url_.Port = std::to_string(kDefaultHTTPPort);
    } else if (EqualsNoCase(target.Scheme, "https")) {
        url_.Port = std::to_string(kDefaultHTTPSPort);
    } else if (url_.Port.empty()) {
        throw EIdUnknownProtocol();
    }

    request_.Target = url_.PathAndQuery();
    const bool options = EqualsNoCase(request_.Method, "OPTIONS") ||
                         EqualsNoCase(request_.MethodOverride, "OPTIONS");
    if (options && target.DocName == "*") {
        request_.Target.assign(1, '*');  // the server itself, not a resource
    }
    request_.IPVersion = target.IPVersion;
    url_.IPVersion = target.IPVersion;
    if ((NeedsHTTP11(request_.Method) || NeedsHTTP11(request_.MethodOverride)) &&
        ProtocolVersion != pv1_1) {
        throw EIdException(EIdException::kMethodRequiresHTTP11);
    }
    request_.ContentLength = request_.Source != nullptr
                                 ? request_.Source->Size() - request_.Source->Position()
                                 : TIdEntityHeaderInfo::kNoContentLength;

    std::string host = url_.IPVersion == TIdIPVersion::Id_IPv6 ? "[" + url_.Host + "]" : url_.Host;
    const bool defaultPort = (EqualsNoCase(url_.Scheme, "http") && url_.Port == "80") ||
                             (EqualsNoCase(url_.Scheme, "https") && url_.Port == "443");
    if (!defaultPort) {
        host += ":" + url_.Port;
    }
    request_.Host = host;
}

void TIdHTTP::AddAcceptEncoding(std::string_view word) {
    if (request_.AcceptEncoding.find(word) != std::string::npos) {
        return;
    }
    if (request_.AcceptEncoding.empty()) {
        request_.AcceptEncoding = word;
    } else {
        request_.AcceptEncoding += ", " + std::string(word);
    }
}

void TIdHTTP::ConnectToHost() {
    if (IsConnected()) {
        if (auto* socket = dynamic_cast<TIdIOHandlerSocket*>(IOHandler());
            socket != nullptr && socket->Binding() != nullptr &&
            socket->Binding()->IPVersion() != url_.IPVersion) {
            Disconnect();
        }
    }
    const std::string targetHost = url_.Host;
    const int targetPort = PortNumber(url_.Port, kDefaultHTTPPort);
    if (IsConnected() && (!EqualsNoCase(Host, targetHost) || Port != targetPort)) {
        Disconnect();
    }
    if (EqualsNoCase(url_.Scheme, "https")) {
        // No TLS handler exists in this client, so every secure URL ends here.
        throw EIdIOHandlerPropInvalid();
    }
    Host = targetHost;
    Port = targetPort;
    if (ProtocolVersion == pv1_0 && request_.Connection.empty()) {
        request_.Connection = "keep-alive";
    }
    AddAcceptEncoding("identity");

    if (!response_.IsKeepAlive()) {
        Disconnect();
    }
    if (IOHandler() != nullptr) {
        IOHandler()->ClearInput();
    }
    CheckForGracefulDisconnect(false);
    if (!IsConnected()) {
        IPVersion = url_.IPVersion;
        Connect();
    }
}

void TIdHTTP::SendRequest() {
    request_.ComposeHeaders();
    if (cookieManager_ != nullptr && AllowCookies) {
        request_.HeaderLines.SetValue("Cookie", cookieManager_->CookieHeader(url_));
    }
    TIdIOHandler& handler = *IOHandler();
    const bool startedBuffering = !handler.WriteBufferingActive();
    if (startedBuffering) {
        handler.StartWriteBuffering();
    }
    try {
        handler.WriteLine(request_.Method + " " + request_.Target + " HTTP/" +
                          (ProtocolVersion == pv1_1 ? "1.1" : "1.0"));
        for (const std::string& line : request_.HeaderLines.Lines()) {
            if (!line.empty()) {
                handler.WriteLine(line);
            }
        }
        handler.WriteLine("");
        if (startedBuffering) {
            handler.FlushWriteBuffer();
        }
    } catch (...) {
        handler.DropWriteBuffer();
        throw;
    }
    if (request_.Source != nullptr) {
        handler.WriteStream(*request_.Source);
    }
}

}  // namespace tarnwick::http
