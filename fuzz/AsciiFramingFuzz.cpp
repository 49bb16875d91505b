// The ASCII reply decoder as the worker drives it: the first input byte
// picks the framing and the pace, the rest arrives byte by byte. Whatever
// arrives, no more bytes are handed over than came in, and a reply never
// grows past its limits.
#include "FuzzInput.h"
#include "comm/AsciiFraming.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  AsciiFraming framing;
  framing.start = data[0] & 0x80 ? data[1] : 0;
  framing.stop = data[0] & 0x40 ? data[2] : 0;
  framing.filtered = (data[0] & 0x20) != 0;
  const std::int64_t msPerByte = data[0] & 0x1F;
  AsciiReplyDecoder decoder(framing);
  std::size_t handedOver = 0, fed = 0;
  for (std::size_t i = 3; i < size; ++i) {
    const AsciiStep step = decoder.Push(data[i], static_cast<std::int64_t>(fed) * msPerByte);
    ++fed;
    handedOver += decoder.Pending().size();
    decoder.TakePending();
    if (step == AsciiStep::Overflow) {
      Require(fed > AsciiReplyDecoder::kMaxReplyBytes ||
              static_cast<std::int64_t>(fed - 1) * msPerByte >= AsciiReplyDecoder::kMaxReplyMs);
      break;
    }
    if (step == AsciiStep::Done || step == AsciiStep::BadStart) break;
  }
  Require(handedOver <= fed && fed <= AsciiReplyDecoder::kMaxReplyBytes + 1);
  decoder.Silence();
  return 0;
}
