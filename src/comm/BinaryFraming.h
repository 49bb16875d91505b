#pragma once

#include <cstdint>
#include <vector>

#include "comm/FrameBuffer.h"
#include "comm/RkGlobal.h"

// Wire frames of the two binary protocols, as pure functions and byte-fed
// state machines without any I/O, so tests can feed them bytes directly.
//
// Message: byte 0 = L (payload bytes + 1), bytes 1 .. L-1 = payload.
//
// Rk2:  82h 96h, L and the payload with every 82h sent twice, then the XOR
//       of L and the payload (sent twice when it is 82h).
// ZRX:  DLE STX, the payload with every DLE sent twice (L is not sent),
//       DLE ETX, then the XOR of the payload, sent once.

std::vector<std::uint8_t> EncodeRk2(const FrameBuffer& message);
std::vector<std::uint8_t> EncodeZrx(const FrameBuffer& message);

// The frames a worker sends after a failed exchange.
inline const std::vector<std::uint8_t> kRk2AbortFrame{0x82, 0x00, 0x82, 0x00};
inline const std::vector<std::uint8_t> kZrxAbortFrame{0x10, 0x00, 0x10, 0x00};

enum class DecodeStatus {
  NeedMore,  // feed the next byte
  Done,      // Code() holds the outcome: 0, ceCheckSum, ceDeviceError or a framing code
};

// Receive buffer after a good reply: byte 0 = n + 1 (n payload bytes),
// bytes 1 .. n = payload, byte n + 1 = check byte (Rk2 only).
class Rk2Decoder {
public:
  DecodeStatus Push(std::uint8_t byte);
  std::int32_t Code() const { return code_; }
  const FrameBuffer& Buffer() const { return buffer_; }

private:
  enum class State { Header, LengthDuplicate, Data, Duplicate };
  DecodeStatus Complete();
  DecodeStatus Fail(std::int32_t code);

  State state_ = State::Header;
  FrameBuffer buffer_{};
  std::uint8_t header_[3] = {};
  std::size_t index_ = 0;
  std::size_t expected_ = 0;
  std::uint8_t check_ = 0;
  std::int32_t code_ = 0;
};

class ZrxDecoder {
public:
  DecodeStatus Push(std::uint8_t byte);
  std::int32_t Code() const { return code_; }
  const FrameBuffer& Buffer() const { return buffer_; }

private:
  enum class State { Header, Data, Escape, Check };
  DecodeStatus Store(std::uint8_t byte);
  DecodeStatus Fail(std::int32_t code);

  State state_ = State::Header;
  FrameBuffer buffer_{};
  std::uint8_t header_[2] = {};
  std::size_t headerCount_ = 0;
  std::size_t index_ = 0;  // payload bytes held
  std::uint8_t check_ = 0;
  std::int32_t code_ = 0;
};
