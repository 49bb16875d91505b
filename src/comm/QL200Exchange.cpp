// The worker side of one ASCII line exchange: send the command, collect the
// reply byte by byte until 50 ms of silence (or the stop character), hand
// every byte to the component as it arrives. With fast replies a single-line
// reply ends at its CR LF and reaches the component whole, with its outcome.
// A silent device is tried once; line errors, failed port calls and a wrong
// start character three times; a reply that never ends once.
#include <algorithm>

#include "comm/ExchangeIo.h"

namespace {

enum class Attempt { Done, Retry };

// Bytes the exchange buffer carries in one hand-over (byte 0 is the count).
constexpr std::size_t kHandOverChunk = kFrameSize - 1;

void TakeIntoBuffer(ExchangeIo& io, AsciiReplyDecoder& decoder) {
  FrameBuffer& buffer = io.Buffer();
  const auto& pending = decoder.Pending();
  const std::size_t count = std::min(pending.size(), buffer.size() - 1);
  buffer[0] = static_cast<std::uint8_t>(count);
  std::copy_n(pending.begin(), count, buffer.begin() + 1);
  decoder.TakePending();
}

void HandOverPending(ExchangeIo& io, AsciiReplyDecoder& decoder, bool& continuation) {
  TakeIntoBuffer(io, decoder);
  io.HandOver(continuation);
  io.Buffer()[0] = 0;
}

// The end of a reply: its last bytes reach the component with the outcome
// when they were gathered for a whole line, else on their own as before.
void HandOverLast(ExchangeIo& io, const ExchangeRequest& request, AsciiReplyDecoder& decoder, bool continuation) {
  if (decoder.Pending().empty()) return;
  if (!request.framing.lineEnd) {
    HandOverPending(io, decoder, continuation);
    return;
  }
  TakeIntoBuffer(io, decoder);
  io.HandOverWithOutcome(continuation);
}

// Reads the reply of one attempt. Returns Done when the exchange is over
// (success, silence, overflow, closed port, termination) and Retry after a
// failure that deserves another attempt.
Attempt ReceiveReply(ExchangeIo& io, const ExchangeRequest& request, bool& continuation) {
  TCommError& error = io.Error();
  io.Buffer()[0] = 0;
  AsciiReplyDecoder decoder(request.framing);
  std::int64_t firstByteAt = 0;
  std::size_t head = 0;  // reply bytes compared with the echo so far
  bool inStep = true;
  for (;;) {
    std::uint8_t byte = 0;
    if (!io.ReadOneByte(byte)) {
      if (io.Terminated() || error.Code == cePortClosed) return Attempt::Done;
      if (error.Code != ceTimeout) return Attempt::Retry;
      // Silence after the reply completes it; silence before any byte means
      // the device did not answer, which another attempt will not change.
      if (decoder.Silence() == AsciiStep::Done) {
        error.Code = 0;
        HandOverLast(io, request, decoder, continuation);
      }
      return Attempt::Done;
    }
    if (!decoder.Receiving()) firstByteAt = io.NowMs();
    if (head < request.echo.size() && request.echo[0] != 0 && request.echo[head] != byte) inStep = false;
    ++head;
    switch (decoder.Push(byte, io.NowMs() - firstByteAt)) {
      case AsciiStep::NeedMore:
        // A reply that ends at its line end reaches the component whole: one
        // hand-over instead of one per byte (or one per full buffer).
        if (!request.framing.lineEnd || decoder.Pending().size() >= kHandOverChunk)
          HandOverPending(io, decoder, continuation);
        break;
      case AsciiStep::Done:
        HandOverLast(io, request, decoder, continuation);
        // A line that does not echo its command is the tail of an earlier
        // reply (doubled, late) or noise; the real reply may follow. One
        // that does may still have something behind it.
        if (decoder.EndedAtLineEnd()) {
          if (inStep) io.EndedBeforeSilence();
          else io.ExpectStrayBytes();
        }
        return Attempt::Done;
      case AsciiStep::BadStart: error.Code = ceStartChar; return Attempt::Retry;
      case AsciiStep::Overflow:
        // A peer that never falls silent must not hold the port: the reply
        // fails as an overrun of the receive buffer, and what is still
        // coming is thrown away.
        error.Code = ceLineError;
        error.CommErrors = CE_RXOVER;
        io.PurgeInput();
        return Attempt::Done;
      case AsciiStep::NoReply: return Attempt::Done;
    }
    if (io.Terminated()) return Attempt::Done;
  }
}

}  // namespace

void RunQL200Exchange(ExchangeIo& io, const ExchangeRequest& request) {
  TCommError& error = io.Error();
  FrameBuffer& buffer = io.Buffer();
  // The first hand-over of every exchange starts the reply afresh: a
  // component sent twice before its first exchange ran would otherwise
  // collect both replies as one.
  bool continuation = true;
  for (int attempts = 0;; ++attempts) {
    error = TCommError{};
    const std::size_t length = request.frame[0];
    if (length == 0) {
      error.Code = ceEmptyFrame;
      return;
    }
    buffer.fill(0);
    std::copy(request.frame.begin() + 1, request.frame.begin() + static_cast<std::ptrdiff_t>(length), buffer.begin());
    io.SendFrame(buffer.data(), length - 1);
    if (io.Terminated() || error.Code == cePortClosed) return;
    if (error.Code != 0) {
      if (attempts < 2) continue;
      return;
    }

    if (ReceiveReply(io, request, continuation) == Attempt::Done) return;

    if (!io.Drain()) return;
    // The next attempt's first hand-over clears what this one delivered.
    continuation = true;
    if (attempts >= 2) return;
  }
}
