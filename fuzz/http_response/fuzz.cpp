// Feeds arbitrary bytes to the HTTP client as the server's answer, through the in-memory
// handler, and checks what must hold for any answer: only a 2xx returns a body, a protocol
// error carries the status of the response, a counted body never exceeds its count nor a
// maximum body size, and nothing reads more bytes than the server sent.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzCheck.h"
#include "http/client/TIdHTTP.h"
#include "http/core/EIdException.h"
#include "http/transport/TIdIOHandlerMemory.h"
#include "http/transport/TIdStream.h"

using tarnwick::http::EIdException;
using tarnwick::http::EIdHTTPProtocolException;
using tarnwick::http::hoWaitForUnexpectedData;
using tarnwick::http::pv1_0;
using tarnwick::http::TIdBytes;
using tarnwick::http::TIdHTTP;
using tarnwick::http::TIdHTTPResponse;
using tarnwick::http::TIdIOHandlerMemory;
using tarnwick::http::TIdMemoryStream;

namespace {

bool Chunked(const std::string& transferEncoding) {
    std::string lower = transferEncoding;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower.find("chunked") != std::string::npos;
}

// One exchange; the body goes to a stream when `asBytes`, else it comes back as text.
void Exchange(TIdHTTP& http, std::size_t inputSize, bool asBytes) {
    TIdHTTPResponse& r = http.Response();
    try {
        if (asBytes) {
            TIdMemoryStream body;
            http.Get("http://h/x", body);
            FUZZ_CHECK(static_cast<std::size_t>(body.Size()) <= inputSize);
            if (r.HasContentLength && r.ContentLength >= 0 && !Chunked(r.TransferEncoding)) {
                FUZZ_CHECK(body.Size() <= r.ContentLength);
            }
            if (http.MaxBodySize != TIdHTTP::kNoBodyLimit) {
                FUZZ_CHECK(body.Size() <= http.MaxBodySize);
            }
        } else {
            const std::string text = http.Get("http://h/x");
            // Every character of the text comes from at least one byte of the answer.
            FUZZ_CHECK(text.size() <= inputSize);
        }
        const int code = r.StatusCode();
        FUZZ_CHECK(code >= 200 && code < 300);
    } catch (const EIdHTTPProtocolException& e) {
        FUZZ_CHECK(e.Code() == r.StatusCode());
        FUZZ_CHECK(e.Message() == r.StatusLine());
        FUZZ_CHECK(!(e.Code() >= 200 && e.Code() < 300));
    } catch (const EIdException&) {
        // Transport failures (closed, too long a line, too much data) are expected answers.
    }
    FUZZ_CHECK(r.HasContentLength == (r.ContentLength >= 0));
    (void)r.IsKeepAlive();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    // The first byte picks how the answer is cut into receives and a few options.
    const std::uint8_t control = data[0];
    const std::size_t piece = (control & 0x0F) == 0 ? 1 << 16 : (control & 0x0F);
    TIdIOHandlerMemory handler(TIdBytes(data + 1, data + size), piece);
    handler.MaxLineLength = 256;  // small, so over-long lines are reached
    {
        TIdHTTP http;
        http.SetIOHandler(&handler);
        if ((control & 0x10) != 0) {
            http.ProtocolVersion = pv1_0;
        }
        if ((control & 0x20) != 0) {
            http.HTTPOptions |= hoWaitForUnexpectedData;
        }
        if ((control & 0x40) != 0) {
            http.HandleRedirects = true;
        }
        // Every third input length also bounds the body, so the limit meets every framing.
        if (size % 3 == 0) {
            http.MaxBodySize = 64;
        }
        const bool asBytes = (control & 0x80) != 0;
        Exchange(http, size, asBytes);
        // Whatever is left answers a second request on a kept connection.
        Exchange(http, size, !asBytes);
        FUZZ_CHECK(handler.Remaining() <= size - 1);
        http.SetIOHandler(nullptr);
    }
    return 0;
}
