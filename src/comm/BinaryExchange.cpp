// The worker side of the two binary protocols. Rk2 tries once; ZRX tries
// three times, except when the device stays silent. After a failure an
// abort frame tells the device to drop the exchange.
#include "comm/BinaryFraming.h"
#include "comm/ExchangeIo.h"

namespace {

template <typename Decoder>
void Receive(ExchangeIo& io, Decoder& decoder) {
  std::uint8_t byte = 0;
  while (io.ReadOneByte(byte)) {
    if (decoder.Push(byte) == DecodeStatus::Done) {
      io.Error().Code = decoder.Code();
      return;
    }
  }
}

void SendKeepingError(ExchangeIo& io, const std::vector<std::uint8_t>& frame) {
  const TCommError saved = io.Error();
  io.SendFrame(frame.data(), frame.size());
  io.Error() = saved;
}

enum class Outcome { Success, Again, Failed, Over };

// What follows a received frame (or a failure) in both protocols.
template <typename Decoder>
Outcome Conclude(ExchangeIo& io, const Decoder& decoder) {
  TCommError& error = io.Error();
  if (io.Terminated()) return Outcome::Over;
  if (error.Code == ceDeviceError) return Outcome::Over;
  if (error.Code != 0 && error.Code != ceTimeout && !io.Drain()) return Outcome::Over;
  if (error.Code != 0) return Outcome::Failed;
  bool continuation = false;
  io.Buffer() = decoder.Buffer();
  io.HandOver(continuation);
  return continuation ? Outcome::Again : Outcome::Success;
}

}  // namespace

void RunRk2Exchange(ExchangeIo& io, const ExchangeRequest& request) {
  TCommError& error = io.Error();
  for (;;) {
    error = TCommError{};
    if (request.frame[0] == 0) {
      error.Code = ceEmptyFrame;
      return;
    }
    const auto wire = EncodeRk2(request.frame);
    io.SendFrame(wire.data(), wire.size());
    if (io.Terminated() || error.Code != 0) return;
    Rk2Decoder decoder;
    Receive(io, decoder);
    switch (Conclude(io, decoder)) {
      case Outcome::Again: continue;
      case Outcome::Failed: SendKeepingError(io, kRk2AbortFrame); return;
      case Outcome::Success:
      case Outcome::Over: return;
    }
  }
}

void RunZrxExchange(ExchangeIo& io, const ExchangeRequest& request) {
  TCommError& error = io.Error();
  int attempts = 0;
  for (;;) {
    error = TCommError{};
    if (request.frame[0] == 0) {
      error.Code = ceEmptyFrame;
      return;
    }
    const auto wire = EncodeZrx(request.frame);
    io.SendFrame(wire.data(), wire.size());
    if (io.Terminated() || error.Code == cePortClosed) return;
    if (error.Code != 0) {
      if (++attempts <= 2) continue;
      return;
    }
    ZrxDecoder decoder;
    Receive(io, decoder);
    switch (Conclude(io, decoder)) {
      case Outcome::Again:
        attempts = 0;
        continue;
      case Outcome::Failed:
        SendKeepingError(io, kZrxAbortFrame);
        if (io.Terminated() || error.Code == ceTimeout || ++attempts > 2) return;
        continue;
      case Outcome::Success:
      case Outcome::Over: return;
    }
  }
}
