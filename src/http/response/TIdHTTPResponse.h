// The response record of the HTTP client and its reader: the status line, the header block
// and the fields derived from it, keep-alive, and the body framed by chunks, a length or the
// peer's close. Invariant: after ReadHeaderBlock every derived field reflects HeaderLines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "http/client/TIdHTTPTypes.h"
#include "http/headers/TIdEntityHeaderInfo.h"
#include "http/headers/TIdHeaderList.h"

namespace tarnwick::http {

class TIdHTTP;
class TIdIOHandler;
class TIdStream;

// One line of the protocol; a read that timed out raises EIdReadTimeout.
std::string ReadProtocolLine(TIdIOHandler& handler);

class TIdHTTPResponse : public TIdEntityHeaderInfo {
  public:
    static constexpr int kStatusUnknown = -1;
    // How long a body that should not be there is waited for (hoWaitForUnexpectedData).
    static constexpr int kUnexpectedDataWaitMs = 100;
    // How long the body of a redirect is waited for.
    static constexpr int kRedirectBodyWaitMs = 5000;
    // The most lines a header or trailer block may have when the caller's limit is not
    // positive, and the most bytes its lines may hold together whatever the limit. Past
    // either, EIdHTTPHeaderTooLarge is raised instead of buffering what a peer sends.
    static constexpr int kMaxHeaderLines = 1000;
    static constexpr std::size_t kMaxHeaderBlockBytes = 256 * 1024;

    // The response of `client`, whose connection, request and options it reads.
    explicit TIdHTTPResponse(TIdHTTP& client);

    // Empties the header lists, lengths and ranges (-1) and dates (0).
    void Clear() override;

    // Stores the line and its version; the code is parsed on first use.
    void SetStatusLine(std::string line);
    const std::string& StatusLine() const { return fStatusLine; }
    int StatusCode();
    TIdHTTPProtocolVersion StatusVersion() const { return fStatusVersion; }

    // Whether the connection may carry another request, computed afresh on every call.
    bool IsKeepAlive();

    // Clears the response, reads header lines up to the empty one and derives the fields. A
    // close inside the block ends it with the lines read so far. More than `limit` lines
    // (kMaxHeaderLines when `limit` <= 0) or kMaxHeaderBlockBytes raise EIdHTTPHeaderTooLarge.
    void ReadHeaderBlock(int limit);
    void DeriveFields();

    // Reads the body into BodyDestination (or drops it when there is none).
    void ReadBody();
    // Reads and drops the body, keeping the connection in step.
    void DiscardBody();

    TIdHeaderList HeaderLines;
    std::string ProxyConnection;
    std::string Location;
    std::string Server;
    std::string AcceptRanges;
    bool HasContentLength = false;
    std::string ContentRangeUnits;
    std::int64_t ContentRangeStart = -1;
    std::int64_t ContentRangeEnd = -1;
    std::int64_t ContentRangeInstanceLength = -1;
    TIdHeaderList WWWAuthenticate;
    TIdHeaderList ProxyAuthenticate;
    bool KeepAliveFlag = false;
    // Header lines that an HTML body declares in its head.
    TIdHeaderList MetaHeaders;
    TIdStream* BodyDestination = nullptr;

  private:
    // Reads lines up to the empty one into HeaderLines, within the limits of a header block.
    void ReadHeaderLines(std::string line, int limit);
    bool BodyExpected();
    void ReadBodyInto(TIdStream* destination);
    void ReadChunked(TIdStream* destination);
    bool IsHeadRequest() const;

    TIdHTTP& fClient;
    std::string fStatusLine;
    int fStatusCode = kStatusUnknown;
    TIdHTTPProtocolVersion fStatusVersion = pv1_0;
};

// Reads a decimal 64-bit number from trimmed text; -1 when it is not one.
std::int64_t ReadHeaderNumber(std::string_view text);

}  // namespace tarnwick::http
