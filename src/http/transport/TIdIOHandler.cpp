#include "http/transport/TIdIOHandler.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <stdexcept>

#include "http/core/EIdException.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http {

namespace {

// Bytes a count-limited copy grows the stream by in advance at most. The count comes from
// the peer (a Content-Length), so a huge value must not turn into a huge allocation before a
// single byte has arrived; the stream still grows as the bytes come in.
constexpr std::int64_t kMaxStreamGrowthInAdvance = 64 * 1024 * 1024;

constexpr char kCR = '\r';

// Cuts a stream back to its position when a copy ends, however it ends.
class StreamCutBack {
  public:
    explicit StreamCutBack(TIdStream& stream) : fStream(stream) {}
    ~StreamCutBack() {
        if (fStream.Size() > fStream.Position()) {
            fStream.SetSize(fStream.Position());
        }
    }
    StreamCutBack(const StreamCutBack&) = delete;
    StreamCutBack& operator=(const StreamCutBack&) = delete;

  private:
    TIdStream& fStream;
};

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

TIdIOHandler::TIdIOHandler() = default;

TIdIOHandler::~TIdIOHandler() = default;

void TIdIOHandler::DoStatus(TIdStatus status, const std::string& text) const {
    if (OnStatus) {
        OnStatus(status, text);
    }
}

void TIdIOHandler::Open() {
    fOpened = false;
    fClosedGracefully = false;
    fWriteBuffer.reset();
    fInputBuffer.Clear();
    fOpened = true;
}

void TIdIOHandler::Close() {
    CloseSource();
    fOpened = false;
    fWriteBuffer.reset();
}

bool TIdIOHandler::Connected() {
    return (SourceAvailable() && fOpened && (!fClosedGracefully || !fInputBuffer.Empty())) ||
           !fInputBuffer.Empty();
}

int TIdIOHandler::EffectiveTimeout(int timeoutMs) const {
    if (timeoutMs == kUseReadTimeout) {
        return ReadTimeout <= 0 ? kInfiniteTimeout : ReadTimeout;
    }
    return timeoutMs < 0 ? kInfiniteTimeout : timeoutMs;
}

void TIdIOHandler::CheckDisconnected(bool raise, bool ignoreBuffer) {
    bool gone = false;
    if (fClosedGracefully) {
        if (SourceAvailable()) {
            CloseSource();
            DoStatus(hsDisconnected, "");
        }
        gone = true;
    } else {
        gone = !SourceAvailable();
    }
    if (gone && raise && (fInputBuffer.Empty() || ignoreBuffer)) {
        throw EIdConnClosedGracefully();
    }
}

int TIdIOHandler::DeadlineLeftMs() const {
    if (!Deadline) {
        return kInfiniteTimeout;
    }
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(*Deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(
        left.count(), 0, std::numeric_limits<int>::max()));
}

int TIdIOHandler::ReceiveSome(bool raiseIfDisconnected, int timeoutMs, bool raiseOnTimeout) {
    int wait = EffectiveTimeout(timeoutMs);
    // The deadline is checked before every receive, not only when a wait runs out: a peer
    // that trickles a byte now and then would otherwise hold the exchange open for ever. A
    // look without waiting (wait 0) is always allowed, so connection checks keep working.
    const int left = wait == 0 ? kInfiniteTimeout : DeadlineLeftMs();
    if (left == 0) {
        throw EIdExchangeTimeout();
    }
    const bool deadlineBounds = left > 0 && (wait < 0 || left <= wait);
    if (deadlineBounds) {
        wait = left;
    }
    CheckDisconnected(raiseIfDisconnected, false);
    if (!SourceAvailable()) {
        if (raiseIfDisconnected) {
            throw EIdNotConnected();
        }
        return 0;
    }
    const auto capacity = static_cast<std::size_t>(std::max(RecvBufferSize, 1));
    for (;;) {
        if (!SourceReadable(wait)) {
            if (deadlineBounds) {
                throw EIdExchangeTimeout();
            }
            if (raiseOnTimeout) {
                throw EIdReadTimeout();
            }
            return -1;
        }
        std::uint8_t* room = fInputBuffer.PrepareAppend(capacity);
        std::size_t received = 0;
        try {
            received = ReceiveFromSource(room, capacity);
        } catch (...) {
            fInputBuffer.CommitAppend(0);
            throw;
        }
        fInputBuffer.CommitAppend(received);
        if (received == 0) {
            fClosedGracefully = true;
        }
        CheckDisconnected(raiseIfDisconnected, false);
        if (received > 0 || !SourceAvailable()) {
            return static_cast<int>(received);
        }
    }
}

std::string TIdIOHandler::ReadLn(std::string_view terminator, int timeoutMs, int maxLength) {
    if (terminator.empty()) {
        terminator = "\n";
    }
    if (maxLength < 0) {
        maxLength = MaxLineLength;
    }
    fReadLnSplit = false;
    fReadLnTimedOut = false;
    const auto start = std::chrono::steady_clock::now();
    const auto needle = AsBytes(terminator);
    std::size_t searchOffset = 0;
    std::ptrdiff_t found = -1;
    for (;;) {
        const std::size_t size = fInputBuffer.Size();
        if (size > 0) {
            if (searchOffset < size) {
                found = fInputBuffer.IndexOf(needle, searchOffset);
            }
            // A terminator may straddle what has arrived and what is still to come.
            searchOffset = size >= needle.size() - 1 ? size - (needle.size() - 1) : 0;
        }
        // Without a terminator in the first maxLength + its length bytes, the line can only
        // end beyond the limit: no need to keep buffering what a peer sends without end.
        if (maxLength > 0 &&
            (found > maxLength ||
             (found < 0 &&
              fInputBuffer.Size() >= static_cast<std::size_t>(maxLength) + needle.size()))) {
            if (MaxLineAction == maException) {
                throw EIdReadLnMaxLineLengthExceeded();
            }
            fReadLnSplit = true;
            const TIdBytes part = fInputBuffer.Extract(static_cast<std::size_t>(maxLength));
            return BytesToText(part.data(), part.size());
        }
        if (found >= 0) {
            break;
        }
        CheckDisconnected(true, true);
        if (ReceiveSome(true, timeoutMs, false) == -1) {
            fReadLnTimedOut = true;
        } else if (timeoutMs >= 0) {
            const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - start);
            fReadLnTimedOut = elapsed.count() >= timeoutMs;
        }
        if (fReadLnTimedOut) {
            return {};
        }
    }
    TIdBytes line = fInputBuffer.Extract(static_cast<std::size_t>(found) + needle.size());
    line.resize(static_cast<std::size_t>(found));
    if (terminator == "\n" && !line.empty() && line.back() == kCR) {
        line.pop_back();
    }
    return BytesToText(line.data(), line.size());
}

