#include "model/CalibrationModel.h"

#include "platform/IniDocument.h"

void CalibrationModel::Activate() {
  calibrationModeOn_ = false;
  notSaved_ = false;
  controls_ = CalibrationControls{};
}

std::int32_t CalibrationModel::StoreReadWord(std::int32_t address, std::int32_t value) {
  const auto index = CalibrationWordIndex(address);
  if (!index) return value;
  const auto at = static_cast<std::size_t>(*index);
  // The spin box stores the nearest bound for a value beyond its range, and
  // what it holds is what counts as saved.
  const std::int32_t shown = ClampToSpinRange(value, CalibrationWords()[at]);
  spinValues_[at] = shown;
  savedValues_[at] = shown;
  return shown;
}

CalibrationStatus CalibrationModel::CommandReply(const ResultBytes& reply, const std::string& deviceType) {
  const CalibrationReply parts = SplitCommandReply(reply);
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
  }
  return {parts.text, false};
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
