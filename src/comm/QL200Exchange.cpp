// The worker side of one ASCII line exchange: send the command, collect the
// reply byte by byte until 50 ms of silence (or the stop character), hand
// every byte to the component as it arrives. A silent device is tried once;
// line errors, failed port calls and a wrong start character three times.
#include <algorithm>

#include "comm/ExchangeIo.h"

namespace {

enum class Attempt { Done, Retry };

// Reads the reply of one attempt. Returns Done when the exchange is over
// (success, silence, closed port, termination) and Retry after a failure
// that deserves another attempt.
Attempt ReceiveReply(ExchangeIo& io, const ExchangeRequest& request, bool& continuation) {
  TCommError& error = io.Error();
  FrameBuffer& buffer = io.Buffer();
  bool receiving = false;
  std::size_t index = 0;
  buffer[0] = 0;

  auto handOver = [&] {
    receiving = true;
    io.HandOver(continuation);
    index = 0;
    buffer[0] = 0;
  };

  for (;;) {
    std::uint8_t byte = 0;
    if (!io.ReadOneByte(byte)) {
      if (io.Terminated() || error.Code == cePortClosed) return Attempt::Done;
      if (error.Code == ceTimeout) {
        if (receiving) error.Code = 0;  // silence after the reply: complete
        return Attempt::Done;           // silence before any byte: the device did not answer
      }
      return Attempt::Retry;
    }
    buffer[++index] = byte;
    buffer[0] = static_cast<std::uint8_t>(index);

    if (!receiving && request.start != 0) {
      if (request.filtered) buffer[0] = static_cast<std::uint8_t>(--index);
      if (byte != request.start) {
        error.Code = ceStartChar;
        return Attempt::Retry;
      }
      handOver();
    } else if (request.stop != 0 && byte == request.stop) {
      if (request.filtered) {
        buffer[0] = static_cast<std::uint8_t>(--index);
      } else {
        handOver();
      }
      return Attempt::Done;
    } else {
      handOver();
    }
    if (io.Terminated()) return Attempt::Done;
  }
}

}  // namespace

void RunQL200Exchange(ExchangeIo& io, const ExchangeRequest& request) {
  TCommError& error = io.Error();
  FrameBuffer& buffer = io.Buffer();
  bool continuation = false;
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
