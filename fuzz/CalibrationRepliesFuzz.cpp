// The calibration window's replies, taken apart by position: never a read
// past the reply or past the limit it keeps.
#include "FuzzInput.h"
#include "model/CalibrationReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ResultBytes reply = InputBytes(data, size);
  for (const CalibrationReply& split : {SplitCommandReply(reply), SplitChainReply(reply)}) {
    Require(split.text.size() <= kCalibrationReplyLimit);
    Require(split.commandWord.size() <= 2 && split.value.size() <= split.text.size());
    Require(split.cut == (size > kCalibrationReplyLimit));
  }
  const std::string value = LiveReadingValue(reply);
  LiveReadingText(AnalogInput::Voltage, value);
  LiveReadingText(AnalogInput::Current, InputText(data, size));
  return 0;
}
