#pragma once

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
  bool quietFirst = false;  // discard what arrives until the line is quiet, then send
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
  // Hands Buffer() to the component on the UI thread and waits.
  virtual void HandOver(bool& continuation) = 0;
  // The line's clock in milliseconds (monotonic; simulated on a test line).
  virtual std::int64_t NowMs() const = 0;
};

// The three exchange procedures; each leaves the outcome in io.Error().
void RunQL200Exchange(ExchangeIo& io, const ExchangeRequest& request);
void RunRk2Exchange(ExchangeIo& io, const ExchangeRequest& request);
void RunZrxExchange(ExchangeIo& io, const ExchangeRequest& request);
