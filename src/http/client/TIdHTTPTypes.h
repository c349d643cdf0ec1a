// The small value types of the HTTP client: protocol versions, the option set, and the three
// outcomes of judging a response.
#pragma once

namespace tarnwick::http {

enum TIdHTTPProtocolVersion { pv1_0, pv1_1 };

enum TIdHTTPOption : unsigned {
    hoInProcessAuth = 1u << 0,
    hoKeepOrigProtocol = 1u << 1,
    hoForceEncodeParams = 1u << 2,
    hoNonSSLProxyUseConnectVerb = 1u << 3,
    hoNoParseMetaHTTPEquiv = 1u << 4,
    hoWaitForUnexpectedData = 1u << 5,
    hoTreat302Like303 = 1u << 6,
    hoNoProtocolErrorException = 1u << 7,
};
// A set of TIdHTTPOption bits.
using TIdHTTPOptions = unsigned;

// What the exchange does after a response: request the new target, stop, or send the
// request again with credentials.
enum class TIdHTTPOutcome { FollowURL, Done, AuthenticateAgain };

}  // namespace tarnwick::http
