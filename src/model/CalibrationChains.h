#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "comm/QL200Protocol.h"
#include "model/CalibrationModel.h"
#include "model/CommandChain.h"

// The calibration window's sequences of exchanges, on CommandChain:
//  - the read chain: the twelve calibration words in kReadChainOrder on the
//    words component, then the four teach values on the teach component;
//  - the teach chain ("Lees"): the four teach values alone;
//  - the input-mode switch: "wp 226 0" or "wp 226 1", then "bp", after
//    which the device reads the chosen input, so its live reading may be
//    polled only once this has ended.
// Every reply is checked against its command before its value is used; a
// reply that may have been garbled is asked for once more; a refusal, a
// second bad reply or a failed exchange stops the chain with a red text.
class CalibrationChains {
public:
  // The chains take over the result and failure events of the three
  // components; read words are stored in `model`.
  CalibrationChains(CalibrationModel& model, TQL200Protocol& words, TQL200Protocol& teach, TQL200Protocol& inputMode);
  CalibrationChains(const CalibrationChains&) = delete;
  CalibrationChains& operator=(const CalibrationChains&) = delete;

  // Every reply a chain used, and the red text of the one that stopped it.
  std::function<void(const CalibrationStatus& status)> Status;
  // A word was read: its spin box (by CalibrationWords() position) shows
  // `value`, which the model already holds.
  std::function<void(int wordIndex, std::int32_t value)> WordRead;
  // A teach value was read: its panel (by TeachWords() position) shows `text`.
  std::function<void(int teachIndex, const std::string& text)> TeachValueRead;
  // The input-mode switch has ended: `taken` when the device computed the
  // new mode, so the input's reading may be polled now.
  std::function<void(AnalogInput input, bool taken)> InputModeSwitched;

  // The read chain (on every activation). A chain still under way is
  // cancelled first; this one starts when its exchange has ended.
  void ReadAll();
  // The teach chain ("Lees"); nothing while the reads run, which end with
  // the teach values anyway.
  void ReadTeachValues();
  // Switches the analog input's mode. While a switch is under way, the
  // latest request follows it: the device ends in the mode asked for last.
  void SwitchInputMode(AnalogInput input);

  // The read chain is still reading calibration words.
  bool ReadChainRunning() const;
  // The teach value expected next; kTeachChainEnd when none is.
  std::int32_t TeachAddress() const;

private:
  struct Read {
    TQL200Protocol* component;
    std::int32_t address;
  };
  static std::vector<Read> Reads(TQL200Protocol* words, TQL200Protocol& teach);
  void StartReads(std::vector<Read> reads);
  void ReadAccepted(std::size_t step, const ResultBytes& reply);
  void ReadsEnded(const CommandChain::End& end);
  void StartSwitch(AnalogInput input);
  void SwitchEnded(const CommandChain::End& end);
  void ShowEnd(const CommandChain::End& end, const std::function<CheckedReply(const ResultBytes&)>& check);

  CalibrationModel& model_;
  TQL200Protocol& words_;
  TQL200Protocol& teach_;
  TQL200Protocol& inputMode_;
  std::unique_ptr<CommandChain> reads_;
  std::unique_ptr<CommandChain> switch_;
  std::vector<Read> readSteps_;
  std::optional<std::vector<Read>> pendingReads_;
  AnalogInput switching_ = AnalogInput::Voltage;
  std::optional<AnalogInput> pendingSwitch_;
};
