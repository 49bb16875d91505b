// The traffic transcript reader: any bytes give a result, never a crash;
// without the format's first line nothing is taken from the file.
#include "FuzzInput.h"
#include "comm/TranscriptReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TranscriptRead read = ReadTranscript(InputText(data, size));
  if (!read.recognised) Require(read.events.empty());
  return 0;
}
