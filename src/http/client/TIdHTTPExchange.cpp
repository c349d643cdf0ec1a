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
    if (cookieManager_ == nullptr) {
        ownedCookieManager_ = std::make_unique<TIdCookieManager>();
        cookieManager_ = ownedCookieManager_.get();
    }
    std::vector<std::string> values;
    response_.HeaderLines.ExtractAll("Set-Cookie", values);
    response_.MetaHeaders.ExtractAll("Set-Cookie", values);
    for (const std::string& value : values) {
        cookieManager_->AddServerCookie(value, url_);
    }
}

void TIdHTTP::ReadResponseHead() {
    for (int continues = 0;; ++continues) {
        response_.SetStatusLine(ReadProtocolLine(*IOHandler()));
        response_.ReadHeaderBlock(HeaderLineLimit);
        StoreCookies();
        if (response_.StatusCode() != kContinueStatus) {
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
    TIdStream* const destination = response_.BodyDestination;
    response_.BodyDestination = &temporary;
    try {
        response_.ReadBody();
    } catch (...) {
        response_.BodyDestination = destination;
        throw;
    }
    response_.BodyDestination = destination;
    const int code = response_.StatusCode();
    if ((HTTPOptions & hoNoProtocolErrorException) != 0 ||
        std::find(tolerated.begin(), tolerated.end(), code) != tolerated.end()) {
        return TIdHTTPOutcome::Done;
    }
    throw EIdHTTPProtocolException(response_.StatusLine(), code, BodyText(temporary));
}

TIdHTTPOutcome TIdHTTP::Classify(std::span<const int> tolerated) {
    const int code = response_.StatusCode();
    if (IsRedirect(code)) {
        if (response_.Location.empty()) {
            return Fail(tolerated);
        }
        ++redirectCount_;
        std::string location = response_.Location;
        std::string method = request_.Method;
        bool follow = HandleRedirects;
        if (OnRedirect) {
            follow = OnRedirect(location, method, redirectCount_);
        }
        if (!follow) {
            return Fail(tolerated);
        }
        TIdHTTPOutcome outcome = TIdHTTPOutcome::Done;
        if (HandleRedirects && redirectCount_ < RedirectMaximum) {
            request_.Target = location;
            if (code == kSeeOther || (code == kFound && (HTTPOptions & hoTreat302Like303) != 0)) {
                request_.Source = nullptr;
                method = "GET";
            }
            request_.Method = method;
            request_.MethodOverride.clear();
            outcome = TIdHTTPOutcome::FollowURL;
        } else {
            response_.Location = location;
        }
        if (IsConnected()) {
            response_.DiscardBody();
        }
        return outcome;
    }
    if (!IsSuccess(code)) {
        // No authentication method is built into this client, so a 401 or 407 challenge can
        // never be answered: they fail like every other code.
        return Fail(tolerated);
    }
    if (EqualsNoCase(request_.Method, "HEAD") || EqualsNoCase(request_.MethodOverride, "HEAD") ||
        code == kNoContent) {
        response_.DiscardBody();
    } else {
        response_.ReadBody();
    }
    return TIdHTTPOutcome::Done;
}

}  // namespace tarnwick::http
