#include "model/GraphRecording.h"

#include <algorithm>
#include <limits>

#include "model/DeviceReply.h"
#include "model/Functies.h"
#include "platform/AtomicFile.h"
#include "platform/IniDocument.h"

namespace {

constexpr int kVoltScale = 7;   // 20000 per division: 2 V
constexpr int kCurrentScale = 8;  // 40000 per division: 4 mA

constexpr std::array<GraphSource, kGraphSourceCount> kSources = {{
    {"r0", "(AWE)", -1, false},  // actual position
    {"r1", "(AWE)", -1, false},  // velocity
    {"r8", "(AWE)", -1, false},  // linearised position
    {"r2", "(V)", kVoltScale, true},      // analog output voltage
    {"r3", "(mA)", kCurrentScale, true},  // analog output current
    {"r4", "(V)", kVoltScale, true},      // analog input voltage
    {"r5", "(mA)", kCurrentScale, true},  // analog input current
    {"ra", "(AWE)", -1, false},  // peak hold 1
    {"rb", "(AWE)", -1, false},  // peak hold 2
}};

std::int32_t SaturatedMilliseconds(std::int64_t ms) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(ms, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::string WithDecimalPoint(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

}  // namespace

const GraphSource& GraphSourceAt(int index) {
  return kSources[static_cast<std::size_t>(StoredIndexOrFirst(index, kGraphSourceCount))];
}

int StoredIndexOrFirst(int stored, int count) { return stored >= 0 && stored < count ? stored : 0; }

std::optional<std::int32_t> PollReplyValue(const ResultBytes& reply) {
  if (reply.size() > kPollReplyLimit) return std::nullopt;
  return ParseWholeNumber(ReplyValue(reply, kPollReplyLimit));
}

std::optional<std::int32_t> PollReplyValue(const ResultBytes& reply, std::string_view command) {
  if (!EchoesCommand(reply, command)) return std::nullopt;
  return PollReplyValue(reply);
}

void GraphRecording::Start() { count_ = -1; }

SampleOutcome GraphRecording::AddSample(const ResultBytes& reply, std::int64_t nowMs) {
  return AddSample(PollReplyValue(reply), nowMs);
}

SampleOutcome GraphRecording::AddSample(std::string_view valueText, std::int64_t nowMs) {
  return AddSample(ParseWholeNumber(valueText), nowMs);
}

SampleOutcome GraphRecording::AddSample(std::optional<std::int32_t> value, std::int64_t nowMs) {
  // A reply still in flight when the buffer filled must not replace the last sample.
  if (Full()) return SampleOutcome::Ignored;
  ++count_;
  const auto at = static_cast<std::size_t>(count_);
  if (count_ == 0) {
    startTick_ = nowMs;
    times_[0] = 0;
  } else {
    times_[at] = SaturatedMilliseconds(nowMs - startTick_);
  }
  if (value) values_[at] = *value;
  return Full() ? SampleOutcome::BufferFull : SampleOutcome::Added;
}

std::string GraphRecording::BufferTimeText() const {
  const std::int32_t ms = count_ < 0 ? 0 : times_[static_cast<std::size_t>(count_)];
  return FormatFixed(1, ms / 100) + " sec";
}

std::optional<int> GraphErrorStatusIndex(const TCommError& error) {
  if (error.Code == ceTimeout) return 0;
  // Any other failure stops the recording too and must say so.
  if (!error.IsSuccess()) return 1;
  return std::nullopt;
}

std::string GraphCsvText(const GraphRecording& recording, int source,
                         const std::array<std::int32_t, kParameterCount>& parameters) {
  const GraphSource& info = GraphSourceAt(source);
  std::string text = std::string("time (ms),raw value,value ") + info.unitCaption + "\r\n";
  for (std::int32_t i = 0; i <= recording.LogCount(); ++i) {
    const std::int32_t value = recording.LogValues()[static_cast<std::size_t>(i)];
    const std::string shown = info.analog ? FormatFixed(4, value, parameters)
                                          : FormatFixed(kDecimalsOfPositions, value, parameters);
    text += std::to_string(recording.LogTimes()[static_cast<std::size_t>(i)]) + "," + std::to_string(value) + "," +
            WithDecimalPoint(shown) + "\r\n";
  }
  return text;
}

bool SaveGraphCsv(const std::string& path, const GraphRecording& recording, int source,
                  const std::array<std::int32_t, kParameterCount>& parameters, std::string* error) {
  return WriteFileAtomically(path, GraphCsvText(recording, source, parameters), error);
}
