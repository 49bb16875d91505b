// The binary reply decoders (Rk2 and ZRX) as the worker feeds them: any
// bytes end in an outcome or ask for more, and a good frame holds what its
// length byte says. A good payload encoded again decodes to itself.
#include <cstring>

#include "FuzzInput.h"
#include "comm/BinaryFraming.h"

namespace {

template <typename Decoder>
void Decode(const std::uint8_t* data, std::size_t size,
            std::vector<std::uint8_t> (*encode)(const FrameBuffer&)) {
  Decoder decoder;
  for (std::size_t i = 0; i < size; ++i) {
    if (decoder.Push(data[i]) == DecodeStatus::NeedMore) continue;
    if (decoder.Code() != 0) return;
    const FrameBuffer& frame = decoder.Buffer();
    Require(frame[0] >= 1);
    Decoder again;
    bool done = false;
    for (std::uint8_t byte : encode(frame)) done = again.Push(byte) == DecodeStatus::Done;
    Require(done && again.Code() == 0 && std::memcmp(again.Buffer().data(), frame.data(), frame[0]) == 0);
    return;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Decode<Rk2Decoder>(data, size, EncodeRk2);
  Decode<ZrxDecoder>(data, size, EncodeZrx);
  return 0;
}
