#include "http/response/TIdHTTPResponse.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "http/client/TIdHTTP.h"
#include "http/core/EIdException.h"
#include "http/core/TIdTextUtil.h"
#include "http/headers/TIdHeaderParams.h"
#include "http/transport/TIdIOHandler.h"

namespace tarnwick::http {

namespace {

constexpr double kSecondsPerDay = 86400.0;
// The version digits of a status line start after "HTTP/".
constexpr std::size_t kVersionOffset = 5;
constexpr std::size_t kVersionLength = 3;

bool IsXmlSubtype(std::string_view subtype) {
    return EqualsNoCase(subtype, "xml") || EqualsNoCase(subtype, "xml-external-parsed-entity") ||
           EndsWithNoCase(subtype, "+xml");
}

// A signed decimal 64-bit number in trimmed text, or nothing.
std::optional<std::int64_t> ReadSignedNumber(std::string_view text) {
    text = TrimBlank(text);
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (!text.empty() && text.front() == '+') {
        ++begin;
    }
    std::int64_t value = 0;
    const auto [p, ec] = std::from_chars(begin, end, value);
    if (begin == end || ec != std::errc() || p != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string ReadProtocolLine(TIdIOHandler& handler) {
    std::string line = handler.ReadLine();
    if (handler.ReadLnTimedOut()) {
        throw EIdReadTimeout();
    }
    return line;
}

std::int64_t ReadHeaderNumber(std::string_view text) {
    return ReadSignedNumber(text).value_or(-1);
}

TIdHTTPResponse::TIdHTTPResponse(TIdHTTP& client) : fClient(client) {
    Clear();
}

void TIdHTTPResponse::Clear() {
    TIdEntityHeaderInfo::Clear();
    HeaderLines.Clear();
    WWWAuthenticate.Clear();
    ProxyAuthenticate.Clear();
    MetaHeaders.Clear();
    ProxyConnection.clear();
    Location.clear();
    Server.clear();
    AcceptRanges.clear();
    HasContentLength = false;
    ContentRangeUnits.clear();
    ContentRangeStart = -1;
    ContentRangeEnd = -1;
    ContentRangeInstanceLength = -1;
}

void TIdHTTPResponse::SetStatusLine(std::string line) {
    fStatusLine = std::move(line);
    fStatusCode = kStatusUnknown;
    fStatusVersion = pv1_0;
    if (fStatusLine.size() > kVersionOffset) {
        const std::string_view digits =
            std::string_view(fStatusLine).substr(kVersionOffset, kVersionLength);
        if (EqualsNoCase(digits, "1.1")) {
            fStatusVersion = pv1_1;
        }
    }
}

int TIdHTTPResponse::StatusCode() {
    if (fStatusCode != kStatusUnknown) {
        return fStatusCode;
    }
    std::string_view s = fStatusLine;
    const std::size_t space = s.find(' ');
    if (space == std::string_view::npos) {
        return kStatusUnknown;
    }
    s = TrimBlank(s.substr(space + 1));
    s = s.substr(0, s.find(' '));
    s = TrimBlank(s.substr(0, s.find('.')));
    int code = kStatusUnknown;
    const char* begin = s.data();
    if (!s.empty() && (s.front() == '+')) {
        ++begin;
    }
    const auto [p, ec] = std::from_chars(begin, s.data() + s.size(), code);
    fStatusCode =
        (s.empty() || ec != std::errc() || p != s.data() + s.size()) ? kStatusUnknown : code;
    return fStatusCode;
}

bool TIdHTTPResponse::IsKeepAlive() {
    if (fClient.IsConnected()) {
        fClient.CheckForGracefulDisconnect(false);
    }
    bool result = fClient.IsConnected();
    if (result) {
        const std::string_view connection = TrimBlank(Connection);
        const std::string_view proxyConnection = TrimBlank(ProxyConnection);
        // An HTTP/1.0 server closes after its answer unless it says keep-alive; trusting
        // such a connection races its close and fails the next request.
        const bool http10Answer = !fStatusLine.empty() && fStatusVersion == pv1_0;
        if (fClient.ProtocolVersion == pv1_1 && !http10Answer) {
            result = !EqualsNoCase(connection, "CLOSE") && !EqualsNoCase(proxyConnection, "CLOSE");
        } else {
            result = EqualsNoCase(connection, "KEEP-ALIVE") ||
                     EqualsNoCase(proxyConnection, "KEEP-ALIVE");
        }
    }
    KeepAliveFlag = result;
    return result;
}

void TIdHTTPResponse::ReadHeaderLines(std::string line, int limit) {
    const int maxLines = limit > 0 ? limit : kMaxHeaderLines;
    TIdIOHandler& handler = *fClient.IOHandler();
    int lines = 0;
    std::size_t bytes = 0;
    while (!line.empty()) {
        bytes += line.size();
        if (++lines > maxLines || bytes > kMaxHeaderBlockBytes) {
            throw EIdHTTPHeaderTooLarge();
        }
        HeaderLines.AddLine(std::move(line));
        line = ReadProtocolLine(handler);
    }
}

void TIdHTTPResponse::ReadHeaderBlock(int limit) {
    Clear();
    TIdIOHandler& handler = *fClient.IOHandler();
    std::string line = ReadProtocolLine(handler);
    try {
        ReadHeaderLines(std::move(line), limit);
    } catch (const EIdConnClosedGracefully&) {
        // The bytes of a line cut off by the close belong to the header block; left in the
        // buffer they would be read as the body.
        handler.ClearInput();
        fClient.Disconnect();
    } catch (...) {
        fClient.Disconnect();
        throw;
    }
    DeriveFields();
}

void TIdHTTPResponse::DeriveFields() {
    const TIdHeaderList& h = HeaderLines;
    CacheControl = h.Value("Cache-control");
    Connection = h.Value("Connection");
    ContentVersion = h.Value("Content-Version");
    ContentDisposition = h.Value("Content-Disposition");
    ContentEncoding = h.Value("Content-Encoding");
    ContentLanguage = h.Value("Content-Language");

    const std::string contentType = h.Value("Content-Type");
    if (contentType.empty()) {
        ContentType.clear();
        CharSet.clear();
    } else {
        std::string charset;
        ContentType = ReplaceHeaderSubItem(contentType, "charset", "",
                                           TIdHeaderQuotingType::QuoteHTTP, charset);
        if (charset.empty()) {
            const std::string_view media = TrimBlank(
                std::string_view(ContentType).substr(0, std::string_view(ContentType).find(';')));
            const std::size_t slash = media.find('/');
            const std::string_view mainType = TrimBlank(media.substr(0, slash));
            if (EqualsNoCase(mainType, "text")) {
                const std::string_view subtype = slash == std::string_view::npos
                                                     ? std::string_view{}
                                                     : TrimBlank(media.substr(slash + 1));
                charset = IsXmlSubtype(subtype) ? "us-ascii" : "ISO-8859-1";
            }
        }
        if (!charset.empty()) {
            CharSet = charset;
        }
    }

    ContentLength = ReadHeaderNumber(h.Value("Content-Length"));
    HasContentLength = ContentLength >= 0;

    ContentRangeUnits.clear();
    ContentRangeStart = ContentRangeEnd = ContentRangeInstanceLength = -1;
    const std::string range = h.Value("Content-Range");
    if (!range.empty()) {
        const std::string_view r = range;
        const std::size_t space = r.find(' ');
        ContentRangeUnits = r.substr(0, space);
        const std::string_view rest =
            space == std::string_view::npos ? std::string_view{} : r.substr(space + 1);
        const std::size_t slash = rest.find('/');
        const std::string_view span = rest.substr(0, slash);
        if (slash != std::string_view::npos) {
            ContentRangeInstanceLength = ReadHeaderNumber(rest.substr(slash + 1));
        }
        const std::size_t dash = span.find('-');
        ContentRangeStart = ReadHeaderNumber(span.substr(0, dash));
        if (dash != std::string_view::npos) {
            ContentRangeEnd = ReadHeaderNumber(span.substr(dash + 1));
        }
    }

    const std::string date = h.Value("Date");
    Date = date.empty() ? NowLocal() : ParseHTTPDate(date).value_or(0);
    LastModified = ParseHTTPDate(h.Value("Last-Modified")).value_or(0);
    const std::string expires = h.Value("Expires");
    if (expires.empty()) {
        Expires = 0;
    } else if (const std::optional<std::int64_t> seconds = ReadSignedNumber(expires)) {
        // A number of seconds from now; a negative count means no expiry date.
        Expires = *seconds < 0 ? 0 : NowLocal() + static_cast<double>(*seconds) / kSecondsPerDay;
    } else {
        Expires = ParseHTTPDate(expires).value_or(NowLocal() - 1.0 / kSecondsPerDay);
    }

    ETag = h.Value("ETag");
    Pragma = h.Value("Pragma");
    TransferEncoding = h.Value("Transfer-Encoding");
    Location = h.Value("Location");
    Server = h.Value("Server");
    ProxyConnection = h.Value("Proxy-Connection");
    WWWAuthenticate.Clear();
    h.ExtractAll("WWW-Authenticate", WWWAuthenticate);
    ProxyAuthenticate.Clear();
    h.ExtractAll("Proxy-Authenticate", ProxyAuthenticate);
    AcceptRanges = h.Value("Accept-Ranges");
}

}  // namespace tarnwick::http
