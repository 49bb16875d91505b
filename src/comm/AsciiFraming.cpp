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
  return AsciiStep::NeedMore;
}
