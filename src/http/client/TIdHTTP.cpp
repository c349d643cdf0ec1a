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
    ExchangeDeadline(TIdHTTP& client, TIdDeadline deadline) : fClient(client) { Apply(deadline); }
    ~ExchangeDeadline() { Apply(std::nullopt); }
    ExchangeDeadline(const ExchangeDeadline&) = delete;
    ExchangeDeadline& operator=(const ExchangeDeadline&) = delete;

  private:
    void Apply(TIdDeadline deadline) {
        fClient.Deadline = deadline;
        if (fClient.IOHandler() != nullptr) {
            fClient.IOHandler()->Deadline = deadline;
        }
    }
    TIdHTTP& fClient;
};

TIdHTTP::TIdHTTP() : fResponse(*this) {}

TIdHTTP::~TIdHTTP() {
    // The store goes first, then the connection is closed; the base class frees the handler.
    fCookieManager = nullptr;
    fOwnedCookieManager.reset();
    if (IOHandler() != nullptr) {
        IOHandler()->Close();
    }
}

void TIdHTTP::SetCookieManager(TIdCookieManager* manager) {
    if (manager != fOwnedCookieManager.get()) {
        fOwnedCookieManager.reset();
    }
    fCookieManager = manager;
}

std::string TIdHTTP::ResponseCharset(TIdStream* body) {
    return http::ResponseCharset(fResponse.ContentType, fResponse.CharSet, body);
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
    fRedirectCount = 0;
    fAuthRetries = 0;
    fProxyAuthRetries = 0;
    const std::int64_t start = destination != nullptr ? destination->Position() : 0;
    fRequest.Target = url;
    fRequest.Method = method;
    fRequest.Source = source;
    fResponse.BodyDestination = destination;
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
                fAuthRetries = 0;
                fProxyAuthRetries = 0;
            } else {
                fRequest.Target = url;
            }
        }
    } catch (const EIdHTTPProtocolException&) {
        if (!fResponse.IsKeepAlive()) {
            Disconnect();
        }
        throw;
    } catch (...) {
        if (sent || !fResponse.IsKeepAlive()) {
            Disconnect();
        }
        throw;
    }
    if (!fResponse.IsKeepAlive()) {
        Disconnect();
    }
}

void TIdHTTP::PrepareRequest() {
    TIdURI target(fRequest.Target);
    if (!target.UserName.empty()) {
        fRequest.Username = target.UserName;
        fRequest.Password = target.Password;
    }
    fUrl.UserName = fRequest.Username;
    fUrl.Password = fRequest.Password;
    fUrl.DirPath = TIdURI::MergePath(fUrl.DirPath, target.DirPath);
    fUrl.DocName = target.DocName;
    fUrl.Query = target.Query;
    if (!target.Host.empty()) {
        fUrl.Host = target.Host;
    }
    if (!target.Scheme.empty()) {
        fUrl.Scheme = target.Scheme;
    } else {
        fUrl.Scheme = EqualsNoCase(fUrl.Scheme, "https") ? "https" : "http";
    }
    if (!target.Port.empty()) {
        fUrl.Port = target.Port;
    } else if (EqualsNoCase(target.Scheme, "http")) {
        fUrl.Port = std::to_string(kDefaultHTTPPort);
    } else if (EqualsNoCase(target.Scheme, "https")) {
        fUrl.Port = std::to_string(kDefaultHTTPSPort);
    } else if (fUrl.Port.empty()) {
        throw EIdUnknownProtocol();
    }

    fRequest.Target = fUrl.PathAndQuery();
    const bool options = EqualsNoCase(fRequest.Method, "OPTIONS") ||
                         EqualsNoCase(fRequest.MethodOverride, "OPTIONS");
    if (options && target.DocName == "*") {
        fRequest.Target.assign(1, '*');  // the server itself, not a resource
    }
    fRequest.IPVersion = target.IPVersion;
    fUrl.IPVersion = target.IPVersion;
    if ((NeedsHTTP11(fRequest.Method) || NeedsHTTP11(fRequest.MethodOverride)) &&
        ProtocolVersion != pv1_1) {
        throw EIdException(EIdException::kMethodRequiresHTTP11);
    }
    fRequest.ContentLength = fRequest.Source != nullptr
                                 ? fRequest.Source->Size() - fRequest.Source->Position()
                                 : TIdEntityHeaderInfo::kNoContentLength;

    std::string host = fUrl.IPVersion == TIdIPVersion::Id_IPv6 ? "[" + fUrl.Host + "]" : fUrl.Host;
    const bool defaultPort = (EqualsNoCase(fUrl.Scheme, "http") && fUrl.Port == "80") ||
                             (EqualsNoCase(fUrl.Scheme, "https") && fUrl.Port == "443");
    if (!defaultPort) {
        host += ":" + fUrl.Port;
    }
    fRequest.Host = host;
}

void TIdHTTP::AddAcceptEncoding(std::string_view word) {
    if (fRequest.AcceptEncoding.find(word) != std::string::npos) {
        return;
    }
    if (fRequest.AcceptEncoding.empty()) {
        fRequest.AcceptEncoding = word;
    } else {
        fRequest.AcceptEncoding += ", " + std::string(word);
    }
}

void TIdHTTP::ConnectToHost() {
    if (IsConnected()) {
        if (auto* socket = dynamic_cast<TIdIOHandlerSocket*>(IOHandler());
            socket != nullptr && socket->Binding() != nullptr &&
            socket->Binding()->IPVersion() != fUrl.IPVersion) {
            Disconnect();
        }
    }
    const std::string targetHost = fUrl.Host;
    const int targetPort = PortNumber(fUrl.Port, kDefaultHTTPPort);
    if (IsConnected() && (!EqualsNoCase(Host, targetHost) || Port != targetPort)) {
        Disconnect();
    }
    if (EqualsNoCase(fUrl.Scheme, "https")) {
        // No TLS handler exists in this client, so every secure URL ends here.
        throw EIdIOHandlerPropInvalid();
    }
    Host = targetHost;
    Port = targetPort;
    if (ProtocolVersion == pv1_0 && fRequest.Connection.empty()) {
        fRequest.Connection = "keep-alive";
    }
    AddAcceptEncoding("identity");

    if (!fResponse.IsKeepAlive()) {
        Disconnect();
    }
    if (IOHandler() != nullptr) {
        IOHandler()->ClearInput();
    }
    CheckForGracefulDisconnect(false);
    if (!IsConnected()) {
        IPVersion = fUrl.IPVersion;
        Connect();
    }
}

void TIdHTTP::SendRequest() {
    fRequest.ComposeHeaders();
    if (fCookieManager != nullptr && AllowCookies) {
        fRequest.HeaderLines.SetValue("Cookie", fCookieManager->CookieHeader(fUrl));
    }
    TIdIOHandler& handler = *IOHandler();
    const bool startedBuffering = !handler.WriteBufferingActive();
    if (startedBuffering) {
        handler.StartWriteBuffering();
    }
    try {
        handler.WriteLine(fRequest.Method + " " + fRequest.Target + " HTTP/" +
                          (ProtocolVersion == pv1_1 ? "1.1" : "1.0"));
        for (const std::string& line : fRequest.HeaderLines.Lines()) {
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
    if (fRequest.Source != nullptr) {
        handler.WriteStream(*fRequest.Source);
    }
}

}  // namespace tarnwick::http