void TIdIOHandler::FillInputBuffer(std::size_t count) {
    while (fInputBuffer.Size() < count) {
        ReceiveSome(false, kUseReadTimeout, true);
        if (fInputBuffer.Size() < count) {
            CheckDisconnected(true, true);
        }
    }
}

TIdBytes TIdIOHandler::ReadExact(std::size_t count) {
    if (count == 0) {
        return {};
    }
    FillInputBuffer(count);
    return fInputBuffer.Extract(count);
}

void TIdIOHandler::CopyToStream(TIdStream& stream, std::int64_t count, bool untilClose) {
    if (!untilClose) {
        if (count < 0) {
            // A length read from the stream itself is a framing this transport does not use.
            throw std::invalid_argument("CopyToStream needs a count or untilClose");
        }
        const std::int64_t position = stream.Position();
        if (count > std::numeric_limits<std::int64_t>::max() - position) {
            throw EIdIOHandlerStreamDataTooLarge();
        }
        stream.SetSize(position + std::min(count, kMaxStreamGrowthInAdvance));
    }
    StreamCutBack cutBack(stream);
    std::int64_t remaining = count;
    const std::size_t held = fInputBuffer.Size();
    const std::size_t first =
        untilClose ? held : static_cast<std::size_t>(std::min<std::int64_t>(held, remaining));
    fInputBuffer.ExtractToStream(stream, first);
    remaining -= static_cast<std::int64_t>(first);

    const auto pieceSize = static_cast<std::size_t>(std::max(RecvBufferSize, 1));
    for (;;) {
        std::size_t chunk = pieceSize;
        if (!untilClose) {
            if (remaining <= 0) {
                break;
            }
            chunk = static_cast<std::size_t>(std::min<std::int64_t>(chunk, remaining));
        }
        try {
            FillInputBuffer(chunk);
        } catch (const EIdConnClosedGracefully&) {
            fInputBuffer.ExtractToStream(stream, std::min(chunk, fInputBuffer.Size()));
            if (untilClose) {
                break;
            }
            throw;
        } catch (...) {
            fInputBuffer.ExtractToStream(stream, std::min(chunk, fInputBuffer.Size()));
            throw;
        }
        fInputBuffer.ExtractToStream(stream, chunk);
        remaining -= static_cast<std::int64_t>(chunk);
    }
}

