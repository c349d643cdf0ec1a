// The reading and writing half of a connection: every received byte passes through the input
// buffer, which line reads search without re-scanning, and writes can be collected in a write
// buffer and leave in one send loop. Subclasses supply the byte source (a socket).
// Invariant: bytes leave the input buffer only by being consumed or cleared, never by a close.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "http/core/TIdBytes.h"
#include "http/transport/TIdBuffer.h"
#include "http/transport/TIdTransportTypes.h"

namespace tarnwick::http {

class TIdStream;

class TIdIOHandler {
  public:
    static constexpr int kDefaultRecvBufferSize = 32768;
    static constexpr int kDefaultSendBufferSize = 32768;
    static constexpr int kDefaultMaxLineLength = 16384;
    // A timeout argument that stands for the ReadTimeout setting.
    static constexpr int kUseReadTimeout = -1;
    // A ReadTimeout of this value (or 0) waits without limit.
    static constexpr int kInfiniteTimeout = -1;
    // Write threshold meaning "flush only when asked".
    static constexpr int kNoWriteThreshold = -1;

    TIdIOHandler();
    TIdIOHandler(const TIdIOHandler&) = delete;  // owns buffers and, in subclasses, a socket
    TIdIOHandler& operator=(const TIdIOHandler&) = delete;
    virtual ~TIdIOHandler();

    // Connection settings, copied in by the client before Open.
    std::string Host;
    int Port = 0;
    int ConnectTimeout = 0;
    int ReadTimeout = kInfiniteTimeout;

    // Every wait and receive ends by this moment: once it has passed, reads raise
    // EIdExchangeTimeout even while the peer keeps sending.
    TIdDeadline Deadline;

    int RecvBufferSize = kDefaultRecvBufferSize;
    int SendBufferSize = kDefaultSendBufferSize;
    int MaxLineLength = kDefaultMaxLineLength;
    TIdMaxLineAction MaxLineAction = maException;

    // Conversions between wire bytes and program text for line reads and text writes.
    TIdBytesToText BytesToText = AsciiBytesToText;
    TIdTextToBytes TextToBytes = AsciiTextToBytes;
    TIdStatusEvent OnStatus;

    // Clears the buffers and flags and marks the handler opened.
    virtual void Open();
    // Closes the source and the write buffer; buffered input stays readable.
    virtual void Close();
    virtual bool Connected();

    bool Opened() const { return fOpened; }
    bool ClosedGracefully() const { return fClosedGracefully; }
    bool ReadLnSplit() const { return fReadLnSplit; }
    bool ReadLnTimedOut() const { return fReadLnTimedOut; }
    TIdBuffer& InputBuffer() { return fInputBuffer; }

    // The read primitive: waits up to `timeoutMs` (kUseReadTimeout: the setting) for bytes
    // and appends what one receive gives. Returns the count, 0 once the source is gone, -1 on
    // a timeout without raising.
    int ReceiveSome(bool raiseIfDisconnected, int timeoutMs, bool raiseOnTimeout);
    // Raises EIdConnClosedGracefully (when `raise`) if the peer has closed or there is no
    // socket, and the input buffer is empty or `ignoreBuffer` is set.
    void CheckDisconnected(bool raise, bool ignoreBuffer);

    // One line ended by LF (a CR before it is dropped too), converted with BytesToText.
    std::string ReadLine() { return ReadLn("\n", kUseReadTimeout, -1); }
    // maxLength < 0 stands for MaxLineLength. After a timeout ReadLnTimedOut() is set and
    // the result is empty. The length limit is checked while the line arrives, so a line
    // that never ends costs at most the limit plus one receive.
    std::string ReadLn(std::string_view terminator, int timeoutMs, int maxLength);
    TIdBytes ReadExact(std::size_t count);
    // Copies `count` (>= 0) bytes, or with `untilClose` everything until the peer closes, into
    // the stream at its position; the stream ends at its position, so it holds exactly the
    // bytes that arrived.
    void CopyToStream(TIdStream& stream, std::int64_t count, bool untilClose);
    void SkipBytes(std::int64_t count);
    void SkipToClose();
    // Waits up to `timeoutMs` for more bytes; true when the input buffer grew.
    bool PollForData(int timeoutMs);
    bool InputEmpty() const { return fInputBuffer.Empty(); }
    void ClearInput() { fInputBuffer.Clear(); }

    void WriteBytes(std::span<const std::uint8_t> bytes);
    void WriteText(std::string_view text);
    void WriteLine(std::string_view text);
    // Writes the stream from its position to its end in SendBufferSize pieces.
    void WriteStream(TIdStream& stream);
    // With a positive threshold the buffer is sent in threshold-sized pieces as it fills.
    void StartWriteBuffering(int threshold = kNoWriteThreshold);
    void FlushWriteBuffer();
    void DropWriteBuffer();
    bool WriteBufferingActive() const { return fWriteBuffer != nullptr; }

    void CloseHandler() { Close(); }

  protected:
    // The byte source: whether it is there, waiting for it, reading and writing it.
    virtual bool SourceAvailable() const = 0;
    virtual void CloseSource() = 0;
    virtual bool SourceReadable(int timeoutMs) = 0;
    virtual std::size_t ReceiveFromSource(std::uint8_t* data, std::size_t capacity) = 0;
    virtual std::size_t SendToTarget(const std::uint8_t* data, std::size_t count) = 0;

    void DoStatus(TIdStatus status, const std::string& text) const;
    // Makes sure at least `count` bytes are buffered, raising as ReadExact does.
    void FillInputBuffer(std::size_t count);
    // Sends all bytes now, bypassing the write buffer.
    void WriteDirect(const std::uint8_t* data, std::size_t count);

    // Milliseconds left before the Deadline (at least 0), or -1 without one.
    int DeadlineLeftMs() const;

  private:
    int EffectiveTimeout(int timeoutMs) const;

    TIdBuffer fInputBuffer;
    std::unique_ptr<TIdBuffer> fWriteBuffer;
    int fWriteThreshold = kNoWriteThreshold;
    bool fOpened = false;
    bool fClosedGracefully = false;
    bool fReadLnSplit = false;
    bool fReadLnTimedOut = false;
};

}  // namespace tarnwick::http
