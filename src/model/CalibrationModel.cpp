#include "model/CalibrationModel.h"

#include <algorithm>

#include "model/Functies.h"
#include "model/ParameterNumbers.h"
#include "platform/IniDocument.h"

namespace {

// The whole number a chain reply carries for "kr <address>", or the red text
// that stops the chain. A refusal ("er 7") or the answer for another word
// must not be stored under this word, and a cut reply may have lost digits.
struct ChainValue {
  std::optional<std::int32_t> value;
  CalibrationStatus status;
};

ChainValue CheckChainReply(const CalibrationReply& parts, std::int32_t address) {
  const std::string request = ReadWordCommand(address);
  if (parts.cut) return {std::nullopt, {parts.text + ": reply too long", true}};
  const bool echoed = parts.commandWord == "kr" && (!parts.twoParts || ParseWholeNumber(parts.firstToken) == address);
  if (!echoed) return {std::nullopt, {parts.text + ": not the answer to " + request, true}};
  const auto value = ParseWholeNumber(parts.value);
  if (!value) return {std::nullopt, {parts.text + ": invalid value", true}};
  return {value, {parts.text, false}};
}

std::string InputModeCommand(AnalogInput input) {
  return "wp " + std::to_string(ParameterNumber::AnalogInputMode) + (input == AnalogInput::Voltage ? " 0" : " 1");
}

}  // namespace

std::string CalibrationModel::Activate() {
  calibrationModeOn_ = false;
  readAddress_ = kReadChainOrder.front();
  readChainRunning_ = true;
  notSaved_ = false;
  controls_ = CalibrationControls{};
  return ReadWordCommand(readAddress_);
}

ReadChainStep CalibrationModel::ReadChainReply(const ResultBytes& reply) {
  const CalibrationReply parts = SplitChainReply(reply);
  ReadChainStep step;
  step.status = {parts.text, false};
  if (!readChainRunning_) return step;  // a stray reply after the chain ended

  const ChainValue checked = CheckChainReply(parts, readAddress_);
  step.status = checked.status;
  if (!checked.value) {
    readChainRunning_ = false;
    return step;
  }
  const int index = *CalibrationWordIndex(readAddress_);
  // The spin box stores the nearest bound for a value beyond its range, and
  // what it holds is what counts as saved.
  const std::int32_t shown = ClampToSpinRange(*checked.value, CalibrationWords()[static_cast<std::size_t>(index)]);
  spinValues_[static_cast<std::size_t>(index)] = shown;
  savedValues_[static_cast<std::size_t>(index)] = shown;
  step.wordIndex = index;
  step.spinValue = shown;

  const auto at = std::find(kReadChainOrder.begin(), kReadChainOrder.end(), readAddress_);
  if (at + 1 != kReadChainOrder.end()) {
    readAddress_ = *(at + 1);
    step.nextCommand = ReadWordCommand(readAddress_);
  } else {
    readChainRunning_ = false;
    step.nextCommand = StartTeachChain();
    step.nextOnTeachComponent = true;
  }
  return step;
}

std::string CalibrationModel::StartTeachChain() {
  teachAddress_ = TeachWords().front().address;
  return ReadWordCommand(teachAddress_);
}

TeachChainStep CalibrationModel::TeachChainReply(const ResultBytes& reply) {
  const CalibrationReply parts = SplitChainReply(reply);
  TeachChainStep step;
  step.status = {parts.text, false};
  const std::int32_t first = TeachWords().front().address;
  if (teachAddress_ < first || teachAddress_ >= kTeachChainEnd) return step;  // no teach value expected

  const ChainValue checked = CheckChainReply(parts, teachAddress_);
  step.status = checked.status;
  if (!checked.value) {
    teachAddress_ = kTeachChainEnd;
    return step;
  }
  step.teachIndex = teachAddress_ - first;
  step.panelText = FormatFixed(0, *checked.value);
  ++teachAddress_;
  if (teachAddress_ < kTeachChainEnd) step.nextCommand = ReadWordCommand(teachAddress_);
  return step;
}

