#include "comm/AsciiFraming.h"

AsciiStep AsciiReplyDecoder::Push(std::uint8_t byte, std::int64_t msSinceFirstByte) {
  if (++total_ > kMaxReplyBytes || msSinceFirstByte >= kMaxReplyMs) return AsciiStep::Overflow;
  const bool first = !receiving_;
  if (first && framing_.start != 0) {
    if (byte != framing_.start) return AsciiStep::BadStart;
    receiving_ = true;
    if (!framing_.filtered) pending_.push_back(byte);
    return AsciiStep::NeedMore;
  }
  receiving_ = true;
  if (framing_.stop != 0 && byte == framing_.stop) {
    if (!framing_.filtered) pending_.push_back(byte);
    return AsciiStep::Done;
  }
  pending_.push_back(byte);
  // The CR must not be the reply's first byte: a lone line end left over
  // from an earlier reply is no reply of its own.
  endedAtLineEnd_ = framing_.lineEnd && byte == '\n' && previous_ == '\r' && total_ >= 3;
  previous_ = byte;
  return endedAtLineEnd_ ? AsciiStep::Done : AsciiStep::NeedMore;
}
