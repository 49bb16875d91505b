#include "comm/BinaryFraming.h"

namespace {

constexpr std::uint8_t k82 = 0x82;
constexpr std::uint8_t k96 = 0x96;
constexpr std::uint8_t kDLE = 0x10;
constexpr std::uint8_t kSTX = 0x02;
constexpr std::uint8_t kETX = 0x03;
constexpr std::uint8_t kErrorReply = 0xFF;

void PutStuffed(std::vector<std::uint8_t>& out, std::uint8_t byte, std::uint8_t escape) {
  out.push_back(byte);
  if (byte == escape) out.push_back(byte);
}

}  // namespace

std::vector<std::uint8_t> EncodeRk2(const FrameBuffer& message) {
  const std::size_t length = message[0];
  std::vector<std::uint8_t> out{k82, k96};
  std::uint8_t check = 0;
  for (std::size_t i = 0; i < length; ++i) {
    PutStuffed(out, message[i], k82);
    check ^= message[i];
  }
  PutStuffed(out, check, k82);
  return out;
}

std::vector<std::uint8_t> EncodeZrx(const FrameBuffer& message) {
  const std::size_t length = message[0];
  std::vector<std::uint8_t> out{kDLE, kSTX};
  std::uint8_t check = 0;
  for (std::size_t i = 1; i < length; ++i) {
    PutStuffed(out, message[i], kDLE);
    check ^= message[i];
  }
  out.insert(out.end(), {kDLE, kETX, check});
  return out;
}

DecodeStatus Rk2Decoder::Fail(std::int32_t code) {
  code_ = code;
  return DecodeStatus::Done;
}

DecodeStatus Rk2Decoder::Complete() {
  if (check_ != 0) return Fail(ceCheckSum);
  if (buffer_[1] == kErrorReply) return Fail(ceDeviceError);
  return Fail(0);
}

DecodeStatus Rk2Decoder::Push(std::uint8_t byte) {
  switch (state_) {
    case State::Header:
      header_[index_++] = byte;
      if (index_ < 3) return DecodeStatus::NeedMore;
      // A length of 0 cannot be a message (L counts itself).
      if (header_[0] != k82 || header_[1] != k96 || header_[2] == 0) return Fail(ceHeader82);
      check_ = byte;
      buffer_[0] = byte;
      expected_ = byte;
      index_ = 1;
      state_ = byte == k82 ? State::LengthDuplicate : State::Data;
      return DecodeStatus::NeedMore;
    case State::LengthDuplicate:
      // The doubled length byte takes no place in the buffer.
      if (byte != k82) return Fail(ceNo82Duplicate);
      state_ = State::Data;
      return DecodeStatus::NeedMore;
    case State::Data:
      buffer_[index_] = byte;
      check_ ^= byte;
      if (byte == k82) {
        state_ = State::Duplicate;
        return DecodeStatus::NeedMore;
      }
      if (index_ == expected_) return Complete();
      ++index_;
      return DecodeStatus::NeedMore;
    case State::Duplicate:
      if (byte != k82) return Fail(ceNo82Duplicate);
      if (index_ == expected_) return Complete();
      ++index_;
      state_ = State::Data;
      return DecodeStatus::NeedMore;
  }
  return Fail(ceHeader82);
}

DecodeStatus ZrxDecoder::Fail(std::int32_t code) {
  code_ = code;
  return DecodeStatus::Done;
}

DecodeStatus ZrxDecoder::Store(std::uint8_t byte) {
  // The count byte (payload + 1) must fit in one byte; a longer frame is corrupt.
  if (index_ >= 254) return Fail(ceCheckSum);
  buffer_[++index_] = byte;
  check_ ^= byte;
  return DecodeStatus::NeedMore;
}

DecodeStatus ZrxDecoder::Push(std::uint8_t byte) {
  switch (state_) {
    case State::Header:
      if (headerCount_ < 2) {
        header_[headerCount_++] = byte;
        return DecodeStatus::NeedMore;
      }
      if (header_[0] != kDLE || header_[1] != kSTX) return Fail(ceHeaderDLE);
      if (byte == kDLE) {
        state_ = State::Escape;
        return DecodeStatus::NeedMore;
      }
      state_ = State::Data;
      return Store(byte);
    case State::Data:
      if (byte == kDLE) {
        state_ = State::Escape;
        return DecodeStatus::NeedMore;
      }
      return Store(byte);
    case State::Escape:
      if (byte == kDLE) {
        state_ = State::Data;
        return Store(byte);
      }
      if (byte == kETX) {
        state_ = State::Check;
        return DecodeStatus::NeedMore;
      }
      return Fail(ceNoDLEDuplicate);
    case State::Check:
      check_ ^= byte;
      if (check_ != 0) return Fail(ceCheckSum);
      buffer_[0] = static_cast<std::uint8_t>(index_ + 1);
      if (index_ >= 1 && buffer_[1] == kErrorReply) return Fail(ceDeviceError);
      return Fail(0);
  }
  return Fail(ceHeaderDLE);
}
