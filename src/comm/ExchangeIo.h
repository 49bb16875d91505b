#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "comm/AsciiFraming.h"
#include "comm/FrameBuffer.h"
#include "comm/RkGlobal.h"

// What the worker copies from a request when its exchange starts.
struct ExchangeRequest {
  FrameBuffer frame{};  // byte 0 = frame length L counting itself, then L-1 bytes to send
  int firstByteTimeoutMs = 100;
  AsciiFraming framing;  // ASCII protocol only
  // ASCII protocol: the code a reply echoes (the command's first two
  // characters; zeros when it has none). A reply that ended at its line end
  // without it is out of step with its command.
  std::array<std::uint8_t, 2> echo{};
  // Before sending, let the line fall quiet: an earlier reply was found out
  // of step, so more of it may still be on its way.
  bool quietFirst = false;
};

// The worker's port operations as the exchange procedures use them. Every
// operation records its failure in Error() and returns false (or leaves
// Error() non-zero); after Terminated() turns true a procedure ends at once
// and nothing is delivered.
class ExchangeIo {
public:
  virtual ~ExchangeIo() = default;
  virtual bool Terminated() const = 0;
  virtual TCommError& Error() = 0;
  // The exchange buffer handed to the component: byte 0 = count, bytes follow.
  virtual FrameBuffer& Buffer() = 0;
  // Purge, write every byte, flush; arms the first-byte time-out.
  virtual void SendFrame(const std::uint8_t* bytes, std::size_t count) = 0;
  // One reply byte: the first waits for the first-byte time-out, later ones
  // 50 ms. False with Error() = ceTimeout when nothing came.
  virtual bool ReadOneByte(std::uint8_t& byte) = 0;
  // Reads and discards what is still arriving (up to 512 bytes) after a
  // failed attempt; keeps Error(). False when the port closed meanwhile.
  virtual bool Drain() = 0;
  // Discards whatever has arrived and not been read; keeps Error().
  virtual void PurgeInput() = 0;
  // What still arrives after this reply is not the next one's: the next
  // exchange waits for a quiet line before it sends.
  virtual void ExpectStrayBytes() = 0;
  // This reply ended at its line end, not by silence: should bytes be
  // waiting when the next exchange starts (the rest of a doubled reply,
  // noise), that exchange waits for a quiet line before it sends.
  virtual void EndedBeforeSilence() = 0;
  // Hands Buffer() to the component on the UI thread and waits.
  virtual void HandOver(bool& continuation) = 0;
  // Hands Buffer(), the last bytes of the exchange, over together with its
  // outcome: one visit to the UI thread instead of two. Nothing may follow
  // but the end of the exchange.
  virtual void HandOverWithOutcome(bool continuation) = 0;
  // The line's clock in milliseconds (monotonic; simulated on a test line).
  virtual std::int64_t NowMs() const = 0;
};

// The three exchange procedures; each leaves the outcome in io.Error().
void RunQL200Exchange(ExchangeIo& io, const ExchangeRequest& request);
void RunRk2Exchange(ExchangeIo& io, const ExchangeRequest& request);
void RunZrxExchange(ExchangeIo& io, const ExchangeRequest& request);
