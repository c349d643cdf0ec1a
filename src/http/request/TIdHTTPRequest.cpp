#include "http/request/TIdHTTPRequest.h"

#include <array>

namespace tarnwick::http {

namespace {

constexpr std::array<char, 64> kBase64Alphabet = {
    'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P',
    'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', 'a', 'b', 'c', 'd', 'e', 'f',
    'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n', 'o', 'p', 'q', 'r', 's', 't', 'u', 'v',
    'w', 'x', 'y', 'z', '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '+', '/'};
constexpr unsigned kSixBits = 0x3F;

}  // namespace

std::string EncodeBase64(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                           static_cast<unsigned char>(bytes[i + 1]) << 8 |
                           static_cast<unsigned char>(bytes[i + 2]);
        out += kBase64Alphabet[v >> 18 & kSixBits];
        out += kBase64Alphabet[v >> 12 & kSixBits];
        out += kBase64Alphabet[v >> 6 & kSixBits];
        out += kBase64Alphabet[v & kSixBits];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2) {
            v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        }
        out += kBase64Alphabet[v >> 18 & kSixBits];
        out += kBase64Alphabet[v >> 12 & kSixBits];
        out += rest == 2 ? kBase64Alphabet[v >> 6 & kSixBits] : '=';
        out += '=';
    }
    return out;
}

TIdHTTPRequest::TIdHTTPRequest() {
    Clear();
}

void TIdHTTPRequest::Clear() {
    TIdEntityHeaderInfo::Clear();
    Accept = kDefaultAccept;
    AcceptCharSet.clear();
    UserAgent = kDefaultUserAgent;
    Username.clear();
    Password.clear();
    Range.clear();
    MethodOverride.clear();
    BasicAuthentication = false;
}

void TIdHTTPRequest::ComposeHeaders() {
    TIdHeaderList& h = HeaderLines;
    h.Clear();
    h.SetValue("Connection", Connection);
    h.SetValue("Content-Version", ContentVersion);
    h.SetValue("Content-Disposition", ContentDisposition);
    h.SetValue("Content-Encoding", ContentEncoding);
    h.SetValue("Content-Language", ContentLanguage);
    h.SetValue("Content-Type", ContentType);
    if (!ContentType.empty()) {
        h.SetParam("Content-Type", "charset", CharSet);
    }
    if (ContentLength >= 0) {
        h.SetValue("Content-Length", std::to_string(ContentLength));
    }
    h.SetValue("Cache-control", CacheControl);
    if (Date > 0) {
        h.SetValue("Date", FormatHTTPDate(Date));
    }
    h.SetValue("ETag", ETag);
    if (Expires > 0) {
        h.SetValue("Expires", FormatHTTPDate(Expires));
    }
    h.SetValue("Pragma", Pragma);
    h.SetValue("Transfer-Encoding", TransferEncoding);
    if (CustomHeaders.Count() > 0) {
        h.AddLines(CustomHeaders);
    }
    h.SetValue("Proxy-Connection", ProxyConnection);
    h.SetValue("Host", Host);
    h.SetValue("Accept", Accept);
    h.SetValue("Accept-Charset", AcceptCharSet);
    h.SetValue("Accept-Encoding", AcceptEncoding);
    h.SetValue("Accept-Language", AcceptLanguage);
    h.SetValue("From", From);
    h.SetValue("Referer", Referer);
    h.SetValue("User-Agent", UserAgent);
    h.SetValue("Range", Range);
    if (LastModified > 0) {
        h.SetValue("If-Modified-Since", FormatHTTPDate(LastModified));
    }
    if (BasicAuthentication) {
        h.SetValue("Authorization", "Basic " + EncodeBase64(Username + ":" + Password));
    }
    h.SetValue("X-HTTP-Method-Override", MethodOverride);
}

}  // namespace tarnwick::http
