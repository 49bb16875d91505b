#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "comm/RkGlobal.h"
#include "comm/RkProtocolComponent.h"
#include "model/Global_var.h"

// The live log graph's recording: up to 4001 time-stamped samples of one
// polled quantity, the quantities it can poll, and the recording as CSV.

constexpr int kLogSize = 4001;
constexpr std::int32_t kLastLogIndex = kLogSize - 1;
// Bytes of a poll reply the graph looks at.
constexpr std::size_t kPollReplyLimit = 50;

// The quantities the graph can record, by position in ComboBoxBron.
struct GraphSource {
  const char* command;         // polled: "r0"
  const char* unitCaption;     // "(AWE)", "(V)", "(mA)"
  int forcedValueScaleIndex;   // ListBoxY index the source forces (the list is then disabled), or -1
  bool analog;                 // axis labels are the division value / 10000, as whole numbers
};
constexpr int kGraphSourceCount = 9;
// Source `index`; an index outside 0 .. 8 gives source 0.
const GraphSource& GraphSourceAt(int index);

// A list index stored in the configuration (X_Div, Y_Div, BronItem): kept
// when it names an entry of a list of `count` entries, else the first entry.
int StoredIndexOrFirst(int stored, int count);

// The value of a poll reply: the text between the echo ("r0 ") and the last
// two bytes as a whole number. No value when it is not one, and for a reply
// longer than kPollReplyLimit (its value may have been cut).
std::optional<std::int32_t> PollReplyValue(const ResultBytes& reply);
// The same for the reply to `command` ("r0"): also no value when the reply
// does not echo it (a refusal "er 1" would otherwise read as the value 1).
std::optional<std::int32_t> PollReplyValue(const ResultBytes& reply, std::string_view command);

enum class SampleOutcome {
  Added,       // the sample is stored
  BufferFull,  // stored, and it was the last one: stop polling, StatusTexts[4]
  Ignored,     // the buffer was already full; nothing changed
};

class GraphRecording {
public:
  // A new recording: the next sample is sample 0 (older values are
  // overwritten as new samples arrive).
  void Start();

  // One poll reply at `nowMs` of a monotonic millisecond clock. A value that
  // is not a whole number still takes a sample and its time; the value entry
  // keeps its previous content.
  SampleOutcome AddSample(const ResultBytes& reply, std::int64_t nowMs);
  SampleOutcome AddSample(std::string_view valueText, std::int64_t nowMs);
  SampleOutcome AddSample(std::optional<std::int32_t> value, std::int64_t nowMs);

  const std::array<std::int32_t, kLogSize>& LogValues() const { return values_; }
  // Milliseconds since sample 0.
  const std::array<std::int32_t, kLogSize>& LogTimes() const { return times_; }
  // Index of the newest sample: -1 before the first one, at most 4000.
  std::int32_t LogCount() const { return count_; }
  std::int64_t LogStartTick() const { return startTick_; }
  bool Full() const { return count_ >= kLastLogIndex; }

  // LabelBufferCount: the newest sample's time in seconds with one decimal,
  // "12,3 sec"; "0,0 sec" before the first sample.
  std::string BufferTimeText() const;

private:
  std::array<std::int32_t, kLogSize> values_{};
  std::array<std::int32_t, kLogSize> times_{};
  std::int32_t count_ = -1;
  std::int64_t startTick_ = 0;
};

// The index of StatusTexts for a failed poll: 0 when the device did not
// answer, 1 for any other failure (port or line fault, port closed), no
// value for the all-clear record.
std::optional<int> GraphErrorStatusIndex(const TCommError& error);

// The recording as CSV for spreadsheets: "," separates the fields, "." is
// the decimal point, lines end in CR LF. A header line, then per sample its
// time in ms, its raw value and the value as the axis shows it (analog
// sources in V or mA with 4 decimals, the others with the decimals of
// parameter 203).
std::string GraphCsvText(const GraphRecording& recording, int source,
                         const std::array<std::int32_t, kParameterCount>& parameters);
// Writes GraphCsvText to `path` atomically; on failure *error holds the reason.
bool SaveGraphCsv(const std::string& path, const GraphRecording& recording, int source,
                  const std::array<std::int32_t, kParameterCount>& parameters, std::string* error = nullptr);
