// The graph's samples: the input is a stream of poll replies (each ends at
// a LF) taken into a recording as they come; the recording never grows
// past its buffer, and its times never run backwards.
#include "FuzzInput.h"
#include "model/GraphRecording.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GraphRecording recording;
  recording.Start();
  std::int64_t now = 0;
  for (const ResultBytes& reply : InputPieces(data, size, '\n')) {
    now += reply.empty() ? 0 : reply.front();
    PollReplyValue(reply, "r0");
    recording.AddSample(reply, now);
  }
  Require(recording.LogCount() <= kLastLogIndex);
  for (std::int32_t i = 1; i <= recording.LogCount(); ++i)
    Require(recording.LogTimes()[static_cast<std::size_t>(i)] >= recording.LogTimes()[static_cast<std::size_t>(i - 1)]);
  recording.BufferTimeText();
  return 0;
}
