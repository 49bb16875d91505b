// The reply checks every exchange goes through (model/DeviceReply.h), and
// the read and write runs' check: a value is only ever taken from one whole
// line that echoes its command.
#include <string>

#include "FuzzInput.h"
#include "model/DeviceReply.h"
#include "model/ServiceInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ResultBytes reply = InputBytes(data, size);
  ReplyValue(reply);
  ReplyText(reply, kShortReplyCopyLimit);
  ReplyLines(reply);
  EchoesCommand(reply, "rp");
  CheckComputeReply(InputText(data, size));
  if (const auto value = ParseDecimal(InputText(data, size))) Require(ParseDecimal(std::to_string(*value)) == value);
  if (const auto line = ReplyLine(reply)) Require(line->size() + 2 == size);
  for (const char* code : {"rp", "rs", "wp", "ws"})
    for (int number : {0, 7, 315}) {
      const auto rest = EchoedReplyRest(reply, code, number);
      if (rest) Require(size >= rest->size() + 5 && InputText(data, size).starts_with(code));
    }
  return 0;
}
