#include "comm/QL200Protocol.h"

#include "comm/ExchangeIo.h"
#include "comm/RkComm.h"

namespace {

constexpr std::size_t kMaxFrameLength = 255;  // the length byte counts itself

std::string TrimControl(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

void TQL200Protocol::DescribeExchange(ExchangeRequest& request) const {
  const bool lineEnd = SingleLineReplies && RkComm() != nullptr && RkComm()->FastReplies();
  request.framing = {CharCode(ReceiveStart), CharCode(ReceiveStop), Filtered, lineEnd};
  // The code is the first two characters of the text, behind the head.
  const std::size_t text = ProtocolHead != TSequenceChar::scNone ? 2 : 1;
  const std::uint8_t first = request.frame[text], second = request.frame[text + 1];
  if (lineEnd && text + 2 <= request.frame[0] && first > 32 && second > 32) request.echo = {first, second};
}

void TQL200Protocol::Send() {
  ASCIIProtocol = TrimControl(ASCIIProtocol);
  const std::size_t reserved = (ProtocolHead != TSequenceChar::scNone) + (ProtocolFoot != TSequenceChar::scNone);
  const std::size_t room = kMaxFrameLength - 1 - reserved;
  std::size_t position = 1;
  if (ProtocolHead != TSequenceChar::scNone) SetFrameByte(position++, CharCode(ProtocolHead));
  for (std::size_t i = 0; i < ASCIIProtocol.size() && i < room; ++i)
    SetFrameByte(position++, static_cast<std::uint8_t>(ASCIIProtocol[i]));
  if (ProtocolFoot != TSequenceChar::scNone) SetFrameByte(position++, CharCode(ProtocolFoot));
  SetFrameByte(0, static_cast<std::uint8_t>(position));
  TRkProtocolComponent::Send();
}

void TQL200Protocol::DoReceiveData(const FrameBuffer& data, const FrameBuffer& frame, bool& continuation) {
  if (continuation) MutableResult().clear();
  const std::size_t count = data[0];
  MutableResult().insert(MutableResult().end(), data.begin() + 1, data.begin() + 1 + static_cast<std::ptrdiff_t>(count));
  TRkProtocolComponent::DoReceiveData(data, frame, continuation);
}

void SetUpLineCommand(TQL200Protocol& component, TRkComm* port, int timeoutMs) {
  component.ProtocolFoot = TSequenceChar::scCR;
  component.SetTimeoutTime(timeoutMs);
  component.SetRkComm(port);
}
