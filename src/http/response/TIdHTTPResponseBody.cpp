// The body half of TIdHTTPResponse: deciding whether a body follows the head, copying it by
// chunks, by length or until the peer closes, and reading HTML meta headers out of it.
#include <charconv>
#include <memory>
#include <optional>

#include "http/client/TIdHTTP.h"
#include "http/core/EIdException.h"
#include "http/core/TIdTextUtil.h"
#include "http/headers/TIdMetaHeaders.h"
#include "http/response/TIdHTTPResponse.h"
#include "http/transport/TIdBoundedStream.h"
#include "http/transport/TIdIOHandler.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http {

namespace {

constexpr int kHexBase = 16;
constexpr int kNoContent = 204;
constexpr int kNotModified = 304;

bool IsChunked(std::string_view transferEncoding) {
    return AsciiLowerCopy(transferEncoding).find("chunked") != std::string::npos;
}

bool IsHtmlType(std::string_view contentType) {
    const std::string_view media = TrimBlank(contentType.substr(0, contentType.find(';')));
    return EqualsNoCase(media, "text/html") || EqualsNoCase(media, "text/html-sandboxed") ||
           EqualsNoCase(media, "application/xhtml+xml");
}

// The size on a chunk line: hexadecimal before any ";" extension; 0 when unreadable.
std::int64_t ChunkSize(std::string_view line) {
    const std::string_view digits = TrimBlank(line.substr(0, line.find(';')));
    std::int64_t size = 0;
    const auto [p, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), size, kHexBase);
    if (digits.empty() || ec != std::errc() || p != digits.data() + digits.size() || size < 0) {
        return 0;
    }
    return size;
}

void Copy(TIdIOHandler& handler, TIdStream* destination, std::int64_t count) {
    if (destination != nullptr) {
        handler.CopyToStream(*destination, count, false);
    } else {
        handler.SkipBytes(count);
    }
}

}  // namespace

bool TIdHTTPResponse::IsHeadRequest() const {
    const TIdHTTPRequest& request = fClient.fRequest;
    return EqualsNoCase(request.Method, "HEAD") || EqualsNoCase(request.MethodOverride, "HEAD");
}

bool TIdHTTPResponse::BodyExpected() {
    if (!IsChunked(TransferEncoding)) {
        if (ContentLength <= 0 && HasContentLength) {
            return false;
        }
    }
    const int code = StatusCode();
    TIdIOHandler& handler = *fClient.IOHandler();
    const auto dataWithin = [&](int ms) {
        return !handler.InputEmpty() || handler.PollForData(ms);
    };
    if (IsHeadRequest() || (code >= 100 && code < 200) || code == kNoContent ||
        code == kNotModified) {
        return (fClient.HTTPOptions & hoWaitForUnexpectedData) != 0 &&
               dataWithin(kUnexpectedDataWaitMs);
    }
    if (code >= 300 && code < 400) {
        return dataWithin(kRedirectBodyWaitMs);
    }
    return true;
}

void TIdHTTPResponse::ReadBody() {
    ReadBodyInto(BodyDestination);
}

void TIdHTTPResponse::DiscardBody() {
    ReadBodyInto(nullptr);
}

void TIdHTTPResponse::ReadChunked(TIdStream* destination) {
    TIdIOHandler& handler = *fClient.IOHandler();
    fClient.DoStatus(hsStatusText, "Chunk Started");
    for (std::int64_t size = ChunkSize(ReadProtocolLine(handler)); size != 0;
         size = ChunkSize(ReadProtocolLine(handler))) {
        Copy(handler, destination, size);
        ReadProtocolLine(handler);  // the CR LF after the chunk data
    }
    // Trailer lines join the header lines, bounded like a header block; the fields stay as
    // the head gave them.
    ReadHeaderLines(ReadProtocolLine(handler), fClient.HeaderLineLimit);
}

void TIdHTTPResponse::ReadBodyInto(TIdStream* destination) {
    if (fClient.IOHandler() == nullptr || !BodyExpected()) {
        return;
    }
    TIdIOHandler& handler = *fClient.IOHandler();
    const bool html = destination != nullptr && IsHtmlType(ContentType) &&
                      (fClient.HTTPOptions & hoNoParseMetaHTTPEquiv) == 0;
    std::unique_ptr<TIdMemoryStream> temporary;
    TIdStream* target = destination;
    if (html && dynamic_cast<TIdMemoryStream*>(destination) == nullptr) {
        temporary = std::make_unique<TIdMemoryStream>();
        target = temporary.get();
    }
    // The caller's maximum holds for every framing; a stated length beyond it fails before
    // a byte is read.
    std::optional<TIdBoundedStream> bounded;
    if (target != nullptr && fClient.MaxBodySize >= 0) {
        const std::int64_t limit = target->Position() + fClient.MaxBodySize;
        if (!IsChunked(TransferEncoding) && ContentLength > fClient.MaxBodySize) {
            throw EIdHTTPBodyTooLarge();
        }
        bounded.emplace(*target, limit);
        target = &*bounded;
    }

    if (IsChunked(TransferEncoding)) {
        ReadChunked(target);
    } else if (ContentLength > 0) {
        try {
            Copy(handler, target, ContentLength);
        } catch (const EIdConnClosedGracefully&) {
            // A body cut short by the peer keeps what arrived.
        }
    } else if (target != nullptr) {
        handler.CopyToStream(*target, 0, true);
    } else {
        handler.SkipToClose();
    }

    if (html) {
        MetaHeaders.Clear();
        ExtractMetaHeaders(*target, MetaHeaders);
        if (MetaHeaders.Count() > 0) {
            for (int i = 0; i < MetaHeaders.Count();) {
                const std::string name = MetaHeaders.NameAt(i);
                const std::string value = MetaHeaders.ValueAt(i);
                if (!name.empty()) {
                    HeaderLines.SetValue(name, value);
                }
            }
            DeriveFields();
        }
        if (temporary != nullptr) {
            const TIdBytes& bytes = temporary->Bytes();
            destination->Write(bytes.data(), bytes.size());
        }
    }
}

}  // namespace tarnwick::http
