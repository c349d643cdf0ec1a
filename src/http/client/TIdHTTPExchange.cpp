// The judging half of TIdHTTP: reading response heads (skipping 100 Continue), storing
// cookies, and turning a status code into follow, done, authenticate again or a protocol error.
#include <algorithm>
#include <vector>

#include "http/client/TIdHTTP.h"
#include "http/core/EIdException.h"
#include "http/core/TIdTextUtil.h"
#include "http/transport/TIdIOHandler.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http {

namespace {

constexpr int kNotModified = 304;
constexpr int kSeeOther = 303;
constexpr int kFound = 302;
constexpr int kNoContent = 204;

bool IsRedirect(int code) {
    return code >= 300 && code < 400 && code != kNotModified;
}

bool IsSuccess(int code) {
    return code >= 200 && code < 300;
}

}  // namespace

void TIdHTTP::StoreCookies() {
    if (!AllowCookies) {
        return;
    }
    if (fCookieManager == nullptr) {
        fOwnedCookieManager = std::make_unique<TIdCookieManager>();
        fCookieManager = fOwnedCookieManager.get();
    }
    std::vector<std::string> values;
    fResponse.HeaderLines.ExtractAll("Set-Cookie", values);
    fResponse.MetaHeaders.ExtractAll("Set-Cookie", values);
    for (const std::string& value : values) {
        fCookieManager->AddServerCookie(value, fUrl);
    }
}

void TIdHTTP::ReadResponseHead() {
    for (int continues = 0;; ++continues) {
        fResponse.SetStatusLine(ReadProtocolLine(*IOHandler()));
        fResponse.ReadHeaderBlock(HeaderLineLimit);
        StoreCookies();
        if (fResponse.StatusCode() != kContinueStatus) {
            return;
        }
        // Interim heads are cheap to send and would keep the client busy for ever.
        if (continues == kMaxContinueResponses) {
            throw EIdHTTPTooManyContinues();
        }
    }
}

TIdHTTPOutcome TIdHTTP::Fail(std::span<const int> tolerated) {
    TIdMemoryStream temporary;
    TIdStream* const destination = fResponse.BodyDestination;
    fResponse.BodyDestination = &temporary;
    try {
        fResponse.ReadBody();
    } catch (...) {
        fResponse.BodyDestination = destination;
        throw;
    }
    fResponse.BodyDestination = destination;
    const int code = fResponse.StatusCode();
    if ((HTTPOptions & hoNoProtocolErrorException) != 0 ||
        std::find(tolerated.begin(), tolerated.end(), code) != tolerated.end()) {
        return TIdHTTPOutcome::Done;
    }
    throw EIdHTTPProtocolException(fResponse.StatusLine(), code, BodyText(temporary));
}

TIdHTTPOutcome TIdHTTP::Classify(std::span<const int> tolerated) {
    const int code = fResponse.StatusCode();
    if (IsRedirect(code)) {
        if (fResponse.Location.empty()) {
            return Fail(tolerated);
        }
        ++fRedirectCount;
        std::string location = fResponse.Location;
        std::string method = fRequest.Method;
        bool follow = HandleRedirects;
        if (OnRedirect) {
            follow = OnRedirect(location, method, fRedirectCount);
        }
        if (!follow) {
            return Fail(tolerated);
        }
        TIdHTTPOutcome outcome = TIdHTTPOutcome::Done;
        if (HandleRedirects && fRedirectCount < RedirectMaximum) {
            fRequest.Target = location;
            if (code == kSeeOther || (code == kFound && (HTTPOptions & hoTreat302Like303) != 0)) {
                fRequest.Source = nullptr;
                method = "GET";
            }
            fRequest.Method = method;
            fRequest.MethodOverride.clear();
            outcome = TIdHTTPOutcome::FollowURL;
        } else {
            fResponse.Location = location;
        }
        if (IsConnected()) {
            fResponse.DiscardBody();
        }
        return outcome;
    }
    if (!IsSuccess(code)) {
        // No authentication method is built into this client, so a 401 or 407 challenge can
        // never be answered: they fail like every other code.
        return Fail(tolerated);
    }
    if (EqualsNoCase(fRequest.Method, "HEAD") || EqualsNoCase(fRequest.MethodOverride, "HEAD") ||
        code == kNoContent) {
        fResponse.DiscardBody();
    } else {
        fResponse.ReadBody();
    }
    return TIdHTTPOutcome::Done;
}

}  // namespace tarnwick::http
