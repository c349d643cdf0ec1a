// The exceptions of the HTTP client: every failure of the transport, the request and the
// response is one of these classes, and each class always carries its own fixed message.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace tarnwick::http {

// Root of the family; the message is exactly the text the client reports.
class EIdException : public std::exception {
  public:
    explicit EIdException(std::string message) : fMessage(std::move(message)) {}
    const char* what() const noexcept override { return fMessage.c_str(); }
    const std::string& Message() const noexcept { return fMessage; }

    static constexpr const char* kMethodRequiresHTTP11 = "Request method requires HTTP version 1.1";

  private:
    std::string fMessage;
};

// A platform socket call failed; carries the Winsock-numbered code.
class EIdSocketError : public EIdException {
  public:
    explicit EIdSocketError(int code) : EIdException(FormatMessage(code)), fCode(code) {}
    int LastError() const noexcept { return fCode; }

    // "Socket Error # <code>" CR LF and the code's text (empty for codes without one).
    static std::string FormatMessage(int code);
    // The text of a Winsock error number, or an empty text for an unknown number.
    static const char* ErrorText(int code);

  private:
    int fCode;
};

// The handle given to a socket call is not a socket.
class EIdNotASocket : public EIdSocketError {
  public:
    static constexpr int kCode = 10038;
    EIdNotASocket() : EIdSocketError(kCode) {}
};

// Throws EIdNotASocket for 10038 and EIdSocketError for every other code.
[[noreturn]] void RaiseSocketError(int code);

// Declares a class of the family whose message never varies.
#define TARNWICK_FIXED_MESSAGE_EXCEPTION(Name, Base, Text) \
    class Name : public Base {                             \
      public:                                              \
        static constexpr const char* kMessage = Text;      \
        Name() : Base(kMessage) {}                         \
    }

TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdConnClosedGracefully, EIdException,
                                 "Connection Closed Gracefully.");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdReadTimeout, EIdException, "Read timed out.");
// The deadline of the whole exchange passed, however busy the peer kept the connection.
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdExchangeTimeout, EIdException, "Exchange timed out.");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdReadLnMaxLineLengthExceeded, EIdException,
                                 "Max line length exceeded.");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdNotConnected, EIdException, "Not Connected");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdAlreadyConnected, EIdException, "Already connected.");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdCouldNotBindSocket, EIdException,
                                 "Could not bind socket. Address and port are already in use.");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdConnectTimeout, EIdException, "Connect timed out.");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdIPVersionUnsupported, EIdException,
                                 "The requested IPVersion / Address family is not supported.");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdHostRequired, EIdException, "");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdPortRequired, EIdException, "");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdCannotSetIPVersionWhenConnected, EIdException,
                                 "Cannot change IPVersion when connected");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdTooMuchDataInBuffer, EIdException, "Too much data in buffer.");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdIOHandlerStreamDataTooLarge, EIdException,
                                 "Data is too large for stream");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdUnknownProtocol, EIdException, "Unknown Protocol");
// A header or trailer block with more lines or bytes than the client accepts.
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdHTTPHeaderTooLarge, EIdException, "Header block too large.");
// A server that keeps sending interim 100 Continue heads instead of its answer.
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdHTTPTooManyContinues, EIdException,
                                 "Too many 100 Continue responses.");
// A response body larger than the caller's maximum body size.
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdHTTPBodyTooLarge, EIdException, "Response body too large.");
TARNWICK_FIXED_MESSAGE_EXCEPTION(EIdIOHandlerPropInvalid, EIdException,
                                 "IOHandler value is not valid");

#undef TARNWICK_FIXED_MESSAGE_EXCEPTION

// More bytes were asked of a buffer than it holds: "Not enough data in buffer. (wanted/held)".
class EIdNotEnoughDataInBuffer : public EIdException {
  public:
    EIdNotEnoughDataInBuffer(std::int64_t wanted, std::int64_t available);
};

// The socket library could not be loaded or initialised; the message names the cause.
class EIdStackInitializationFailed : public EIdException {
  public:
    using EIdException::EIdException;
    // "Error on loading Winsock2 library (<library file>)".
    static std::string LoadFailureMessage(const std::string& libraryFile);
};

// A reply that breaks the protocol's rules; the message is the reply's status text.
class EIdReplyRFCError : public EIdException {
  public:
    EIdReplyRFCError(std::string message, int code)
        : EIdException(std::move(message)), fCode(code) {}
    int Code() const noexcept { return fCode; }

  private:
    int fCode;
};

// The server answered with a status the exchange treats as a failure. The message is the
// status line; the status code and the response body (decoded to text) travel with it.
class EIdHTTPProtocolException : public EIdReplyRFCError {
  public:
    EIdHTTPProtocolException(std::string statusLine, int code, std::string bodyText)
        : EIdReplyRFCError(std::move(statusLine), code), fBodyText(std::move(bodyText)) {}
    const std::string& BodyText() const noexcept { return fBodyText; }

  private:
    std::string fBodyText;
};

}  // namespace tarnwick::http