void TIdIOHandler::SkipBytes(std::int64_t count) {
    while (count > 0) {
        if (fInputBuffer.Empty()) {
            ReceiveSome(false, kUseReadTimeout, true);
            if (fInputBuffer.Empty()) {
                CheckDisconnected(true, true);
            }
            continue;
        }
        const auto drop = static_cast<std::size_t>(
            std::min<std::int64_t>(count, static_cast<std::int64_t>(fInputBuffer.Size())));
        fInputBuffer.Remove(drop);
        count -= static_cast<std::int64_t>(drop);
    }
}

void TIdIOHandler::SkipToClose() {
    fInputBuffer.Clear();
    try {
        for (;;) {
            ReceiveSome(true, kUseReadTimeout, true);
            fInputBuffer.Clear();
        }
    } catch (const EIdConnClosedGracefully&) {
    }
}

bool TIdIOHandler::PollForData(int timeoutMs) {
    // Measured before the connected test, which may itself take in bytes that have arrived.
    const std::size_t before = fInputBuffer.Size();
    if (!Connected()) {
        return false;
    }
    if (fInputBuffer.Size() > before) {
        return true;
    }
    try {
        ReceiveSome(false, timeoutMs, false);
    } catch (const EIdException&) {
        // A poll only reports; the next read raises whatever went wrong.
    }
    return fInputBuffer.Size() > before;
}

void TIdIOHandler::WriteDirect(const std::uint8_t* data, std::size_t count) {
    CheckDisconnected(true, true);
    std::size_t offset = 0;
    while (offset < count) {
        const std::size_t sent = SendToTarget(data + offset, count - offset);
        if (sent == 0) {
            fClosedGracefully = true;
            CheckDisconnected(true, false);
            // Received bytes are still waiting, but these bytes can never be delivered.
            throw EIdConnClosedGracefully();
        }
        offset += sent;
    }
}

void TIdIOHandler::WriteBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return;
    }
    if (!fWriteBuffer) {
        WriteDirect(bytes.data(), bytes.size());
        return;
    }
    fWriteBuffer->Append(bytes);
    if (fWriteThreshold > 0) {
        const auto piece = static_cast<std::size_t>(fWriteThreshold);
        while (fWriteBuffer && fWriteBuffer->Size() >= piece) {
            const TIdBytes chunk = fWriteBuffer->Extract(piece);
            WriteDirect(chunk.data(), chunk.size());
        }
    }
}

void TIdIOHandler::WriteText(std::string_view text) {
    if (text.empty()) {
        return;
    }
    const TIdBytes bytes = TextToBytes(text);
    WriteBytes(bytes);
}

void TIdIOHandler::WriteLine(std::string_view text) {
    std::string line(text);
    line += "\r\n";
    WriteText(line);
}

void TIdIOHandler::WriteStream(TIdStream& stream) {
    TIdBytes chunk(static_cast<std::size_t>(std::max(SendBufferSize, 1)));
    for (;;) {
        const std::size_t n = stream.Read(chunk.data(), chunk.size());
        if (n == 0) {
            break;
        }
        WriteBytes({chunk.data(), n});
    }
}

void TIdIOHandler::StartWriteBuffering(int threshold) {
    if (!fWriteBuffer) {
        fWriteBuffer = std::make_unique<TIdBuffer>();
    }
    fWriteThreshold = threshold;
}

void TIdIOHandler::FlushWriteBuffer() {
    if (!fWriteBuffer) {
        return;
    }
    const std::unique_ptr<TIdBuffer> pending = std::move(fWriteBuffer);
    if (!pending->Empty()) {
        WriteDirect(pending->Bytes().data(), pending->Size());
    }
}

void TIdIOHandler::DropWriteBuffer() {
    fWriteBuffer.reset();
}

}  // namespace tarnwick::http