CommandReplyStep CalibrationModel::CommandReply(const ResultBytes& reply, const std::string& deviceType) {
  const CalibrationReply parts = SplitCommandReply(reply);
  CommandReplyStep step;
  step.status = {parts.text, false};
  const std::string& word = parts.commandWord;
  if (word == "ks") {
    savedValues_ = spinValues_;
    notSaved_ = false;
    controls_.saveButton = false;
  } else if (word == "kw") {
    ApplyWriteReply(parts.firstToken);
  } else if (word == "kf") {
    ApplyOutputReply(parts.firstToken);
  } else if (word == "km") {
    ApplyModeReply(parts.firstToken, deviceType);
  } else if (word == "wp") {
    step.sendCommand = kCmdCompute;
  }
  return step;
}

void CalibrationModel::ApplyWriteReply(const std::string& token) {
  const auto address = ParseWholeNumber(token);
  const auto index = address ? CalibrationWordIndex(*address) : std::nullopt;
  if (!index) return;
  // The device's echo of the value is not used: what counts is the box.
  const auto at = static_cast<std::size_t>(*index);
  if (spinValues_[at] != savedValues_[at]) notSaved_ = true;
  if (notSaved_) controls_.saveButton = true;
}

void CalibrationModel::ApplyOutputReply(const std::string& token) {
  if (token != "0" && token != "1" && token != "2") return;
  controls_.voltageOutputGroup = token == "1";
  controls_.currentOutputGroup = token == "2";
}

void CalibrationModel::ApplyModeReply(const std::string& token, const std::string& deviceType) {
  if (token != "0" && token != "1") return;
  const bool on = token == "1";
  calibrationModeOn_ = on;
  controls_.outputSelection = on;
  controls_.voltageOutputGroup = false;
  controls_.currentOutputGroup = false;
  controls_.inputGroups = on && deviceType == "VQ22";
}

std::optional<std::string> CalibrationModel::SpinBoxChanged(std::int32_t address, std::int32_t value) {
  const auto index = CalibrationWordIndex(address);
  if (!index) return std::nullopt;
  const CalibrationWord& word = CalibrationWords()[static_cast<std::size_t>(*index)];
  const std::int32_t stored = ClampToSpinRange(value, word);
  std::int32_t& held = spinValues_[static_cast<std::size_t>(*index)];
  // The read chain records the value before the window puts it into the
  // box, so the box's change event then reports what is known already: the
  // device's own value, which must not be written back.
  if (stored == held) return std::nullopt;
  held = stored;
  if (!calibrationModeOn_) return std::nullopt;
  return WriteWordCommand(word, stored);
}

ReadingSwitch CalibrationModel::ToggleVoltageReading() {
  ReadingSwitch change;
  change.stopCurrent = measuringCurrent_;
  measuringCurrent_ = false;
  if (measuringVoltage_) {
    change.stopVoltage = true;
    measuringVoltage_ = false;
  } else {
    change.start = AnalogInput::Voltage;
    change.inputModeCommand = InputModeCommand(AnalogInput::Voltage);
    change.pollCommand = "r4";
    measuringVoltage_ = true;
  }
  return change;
}

ReadingSwitch CalibrationModel::ToggleCurrentReading() {
  ReadingSwitch change;
  change.stopVoltage = measuringVoltage_;
  measuringVoltage_ = false;
  if (measuringCurrent_) {
    change.stopCurrent = true;
    measuringCurrent_ = false;
  } else {
    change.start = AnalogInput::Current;
    change.inputModeCommand = InputModeCommand(AnalogInput::Current);
    change.pollCommand = "r5";
    measuringCurrent_ = true;
  }
  return change;
}

ReadingSwitch CalibrationModel::StopReadings() {
  ReadingSwitch change;
  change.stopVoltage = measuringVoltage_;
  change.stopCurrent = measuringCurrent_;
  measuringVoltage_ = false;
  measuringCurrent_ = false;
  return change;
}

std::optional<std::string> CalibrationModel::LiveReading(AnalogInput input, const ResultBytes& reply) const {
  const bool running = input == AnalogInput::Voltage ? measuringVoltage_ : measuringCurrent_;
  if (!running) return std::nullopt;
  return LiveReadingText(input, LiveReadingValue(reply));
}
